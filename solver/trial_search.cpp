// SPDX-License-Identifier: MIT
// The two levels of trial search, in their fixed order. The shortcuts they
// take are each in a file of their own, with the reason why they change no
// outcome: the tried-guess index (tried_guesses.h), the standstill memo
// (standstill_memo.h), the nested-outcome cache (nested_outcomes.h) and
// the solutions' ruling out of guesses (solution_knowledge.h).
#include <bit>

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

constexpr View kTrialTwoParts[3] = {View::block, View::row, View::column};
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

TrialOutcome OneGoSolver::trial_on_snapshot(int at, int digit, const ViewUnits& pairs) {
  gs.set_digit(at, digit);
  conflict_flag = 0;
  count_cand();
  const Digit guessed_cnt = decided_cnt;
  trial_one_from(&pairs);
  if (solved_flag == 1) return TrialOutcome::solved;
  // trial_one ends on its entry board unless it completes it (see
  // solution_knowledge.h); the count is compared all the same, as the
  // trial's own rule.
  count_cand();
  return decided_cnt == guessed_cnt ? TrialOutcome::unchanged : TrialOutcome::changed;
}

TrialOutcome OneGoSolver::nested_on_snapshot(int at, int digit, const ViewUnits& snapshot_pairs) {
  // With no unit to guess in, the first level would leave the board as the
  // guess made it, and the guess would be undone.
  const ViewUnits pairs = mark1_after_guess(at, snapshot_pairs);
  if ((pairs[0] | pairs[1] | pairs[2]) == 0) return TrialOutcome::unknown;
  TrialOutcome outcome = ctx_.nested.outcome(at, digit);
  if (outcome != TrialOutcome::unknown) {
    ++ctx_.counts.nested_hits;
    if (outcome == TrialOutcome::changed)
      gs = ctx_.nested.board(at, digit);
    else
      gs.set_digit(at, digit);
    return outcome;
  }
  if (ctx_.knowledge.rules_out(at, digit)) {
    ++ctx_.counts.ruled_out;
    outcome = TrialOutcome::unchanged;
    gs.set_digit(at, digit);
  } else {
    outcome = trial_on_snapshot(at, digit, pairs);
    if (outcome == TrialOutcome::solved) return outcome;
  }
  ctx_.nested.keep(at, digit, outcome, gs);
  return outcome;
}

void OneGoSolver::trial_two() {
  solved_flag = 0;
  save_sv2();
  bool at_snapshot = true;  // the board is the entry snapshot, sv2
  // The scans of the snapshot: a guess on it changes only the units of its
  // own cell.
  const ViewUnits snapshot_pairs = mark1_all();
  const ViewUnits snapshot_narrow = {mark2(View::block), mark2(View::row), mark2(View::column)};
  ctx_.nested.clear();
  count_cand();
  for (int part = 0; part < 3; ++part) {
    const View view = kTrialTwoParts[part];
    if (part > 0) count_cand();
    Digit base = static_cast<Digit>(decided_cnt + 1);
  restart:
    unsigned marked = at_snapshot ? snapshot_narrow[static_cast<int>(view)] : mark2(view);
    for (int u = 0; u < 9; ++u) {
      if (((marked >> u) & 1) == 0) continue;
      for (int p = 0; p < 9; ++p) {
        // Tested once, on the board as it stands when the cell comes up.
        const Cands c = gs.cand_at(view, u, p);
        if (at_most_one_cand(c) || !at_most_cands(c, 3)) continue;
        const int at = kUnitCell[int(view)][u][p];
        for (int d = 1; d <= 9; ++d) {
          // The digit repeats when the board holds a repeat already or a
          // unit of the cell has the digit: then the guess is undone at
          // once, and on the snapshot there is nothing to undo, so the
          // next digit that does not repeat comes up at once.
          conflict_flag = 0;
          if (at_snapshot) {
            const Cands free =
                gs.repeated != 0
                    ? kNoCands
                    : static_cast<Cands>(~gs.placed_around(at) & kAllCands & ~(cands_of(d) - 1));
            if (free == kNoCands) break;
            d = first_cand(free);
          } else if (gs.repeated != 0 || (gs.placed_around(at) & cands_of(d)) != 0) {
            load_sv2();
            at_snapshot = true;
            continue;
          }
          if (at_snapshot) {
            const TrialOutcome outcome = nested_on_snapshot(at, d, snapshot_pairs);
            if (outcome == TrialOutcome::solved) {
              solved_flag = 1;
              return;
            }
            if (outcome == TrialOutcome::unknown) continue;
          } else {
            gs.set_digit(at, d);
            count_cand();
            trial_one();
            if (solved_flag == 1) return;
          }
          count_cand();
          if (decided_cnt > base) {
            base = decided_cnt;
            at_snapshot = false;
            goto restart;
          }
          load_sv2();
          at_snapshot = true;
        }
      }
      load_sv2();
      at_snapshot = true;
      marked = snapshot_narrow[static_cast<int>(view)];
    }
  }
}

}  // namespace tesura
