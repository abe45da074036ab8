// SPDX-License-Identifier: MIT
// The deduction rules and propagation to a standstill; the round itself is
// OneGoSolver::round.
#include <bit>
#include <cassert>

#include "solver/one_go_solver.h"

namespace tesura {

template <View v>
void OneGoSolver::check() {
  const int vi = static_cast<int>(v);
  // Units of one view share no cell, so the units worth a look are known
  // before the pass starts.
  if (gs.maybe_due[vi] == 0) return;
  // A unit whose placed digits no open cell lists would pass unchanged.
  gs.maybe_due[vi] &=
      static_cast<std::uint16_t>(units_where([&](int u) { return gs.prune_due(vi, u); }));
  for (unsigned maybe = gs.maybe_due[vi]; maybe != 0; maybe &= maybe - 1) {
    const int u = std::countr_zero(maybe);
    // The candidates never hold "0", so an empty cell's value prunes nothing.
    const Cands placed_before = gs.placed[vi][u];
    Cands placed = placed_before;
    // Only the cell at hand can stop being open during its own step.
    for (unsigned open = gs.open_cells[vi][u]; open != 0; open &= open - 1) {
      const int at = kUnitCell[vi][u][std::countr_zero(open)];
      const Cands c = gs.cand[at];
      const Cands pruned = c & static_cast<Cands>(~placed);
      if (!at_most_one_cand(pruned)) {
        // Without a branch on whether anything was pruned: which way it
        // goes is hard to foresee, and a cell that loses nothing changes
        // no count.
        gs.cand[at] = pruned;
        gs.open_cell_pruned(at, c & placed);
      } else if (pruned == 0) {
        gs.close_open_cell(at, pruned);
      } else {
        // Counts at once for the cells after this one, not those before.
        gs.set_digit(at, first_cand(pruned));
        placed |= pruned;
      }
    }
    // A digit placed here may still be listed by a cell passed before it;
    // without one, the pass left the unit clean.
    if (placed == placed_before || !gs.prune_due(vi, u))
      gs.maybe_due[vi] &= static_cast<std::uint16_t>(~(1u << u));
  }
  gs.check_bookkeeping();
}

template void OneGoSolver::check<View::block>();
template void OneGoSolver::check<View::row>();
template void OneGoSolver::check<View::column>();

void OneGoSolver::place_unique(View v) {
  const int vi = static_cast<int>(v);
  // A placement in a unit changes no other unit of the same view, so the
  // units worth a look are known before the pass starts.
  const std::uint64_t own_lane_cleared = ~(0xFFFFull << (16 * vi));
  if (gs.maybe_unique[vi] == 0) return;
  // Units where some digit is listed by one open cell alone.
  const unsigned maybe = gs.maybe_unique[vi] &
                         units_where([&](int u) { return gs.open_count[vi][u].one_marks() != 0; });
  gs.maybe_unique[vi] = 0;
  for (unsigned m = maybe; m != 0; m &= m - 1) {
    const int u = std::countr_zero(m);
    // Taken once per unit, before any placement in it. A decided cell whose
    // digit is listed nowhere else would only be written again as it is.
    Cands unique = gs.unique_open_digits(vi, u);
    // Decided and emptied cells hold no digit of unique; once every digit
    // has found its cell, the cells left hold none either.
    for (unsigned open = gs.open_cells[vi][u]; open != 0 && unique != 0; open &= open - 1) {
      const int at = kUnitCell[vi][u][std::countr_zero(open)];
      const Cands mine = gs.cand[at] & unique;
      if (mine == 0) continue;
      // Digits are placed in ascending order, so the cell keeps the smallest
      // of its unique digits and the larger ones find no cell any more.
      // The digit was listed by this cell alone, so the placement leaves
      // nothing to prune in this unit.
      gs.set_digit(at, first_cand(mine), own_lane_cleared);
      unique &= static_cast<Cands>(~mine);
    }
  }
  gs.check_bookkeeping();
}

void OneGoSolver::count_given() {
  int n = 0;
  for (Cands c : gs.cand) n += c == kNoCands;
  given_cnt = static_cast<Digit>(n);
}

const Board* OneGoSolver::propagate_remembered() {
  StandstillMemo& memo = ctx_.memo;
  const Board* end = memo.look(gs, 0);
  if (end == nullptr) {
    count_cand();
    Digit prev = decided_cnt;
    // Guesses that differ often lead to the same board part of the way, so
    // the first round looks in after each sweep; later rounds would cost
    // more in looks than they find.
    const bool whole = round([&](int sweep, bool settled) {
      assert(settled || gs.singles > prev);
      // Where the board stands in the round, for the memo: what is left of
      // the round depends on the sweep it stands after. A settled board is
      // where no round has started yet (stage 0): unique places, then
      // rounds while they decide; a round on it that decides nothing leaves
      // nothing due, and the next would change nothing. A board with a unit
      // still due after a sweep has had a digit placed in this round (each
      // sweep passes every due unit), so the round decides a cell whatever
      // comes after.
      end = memo.look(gs, settled ? 0 : static_cast<std::uint8_t>(1 + sweep));
      return end != nullptr;
    });
    if (whole) {
      count_cand();
      // Then rounds while they decide cells.
      while (decided_cnt > prev) {
        prev = decided_cnt;
        solve_round();
        count_cand();
      }
    }
  }
  memo.finish(gs);
  ctx_.counts.memo_hits += end != nullptr;
  return end;
}

}  // namespace tesura
