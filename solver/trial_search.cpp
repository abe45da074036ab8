// The two levels of trial search, their unit scans and the duplicate check.
#include "solver/one_go_solver.h"

namespace tesura {

void OneGoSolver::mark(View v, int n, std::array<Digit, 10>& flags) {
  for (int u = 0; u < 9; ++u) {
    bool narrow = true;
    for (int p = 0; p < 9 && narrow; ++p) narrow = at_most_cands(gs.cand_at(v, u, p), n);
    flags[u + 1] = narrow ? 1 : 0;
  }
}

void OneGoSolver::find_conflict() {
  // Only whether some unit repeats a digit matters, not which one is found
  // first, so all 27 units are checked in one sweep over the cells.
  std::array<Cands, 9> in_block{}, in_row{}, in_col{};
  conflict_flag = 0;
  for (int at = 0; at < 81; ++at) {
    const Digit d = gs.val[at];
    if (d == 0) continue;
    const Cands bit = cands_of(d);
    const auto& unit = kCellUnit[at];
    if ((in_block[unit[0]] | in_row[unit[1]] | in_col[unit[2]]) & bit) {
      conflict_flag = 1;
      return;
    }
    in_block[unit[0]] |= bit;
    in_row[unit[1]] |= bit;
    in_col[unit[2]] |= bit;
  }
}

namespace {
struct TrialPhase {
  View view;
  bool first_cell_takes_first;  // which character the unit's first two-candidate cell gets
  bool scans;                   // marks recomputed at the phase start and at each restart
};
// Phases 4 and 6 reuse the marks that phases 3 and 5 left.
constexpr TrialPhase kTrialPhases[6] = {
    {View::block, true, true},  {View::block, false, true}, {View::row, true, true},
    {View::row, false, false},  {View::column, true, true}, {View::column, false, false},
};
}  // namespace

void OneGoSolver::trial_one() {
  solved_flag = 0;
  save_sv1();
  count_cand();
  for (int phase = 0; phase < 6; ++phase) {
    const TrialPhase& ph = kTrialPhases[phase];
    if (phase > 0) count_cand();
  restart:
    const Digit base = decided_cnt;
    if (ph.scans) mark(ph.view, 2, unit_flag1);
    for (int u = 0; u < 9; ++u) {
      if (unit_flag1[u + 1] == 0) continue;
      bool take_first = ph.first_cell_takes_first;
      for (int p = 0; p < 9; ++p) {
        const Cands c = gs.cand_at(ph.view, u, p);
        if (at_most_one_cand(c) || !at_most_cands(c, 2)) continue;
        gs.set_digit(kUnitCell[int(ph.view)][u][p], take_first ? first_cand(c) : last_cand(c));
        take_first = !ph.first_cell_takes_first;
      }
      count_cand();
      propagate_to_standstill();
      find_conflict();
      if (conflict_flag == 0 && decided_cnt == fill_target) {
        solved_flag = 1;
        return;
      }
      // The count alone decides: a guess that repeats a digit may be kept.
      if (decided_cnt > base + 2) goto restart;
      load_sv1();
    }
  }
}

namespace {
constexpr View kTrialTwoParts[3] = {View::block, View::row, View::column};
}

void OneGoSolver::trial_two() {
  solved_flag = 0;
  save_sv2();
  bool at_snapshot = true;  // the board is the entry snapshot, as the memo needs
  nested_.fill({});
  nested_boards_.clear();
  count_cand();
  for (int part = 0; part < 3; ++part) {
    const View view = kTrialTwoParts[part];
    if (part > 0) count_cand();
    Digit base = static_cast<Digit>(decided_cnt + 1);
  restart:
    mark(view, 3, unit_flag2);
    for (int u = 0; u < 9; ++u) {
      if (unit_flag2[u + 1] == 0) continue;
      for (int p = 0; p < 9; ++p) {
        // Tested once, on the board as it stands when the cell comes up.
        const Cands c = gs.cand_at(view, u, p);
        if (at_most_one_cand(c) || !at_most_cands(c, 3)) continue;
        for (int d = 1; d <= 9; ++d) {
          const int at = kUnitCell[int(view)][u][p];
          gs.set_digit(at, d);
          find_conflict();
          if (conflict_flag == 1) {
            conflict_flag = 0;
            load_sv2();
            at_snapshot = true;
            continue;
          }
          count_cand();
          NestedOutcome* memo = at_snapshot ? &nested_[at * 10 + d] : nullptr;
          if (memo && memo->kind == NestedOutcome::changed) {
            gs = nested_boards_[memo->board];
          } else if (!memo || memo->kind == NestedOutcome::unknown) {
            const Board guessed = gs;
            trial_one();
            if (solved_flag == 1) return;
            if (memo) {
              if (gs == guessed) {
                memo->kind = NestedOutcome::unchanged;
              } else {
                memo->kind = NestedOutcome::changed;
                memo->board = static_cast<std::uint16_t>(nested_boards_.size());
                nested_boards_.push_back(gs);
              }
            }
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
      mark(view, 3, unit_flag2);
    }
  }
}

}  // namespace tesura
