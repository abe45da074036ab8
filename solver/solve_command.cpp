// SPDX-License-Identifier: MIT
#include "solver/solve_command.h"

#include "model/puzzle.h"
#include "solver/complete_search.h"
#include "solver/one_go_solver.h"

namespace tesura {

const char* stage_name(SolveStage stage) {
  switch (stage) {
    case SolveStage::given:
      return "given";
    case SolveStage::propagation:
      return "propagation";
    case SolveStage::trial1:
      return "trial1";
    case SolveStage::trial2:
      return "trial2";
    case SolveStage::search:
      return "search";
    case SolveStage::unsolvable:
      return "unsolvable";
  }
  return "unsolvable";
}

namespace {

// The digits of the accepted puzzle: givens are the cells with empty
// strings. No branch per cell here or below: which cells are givens is
// anyone's guess.
Puzzle accepted_givens(const Grid& grid) {
  Puzzle givens{};
  for (int i = 0; i < 81; ++i) {
    const int at = kBlockEntry[i];
    givens[i] = grid.sv0_cand.flat()[at] == kNoCands ? grid.sv0_val.flat()[at] : Digit{0};
  }
  return givens;
}

// Puts a solution into the board: every cell that is not a given is decided.
void fill_from(Board& board, const Puzzle& solution) {
  for (int i = 0; i < 81; ++i) {
    const int at = kBlockEntry[i];
    const bool given = board.cand[at] == kNoCands;
    board.cand[at] = given ? kNoCands : cands_of(solution[i]);
    board.val[at] = given ? board.val[at] : solution[i];
  }
}

}  // namespace

SolveStage solve_command(Grid& grid, SolveObserver& observer) {
  const SolveStage stage = solve_in_block_view(grid, observer);
  // Drawing reads the block view alone; the row and column views are
  // brought into step once, at the end.
  if (stage != SolveStage::given) grid.sync_views();
  return stage;
}

SolveStage solve_in_block_view(Grid& grid, SolveObserver& observer) {
  OneGoSolver s(grid.gs_cand, grid.gs_val);
  const bool draws = observer.draws();
  auto show_board = [&] {
    if (!draws) return;
    s.gs.to_block_view(grid);
    observer.show_board(grid);
  };
  // The board is drawn with the answer, and the answer is left in the
  // block view whether drawn or not.
  auto answered = [&](SolveStage stage) {
    show_board();
    if (!draws) s.gs.to_block_view(grid);
    return stage;
  };

  s.count_cand();
  s.prev_decided_cnt = s.decided_cnt;
  s.count_given();
  s.open_cnt = static_cast<Digit>(81 - s.given_cnt);
  s.fill_target = s.open_cnt;

  if (s.open_cnt <= 0) return SolveStage::given;  // the grid is its own answer
  for (;;) {
    s.solve_round();
    s.count_cand();
    if (s.decided_cnt == s.fill_target) {
      // A full board with a repeated digit is no answer: it is a contradiction,
      // and the searches below take it from there.
      s.find_conflict();
      if (s.conflict_flag == 0) {
        return answered(SolveStage::propagation);
      }
      break;
    }
    if (s.decided_cnt == s.prev_decided_cnt) break;
    s.open_cnt = static_cast<Digit>(s.open_cnt - (s.decided_cnt - s.prev_decided_cnt));
    s.prev_decided_cnt = s.decided_cnt;
    show_board();
  }

  // A trial completes only a board that has a solution, and a failed trial
  // leaves nothing on the screen. The first level is cheap and often
  // succeeds, so it goes before the search; the second can run long without
  // success, so it is skipped when the search finds no solution.
  s.trial_one();
  if (s.solved_flag == 1) {
    s.solved_flag = 0;
    return answered(SolveStage::trial1);
  }
  Puzzle solution;
  const Puzzle givens = accepted_givens(grid);
  if (!complete_search(givens, solution)) {
    observer.unsolvable(grid);
    grid.load_sv0();
    return SolveStage::unsolvable;
  }
  s.know_solution(givens, solution);
  s.trial_two();
  if (s.solved_flag == 1) {
    s.solved_flag = 0;
    return answered(SolveStage::trial2);
  }

  // The trials missed the solution that the search found.
  s.gs = Board::from_tables(grid.sv0_cand, grid.sv0_val);
  fill_from(s.gs, solution);
  return answered(SolveStage::search);
}

}  // namespace tesura
