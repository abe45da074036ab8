// SPDX-License-Identifier: MIT
#pragma once
// The state and the routines of the one-go solver. Every loop runs units
// before positions, both ascending, and the rounds and trial levels call
// their steps in one fixed order: that order decides which cell receives a
// digit when several could, which guess comes first, and so which answer a
// puzzle with several solutions gets.
//
// propagation.cpp holds the deductions and the round, trial_search.cpp the
// two trial levels; the shortcuts that spare them work live in files of
// their own, each with the reason it changes nothing, and keep their
// storage in the caller's SolveContext.
//
// Routines report through members: a count such as decided_cnt is fresh
// only after the routine that computes it has run.
#include <array>
#include <cstdint>

#include "solver/board.h"
#include "solver/solve_context.h"

namespace tesura {

// Per view, a set of units as bits: what a unit scan marks.
using ViewUnits = std::array<unsigned, 3>;

class OneGoSolver {
 public:
  // Starts from the block view of an accepted puzzle, given as its pair of
  // tables. The snapshots start as copies of it: they are read only after
  // they are taken, and a copy of a whole board is cheaper than clearing
  // one member by member. The context must stay with this solver alone
  // until it is done.
  OneGoSolver(const CandTable& cand, const ValTable& val, SolveContext& context)
      : gs(Board::from_cells(cand.flat(), val.flat())), sv1(gs), sv2(gs), ctx_(context) {}

  Board gs;   // the board: block view, with the row and column views over it
  Board sv1;  // the first-level snapshot: trial_one's entry board, taken at its first guess
  Board sv2;  // the second-level snapshot, taken when trial_two starts

  Digit decided_cnt = 0;       // one-character strings; fresh after count_cand
  Digit prev_decided_cnt = 0;  // decided_cnt before the latest productive round
  Digit given_cnt = 0;         // empty strings; fresh after count_given
  Digit fill_target = 0;       // 81 - given_cnt: the board is complete at this count
  Digit conflict_flag = 0;     // 1 when find_conflict saw a digit twice in a unit
  Digit solved_flag = 0;       // 1 when a trial completed the board without a repeat

  // Pruning against placed digits, one view each. Only cells with two or
  // more candidates change; a value fixed here prunes the later cells of the
  // same unit at once, the earlier ones at the next call.
  void check_gs() { check<View::block>(); }
  void check_ygs() { check<View::row>(); }
  void check_tgs() { check<View::column>(); }
  // A digit listed by exactly one cell of a unit is fixed there; a cell that
  // is the only place of several digits takes the smallest.
  void place_unique_gs() { place_unique(View::block); }
  void place_unique_ygs() { place_unique(View::row); }
  void place_unique_tgs() { place_unique(View::column); }
  // One propagation round: kPruneSweeps sweeps of pruning over blocks, rows
  // and columns, then the unique places over the three views.
  void solve_round() {
    round([](int, bool) { return false; });
  }

  void count_cand() { decided_cnt = static_cast<Digit>(gs.singles); }
  void count_given();
  // conflict_flag := 1 when a placed digit repeats in a block, row or column.
  void find_conflict();

  void save_sv1() { sv1 = gs; }
  void load_sv1() { gs = sv1; }
  void save_sv2() { sv2 = gs; }
  void load_sv2() { gs = sv2; }

  // First level: fix all two-candidate cells of a unit that has no cell of
  // more than two candidates, propagate, and keep the guess if it decides
  // more than two cells. solved_flag = 1 with the completed board on success.
  void trial_one() { trial_one_from(nullptr); }
  // Second level: every digit in each two- or three-candidate cell of a unit
  // with no cell of more than three, each followed by a whole trial_one.
  void trial_two();

 private:
  static constexpr int kPruneSweeps = 3;

  // The round, with a look after each sweep of pruning: look(sweep,
  // settled) gets the sweep's index and whether any unit is still due, and
  // ends the round at once by returning true. With no unit due the sweeps
  // left would change nothing, and the round goes on to the unique places.
  template <class Look>
  bool round(Look&& look) {
    for (int sweep = 0; sweep < kPruneSweeps; ++sweep) {
      check_gs();
      check_ygs();
      check_tgs();
      const bool settled = no_unit(gs.maybe_due);
      if (look(sweep, settled)) return false;
      if (settled) break;
    }
    place_unique_gs();
    place_unique_ygs();
    place_unique_tgs();
    return true;
  }
  // Propagation rounds until decided_cnt stops rising, through the
  // standstill memo, from a board after a guess.
  // Returns the memo's board where the memo knows the end of the way,
  // leaving gs part of the way there; nullptr with gs at the end.
  const Board* propagate_remembered();

  // One body per view, so that each is compiled for its own unit maps.
  template <View v>
  void check();
  void place_unique(View v);

  // The unit scans: the units with no cell of more than two candidates
  // (mark1, for the first level) or three (mark2, for the second), as a set.
  unsigned mark1(View v) const;
  unsigned mark2(View v) const;
  // What mark1 makes of the board that a guess in the cell makes on sv2,
  // whose own first-level scans are `pairs`.
  ViewUnits mark1_after_guess(int at, const ViewUnits& pairs) const;

  // trial_one; `entry_pairs`, when given, are the first-level scans of its
  // entry board.
  void trial_one_from(const ViewUnits* entry_pairs);
  // trial_one on sv2 (in gs) with `digit` guessed in cell `at`, unless the
  // nested-outcome cache or the solutions know that it ends unchanged; the
  // scans are those of sv2. True with the completed board in gs; otherwise
  // gs is sv2 again.
  bool nested_on_snapshot(int at, int digit, const ViewUnits& snapshot_pairs);

  SolveContext& ctx_;
};

}  // namespace tesura
