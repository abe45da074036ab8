// The deduction rules and the propagation round.
#include <bit>

#include "solver/one_go_solver.h"

namespace tesura {

void OneGoSolver::check(View v) {
  const int vi = static_cast<int>(v);
  // Units of one view share no cell, so a pass over one unit cannot make
  // another unit of the same view due: the due units are known up front.
  for (unsigned due = gs.prune_due[vi]; due != 0; due &= due - 1) {
    const int u = std::countr_zero(due);
    const auto unit_bit = static_cast<std::uint16_t>(1u << u);
    const auto& cells = kUnitCell[vi][u];
    // The candidates never hold "0", so an empty cell's value prunes nothing.
    Cands placed = gs.placed[vi][u];
    Cands earlier = 0;   // candidates of the cells already passed that stay open
    bool again = false;  // a new digit is still listed by a cell already passed
    for (int p = 0; p < 9; ++p) {
      const int at = cells[p];
      const Cands c = gs.cand[at];
      if (at_most_one_cand(c)) continue;
      const Cands pruned = c & static_cast<Cands>(~placed);
      if (pruned == c) {
        earlier |= c;
        continue;
      }
      gs.cand[at] = pruned;
      gs.candidates_changed(at, c, pruned);
      if (one_cand(pruned)) {
        ++gs.singles;
        gs.val[at] = static_cast<Digit>(first_cand(pruned));
        placed |= pruned;
        gs.digit_placed(at);
        again = again || (earlier & pruned) != 0;
      } else {
        earlier |= pruned;
      }
    }
    // The digit_placed marks are for the other views; this unit stays due
    // only if a cell already passed still lists one of its new digits.
    if (again)
      gs.prune_due[vi] |= unit_bit;
    else
      gs.prune_due[vi] &= static_cast<std::uint16_t>(~unit_bit);
  }
}

void OneGoSolver::place_unique(View v) {
  const int vi = static_cast<int>(v);
  for (int u = 0; u < 9; ++u) {
    // Taken once per unit, before any placement in it. A decided cell whose
    // digit is listed nowhere else would only be written again as it is.
    const Cands unique = gs.unique_open_digits(vi, u);
    if (unique == 0) continue;
    for (const int at : kUnitCell[vi][u]) {
      const Cands mine = gs.cand[at] & unique;
      // Digits are placed in ascending order, so the cell keeps the smallest
      // of its unique digits and the larger ones find no cell any more.
      if (mine != 0) gs.set_digit(at, first_cand(mine));
    }
  }
}

void OneGoSolver::solve_round() {
  for (int i = 0; i < 3; ++i) {
    check_gs();
    check_ygs();
    check_tgs();
  }
  place_unique_gs();
  place_unique_ygs();
  place_unique_tgs();
}

void OneGoSolver::count_cand() {
  decided_cnt = static_cast<Digit>(gs.singles);
}

void OneGoSolver::count_given() {
  int n = 0;
  for (Cands c : gs.cand) n += c == kNoCands;
  given_cnt = static_cast<Digit>(n);
}

void OneGoSolver::propagate_to_standstill() {
  Digit prev;
  do {
    prev = decided_cnt;
    solve_round();
    count_cand();
  } while (decided_cnt > prev);
}

}  // namespace tesura
