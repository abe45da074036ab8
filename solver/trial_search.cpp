// SPDX-License-Identifier: MIT
// The two levels of trial search, in their fixed order. The shortcuts they
// take are each in a file of their own, with the reason why they change no
// outcome: the tried-guess index (tried_guesses.h), the standstill memo
// (standstill_memo.h), the nested-outcome cache (nested_outcomes.h) and
// the solutions' ruling out of guesses (solution_knowledge.h).
#include <bit>
#include <cassert>

#include "solver/one_go_solver.h"

namespace tesura {

namespace {
struct TrialPhase {
  View view;
  bool first_cell_takes_first;  // which character the unit's first two-candidate cell gets
  bool scans;                   // marks recomputed at the phase start and at each restart
};
// Phases 4 and 6 reuse the marks that phases 3 and 5 left.
constexpr TrialPhase kTrialPhases[6] = {
    {View::block, true, true}, {View::block, false, true}, {View::row, true, true},
    {View::row, false, false}, {View::column, true, true}, {View::column, false, false},
};
}  // namespace

void OneGoSolver::trial_one_from(const ViewUnits* entry_pairs) {
  solved_flag = 0;
  bool at_snapshot = true;  // the board is the entry snapshot, sv1
  count_cand();
  unsigned marked = 0;   // the units of the latest scan
  bool guessed = false;  // whether the board has left the entry snapshot yet
  for (int phase = 0; phase < 6; ++phase) {
    const TrialPhase& ph = kTrialPhases[phase];
    if (phase > 0) count_cand();
  restart:
    const Digit base = decided_cnt;
    // Until a guess is made the board is the one phase 0 scanned, and
    // phase 1 scans the same view.
    if (ph.scans && (phase != 1 || guessed))
      marked = !guessed && entry_pairs != nullptr ? (*entry_pairs)[static_cast<int>(ph.view)]
                                                  : mark1(ph.view);
    for (unsigned units = marked; units != 0; units &= units - 1) {
      const int u = std::countr_zero(units);
      SnapshotGuess guess;
      bool take_first = ph.first_cell_takes_first;
      for (int p = 0; p < 9; ++p) {
        const int at = kUnitCell[int(ph.view)][u][p];
        const Cands c = gs.cand[at];
        if (at_most_one_cand(c) || !at_most_cands(c, 2)) continue;
        guess.add(at, !take_first);
        take_first = !ph.first_cell_takes_first;
      }
      // Off the snapshot the board is what the rounds left at a standstill,
      // already found unsolved: a guess that fixes no cell leaves it as it
      // is, and is undone.
      if (!at_snapshot && guess.empty()) {
        find_conflict();
        load_sv1();
        at_snapshot = true;
        continue;
      }
      const Digit* seen = at_snapshot && guessed ? ctx_.tried.find(guess) : nullptr;
      if (seen != nullptr && *seen <= base + 2) {
        ++ctx_.counts.tried_hits;
        continue;
      }
      // The snapshot is needed from the first guess on; a call that makes
      // none spares it.
      if (!guessed) {
        save_sv1();
        ctx_.tried.clear();
        guessed = true;
      }
      for (int w = 0; w < 2; ++w)
        for (std::uint64_t m = guess.cells[w]; m != 0; m &= m - 1) {
          const int at = w * 64 + std::countr_zero(m);
          const Cands c = gs.cand[at];
          gs.set_digit(at, (guess.larger[w] >> (at % 64)) & 1 ? last_cand(c) : first_cand(c));
        }
      // Propagation to a standstill. A board from the memo is taken only
      // when the guess is kept; an undone guess needs its counts alone.
      const Board* end = propagate_remembered();
      const Board& out = end != nullptr ? *end : gs;
      decided_cnt = static_cast<Digit>(out.singles);
      conflict_flag = out.repeated != 0 ? 1 : 0;  // as find_conflict on that board
      if (conflict_flag == 0 && decided_cnt == fill_target) {
        if (end != nullptr) gs = *end;
        solved_flag = 1;
        return;
      }
      if (at_snapshot && seen == nullptr) ctx_.tried.keep(guess, decided_cnt);
      // The count alone decides: a guess that repeats a digit may be kept.
      if (decided_cnt > base + 2) {
        if (end != nullptr) gs = *end;
        at_snapshot = false;
        goto restart;
      }
      load_sv1();
      at_snapshot = true;
    }
  }
}

bool OneGoSolver::nested_on_snapshot(int at, int digit, const ViewUnits& snapshot_pairs) {
  // With no unit to guess in, the first level would leave the board as the
  // guess made it.
  const ViewUnits pairs = mark1_after_guess(at, snapshot_pairs);
  if ((pairs[0] | pairs[1] | pairs[2]) == 0) return false;
  if (ctx_.nested.tried(at, digit)) {
    ++ctx_.counts.nested_hits;
    return false;
  }
  ctx_.nested.keep(at, digit);
  if (ctx_.knowledge.rules_out(at, digit)) {
    ++ctx_.counts.ruled_out;
    return false;
  }
  gs.set_digit(at, digit);
  count_cand();
  [[maybe_unused]] const Digit guessed_cnt = decided_cnt;
  trial_one_from(&pairs);
  if (solved_flag == 1) return true;
  count_cand();
  assert(decided_cnt == guessed_cnt);  // back on the board the guess made
  load_sv2();
  return false;
}

void OneGoSolver::trial_two() {
  solved_flag = 0;
  save_sv2();
  // A nested trial_one ends on the board it was given unless it completes
  // it (solution_knowledge.h), so every guess leaves the count one above the
  // snapshot's, which is each part's base: no guess is kept, each is undone
  // onto the snapshot, and every part scans the snapshot alone. A digit
  // that a unit of the cell holds already, or any digit on a snapshot that
  // repeats one, is undone before its trial.
  if (sv2.repeated != 0) return;
  const ViewUnits snapshot_pairs = {mark1(View::block), mark1(View::row), mark1(View::column)};
  ctx_.nested.clear();
  for (const View view : {View::block, View::row, View::column})
    for (unsigned units = mark2(view); units != 0; units &= units - 1) {
      const int u = std::countr_zero(units);
      for (int p = 0; p < 9; ++p) {
        const int at = kUnitCell[int(view)][u][p];
        const Cands c = sv2.cand[at];
        if (at_most_one_cand(c) || !at_most_cands(c, 3)) continue;
        const auto free = static_cast<Cands>(~sv2.placed_around(at) & kAllCands);
        for (Cands f = free; f != 0; f &= static_cast<Cands>(f - 1))
          if (nested_on_snapshot(at, first_cand(f), snapshot_pairs)) {
            solved_flag = 1;
            return;
          }
      }
    }
}

}  // namespace tesura
