// The return to the first problem after a solve: the board is as freshly
// entered, and solving it again takes the same road.
#include <gtest/gtest.h>

#include "tests/support/sudoku_checks.h"

namespace tesura {
namespace {

TEST(SolveCommand, TheReturnToTheFirstProblemBringsBackTheEntry) {
  const Puzzle puzzle = *parse_puzzle(
      "003020600900305001001806400008102900700000008006708200002609500800203009005010300");
  Grid grid, fresh;
  enter_puzzle(fresh, puzzle);
  ASSERT_EQ(check_input(fresh), InputVerdict::accepted);
  enter_puzzle(grid, puzzle);
  ASSERT_EQ(check_input(grid), InputVerdict::accepted);
  accept_input(grid);
  testing::SolveRun run, again;
  testing::RecordingObserver observer(run), second(again);
  ASSERT_EQ(solve_command(grid, observer), SolveStage::propagation);
  grid.return_to_first_problem();
  EXPECT_EQ(testing::views_text(grid), testing::views_text(fresh));
  ASSERT_EQ(check_input(grid), InputVerdict::accepted);
  accept_input(grid);
  EXPECT_EQ(solve_command(grid, second), SolveStage::propagation);
  EXPECT_EQ(again.drawings, run.drawings);
}

}  // namespace
}  // namespace tesura
