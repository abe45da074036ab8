// SPDX-License-Identifier: MIT
#pragma once
// The one-go solve ("一発解答"): propagation rounds while they decide new
// cells, then the two trial levels, then a complete search. The engine draws
// nothing and shows no message: it tells its observer when the board is to
// be drawn and when the puzzle has proved unsolvable.
#include "model/grid.h"

namespace tesura {

// Which stage ended the solve.
enum class SolveStage {
  given,        // all 81 cells were givens: nothing to do
  propagation,  // propagation rounds completed the board
  trial1,       // the first-level trial search completed it
  trial2,       // the second-level trial search completed it
  search,       // the complete search found the answer the trials missed
  unsolvable,   // the puzzle has no solution; the entry is restored
};

// "given", "propagation", "trial1", "trial2", "search", "unsolvable".
const char* stage_name(SolveStage stage);

class SolveObserver {
 public:
  virtual ~SolveObserver() = default;
  // The board is to be drawn: every block-view cell whose string is one
  // character long shows that digit; other cells keep their tiles. Only the
  // block view is current here.
  virtual void show_board(const Grid& grid) = 0;
  // The puzzle has no solution. Called before the entry is restored, where
  // the window shows texts::kUnsolvable and waits for OK.
  virtual void unsolvable(const Grid& grid) = 0;
  // False for an observer that draws nothing: it gets no show_board, the
  // block view is written only with the answer, and unsolvable sees the
  // block view as accepted.
  virtual bool draws() const { return true; }
};

// Solves the accepted puzzle in grid. Precondition: the ready state that
// accept_input leaves (givens "" with their digit, open cells "123456789"
// and 0, views in step, sv0 saved).
// Answered: the block view holds the completed grid (givens "", every other
// cell its digit as a one-character string) and the views are in step.
// Unsolvable: the block view is restored from sv0 and the views are in step;
// the caller returns to the first problem.
SolveStage solve_command(Grid& grid, SolveObserver& observer);

// solve_command for a caller that reads the block view alone: it needs
// only the block view and sv0 of the ready state, and it leaves the row
// and column views as they were.
SolveStage solve_in_block_view(Grid& grid, SolveObserver& observer);

}  // namespace tesura
