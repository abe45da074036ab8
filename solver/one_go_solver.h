// SPDX-License-Identifier: MIT
#pragma once
// The state and the routines of the one-go solver. Every loop runs units
// before positions, both ascending, and the rounds and trial levels call
// their steps in one fixed order: that order decides which cell receives a
// digit when several could, which guess comes first, and so which answer a
// puzzle with several solutions gets.
//
// Routines report through members: a count such as decided_cnt is fresh
// only after the routine that computes it has run.
#include <array>
#include <atomic>
#include <vector>

#include "model/puzzle.h"
#include "solver/board.h"
#include "solver/lookahead.h"
#include "solver/standstill_memo.h"

namespace tesura {

class OneGoSolver {
 public:
  // Starts from the block view of an accepted puzzle, given as its pair of
  // tables. The snapshots start as copies of it: they are read only after
  // they are taken, and a copy of a whole board is cheaper than clearing
  // one member by member.
  OneGoSolver(const CandTable& cand, const ValTable& val)
      : gs(Board::from_tables(cand, val)), sv1(gs), sv2(gs) {
    gs.derive();
    standstill_.clear();
  }

  // Starts from a second-level snapshot, for a trial on it elsewhere.
  OneGoSolver(const Board& snapshot, Digit target) : gs(snapshot), sv1(gs), sv2(gs) {
    fill_target = target;
    standstill_.clear();
  }

  Board gs;   // the board: block view, with the row and column views over it
  Board sv1;  // the first-level snapshot: trial_one's entry board, taken at its first guess
  Board sv2;  // the second-level snapshot, taken when trial_two starts

  Digit decided_cnt = 0;               // one-character strings; fresh after count_cand
  Digit prev_decided_cnt = 0;          // decided_cnt before the latest productive round
  Digit given_cnt = 0;                 // empty strings; fresh after count_given
  Digit open_cnt = 0;                  // cells still open while the solve command propagates
  Digit fill_target = 0;               // 81 - given_cnt: the board is complete at this count
  std::array<Digit, 10> unit_flag1{};  // [1..9]: units the first level may guess in
  std::array<Digit, 10> unit_flag2{};  // [1..9]: the same for the second level
  Digit conflict_flag = 0;             // 1 when find_conflict saw a digit twice in a unit
  Digit solved_flag = 0;               // 1 when a trial completed the board without a repeat

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
  // Three pruning passes over blocks, rows, columns, then the unique places.
  void solve_round();

  void count_cand();
  void count_given();

  // Unit scans: unit u is marked when none of its cells has more than n
  // candidates.
  void mark1_gs(int n) { mark(View::block, n, unit_flag1); }
  void mark1_ygs(int n) { mark(View::row, n, unit_flag1); }
  void mark1_tgs(int n) { mark(View::column, n, unit_flag1); }
  void mark2_gs(int n) { mark(View::block, n, unit_flag2); }
  void mark2_ygs(int n) { mark(View::row, n, unit_flag2); }
  void mark2_tgs(int n) { mark(View::column, n, unit_flag2); }
  // conflict_flag := 1 when a placed digit repeats in a block, row or column.
  void find_conflict();

  void save_sv1() { sv1 = gs; }
  void load_sv1() { gs = sv1; }
  void save_sv2() { sv2 = gs; }
  void load_sv2() { gs = sv2; }

  // First level: fix all two-candidate cells of a unit that has no cell of
  // more than two candidates, propagate, and keep the guess if it decides
  // more than two cells. solved_flag = 1 with the completed board on success.
  void trial_one();
  // Second level: every digit in each two- or three-candidate cell of a unit
  // with no cell of more than three, each followed by a whole trial_one.
  void trial_two();

  // Tells trial_two the givens and a solution of the puzzle.
  void know_solution(const Puzzle& givens, const Puzzle& solution);

  // trial_one on the second-level snapshot (gs) with `digit` guessed in cell
  // `at`; `pairs` are the first-level scans of the board the guess makes.
  // Leaves in gs the board it ends on.
  TrialOutcome trial_on_snapshot(int at, int digit, const std::array<unsigned, 3>& pairs);
  // When set and true, trial_one stops at its next guess, its outcome void.
  const std::atomic<bool>* cancel = nullptr;

