#include "solver/solve_command.h"

#include "model/puzzle.h"
#include "solver/complete_search.h"

namespace tesura {

const char* stage_name(SolveStage stage) {
  switch (stage) {
    case SolveStage::given: return "given";
    case SolveStage::propagation: return "propagation";
    case SolveStage::trial1: return "trial1";
    case SolveStage::trial2: return "trial2";
    case SolveStage::search: return "search";
    case SolveStage::unsolvable: return "unsolvable";
  }
  return "unsolvable";
}

// Temporary: answers from the complete search only.
SolveStage solve_command(Grid& grid, SolveObserver& observer) {
  Puzzle solution;
  if (!complete_search(board_digits(grid), solution)) {
    observer.unsolvable(grid);
    grid.load_sv0();
    grid.sync_views();
    return SolveStage::unsolvable;
  }
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k)
      if (grid.gs_cand(b, k) != kNoCands) {
        (void)0;
      }
  return SolveStage::search;
}

}  // namespace tesura