 private:
  // What a nested trial_one made of the entry snapshot with one cell guessed.
  // trial_one depends on nothing but the board it is given, and the three
  // parts of trial_two guess many of the same cells on the same snapshot, so
  // each outcome is computed once per trial_two.
  // Plain data, cleared by trial_two when it starts: a solve that ends
  // before it pays nothing for the table.
  struct NestedOutcome {
    enum : std::uint8_t { unknown, unchanged, changed } kind;
    std::uint16_t board;  // index into nested_boards_ when changed
  };
  std::array<NestedOutcome, 81 * 10> nested_;
  std::vector<Board> nested_boards_;
  // trial_two's scans of its snapshot (sv2): the first-level scans (two
  // candidates) and its own (three), one set of units per view.
  std::array<unsigned, 3> snapshot_pairs_{};
  std::array<unsigned, 3> snapshot_narrow_{};
  // The first-level scans of the board that a guess in the cell makes on
  // the snapshot: the cell leaves the open cells of its three units.
  std::array<unsigned, 3> pairs_after_guess(int at) const;
  // The guesses on the snapshot in the order trial_two comes to them, each
  // digit of a cell once, for the lookahead; those that ends_unchanged
  // settles are marked unchanged in nested_ instead.
  std::vector<SnapshotTrial> snapshot_trials();
  // trial_two's work; trial_two stops the lookahead after it.
  void second_level();
  // What trial_one makes of the snapshot with the guess, from the lookahead
  // where it has it; leaves in gs the board it ends on.
  TrialOutcome outcome_on_snapshot(int at, int digit, const std::array<unsigned, 3>& pairs);
  Lookahead* ahead_ = nullptr;  // set while the lookahead has this second level's guesses
  // What know_solution gave: the givens, and per cell (in the board's
  // order) the digits of the solutions found so far, the given one first;
  // whether it is the only one is worked out when first asked.
  Puzzle givens_{};
  std::array<Cands, 81> possible_{};
  int other_found_ = 0;  // searches for a guess's digit that found a solution
  int none_found_ = 0;   // and that found none
  enum class Uniqueness : std::uint8_t { not_known, unique, several } uniqueness_{};
  bool solution_known_ = false;
  // Whether trial_one on the snapshot with the guess is sure to end on the
  // board the guess makes, so that it need not run (see the definition).
  bool ends_unchanged(int at, int digit);

  // A first-level guess made on trial_one's entry snapshot, with the count
  // its propagation reached. Only the count decides between an undo and an
  // acceptance, so the same guess again need not be propagated when the
  // count would undo it.
  // Plain data: a guess starts as SnapshotGuess{}, and only the first
  // tried_count_ entries are ever read.
  struct SnapshotGuess {
    std::array<std::uint64_t, 2> cells;   // the two-candidate cells fixed
    std::array<std::uint64_t, 2> larger;  // those given their larger digit
    Digit decided;
  };
  std::array<SnapshotGuess, 64> tried_;
  std::size_t tried_count_ = 0;
  // An open-addressed index over tried_: 1 + the entry's index, 0 where
  // free; twice as many slots as entries, so a probe ends soon.
  std::array<std::uint8_t, 128> tried_slots_;
  static std::size_t tried_home(const SnapshotGuess& guess);
  const SnapshotGuess* find_tried(const SnapshotGuess& guess) const;
  void keep_tried(const SnapshotGuess& guess);

  // What the rounds after a first-level guess made of the board, kept
  // for the whole solve.
  StandstillMemo& standstill_ = StandstillMemo::of_this_thread();

  // One body per view, so that each is compiled for its own unit maps.
  template <View v>
  void check();
  void place_unique(View v);
  // Also returns the marked units as a set.
  unsigned mark(View v, int n, std::array<Digit, 10>& flags);
  // mark with n = 2 for one unit, and for the whole view as a set.
  bool pair_unit(int vi, int u) const;
  unsigned pair_units(int vi) const;
  static void set_flags(unsigned marked, std::array<Digit, 10>& flags);
  // When set, the first-level scans of trial_one's entry board, one set per
  // view, which trial_two knows from its snapshot.
  const std::array<unsigned, 3>* entry_pairs_ = nullptr;
  // Propagation rounds until decided_cnt stops rising.
  void propagate_to_standstill();
  // The same, with a look into the standstill memo along the first round;
  // the caller has begun a memo entry for the board it starts from, and
  // finishes it. Returns the memo's board where a look finds the end of the
  // way, leaving gs part of the way there; nullptr when gs is the end.
  const Board* propagate_via_memo();
};

}  // namespace tesura
