// Whole puzzles through the solve command, as the window drives it.
#include <gtest/gtest.h>

#include "solver/complete_search.h"
#include "tests/support/sudoku_checks.h"

namespace tesura {
namespace {

using testing::is_completion_of;
using testing::run_solve;

Puzzle P(const char* text) {
  return *parse_puzzle(text);
}

// Each drawing adds digits to the previous one and never takes one away.
void expect_drawings_grow(const std::vector<std::string>& drawings, const Puzzle& answer) {
  for (std::size_t i = 0; i < drawings.size(); ++i)
    for (int c = 0; c < 81; ++c) {
      if (drawings[i][c] != '.') {
        EXPECT_EQ(drawings[i][c], '0' + answer[c]) << "drawing " << i;
      }
      if (i > 0 && drawings[i - 1][c] != '.') {
        EXPECT_EQ(drawings[i][c], drawings[i - 1][c]);
      }
    }
}

TEST(SolveCommand, AFullEntryIsAnsweredWithoutARound) {
  const Puzzle full =
      P("534678912672195348198342567859761423426853791713924856961537284287419635345286179");
  const auto run = run_solve(full);
  EXPECT_EQ(run.stage, SolveStage::given);
  EXPECT_TRUE(run.drawings.empty());
  EXPECT_EQ(run.answer, full);
}

TEST(SolveCommand, PropagationFillsTheBoardRoundByRound) {
  const Puzzle puzzle =
      P("003020600900305001001806400008102900700000008006708200002609500800203009005010300");
  const auto run = run_solve(puzzle);
  ASSERT_EQ(run.stage, SolveStage::propagation);
  EXPECT_TRUE(is_completion_of(run.answer, puzzle));
  ASSERT_GE(run.drawings.size(), 2u) << "one drawing per productive round, then the last";
  expect_drawings_grow(run.drawings, run.answer);
  EXPECT_EQ(run.drawings.back(), puzzle_text(run.answer));
  EXPECT_EQ(run.unsolvable_reports, 0);
}

TEST(SolveCommand, ATrialAnswerIsDrawnInOnePiece) {
  // Propagation stalls on these; a trial level completes them.
  for (const char* text :
       {"4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......",
        "85...24..72......9..4.........1.7..23.5...9...4...........8..7..17..........36.4."}) {
    const Puzzle puzzle = P(text);
    const auto run = run_solve(puzzle, 0);
    EXPECT_NE(run.stage, SolveStage::propagation) << text;
    EXPECT_NE(run.stage, SolveStage::unsolvable) << text;
    EXPECT_TRUE(is_completion_of(run.answer, puzzle)) << text;
    ASSERT_FALSE(run.drawings.empty());
    expect_drawings_grow(run.drawings, run.answer);
    EXPECT_EQ(run.drawings.back(), puzzle_text(run.answer));
  }
}

TEST(SolveCommand, TheCompleteSearchAnswersWhatTheTrialsMiss) {
  const Puzzle puzzle =
      P("8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..");
  ASSERT_EQ(count_solutions(puzzle, 2), 1);
  const auto run = run_solve(puzzle, 0);
  EXPECT_EQ(run.stage, SolveStage::search);
  EXPECT_TRUE(is_completion_of(run.answer, puzzle));
  ASSERT_FALSE(run.drawings.empty());
  EXPECT_EQ(run.drawings.back(), puzzle_text(run.answer));
  EXPECT_EQ(run.unsolvable_reports, 0);
}

TEST(SolveCommand, AFullBoardWithARepeatIsNoAnswer) {
  // Propagation alone fills every cell of this one, with two 8s in row 2.
  const Puzzle puzzle =
      P("400000001000030609000002000800006000200000415050001070000019700360047000008000300");
  ASSERT_EQ(count_solutions(puzzle, 1), 0);
  const auto run = run_solve(puzzle);
  EXPECT_EQ(run.stage, SolveStage::unsolvable);
  EXPECT_EQ(run.unsolvable_reports, 1);
  EXPECT_EQ(run.answer, puzzle) << "the entry comes back as it was";
  for (const auto& drawing : run.drawings) EXPECT_NE(drawing.find('.'), std::string::npos);
  // The report comes before the restore: the board still shows the drawn cells.
  if (!run.drawings.empty()) {
    EXPECT_EQ(run.board_at_report, run.drawings.back());
  }
}

TEST(SolveCommand, ASolvedGridIsRestoredByTheReturnToTheFirstProblem) {
  const Puzzle puzzle =
      P("003020600900305001001806400008102900700000008006708200002609500800203009005010300");
  Grid grid;
  enter_puzzle(grid, puzzle);
  ASSERT_EQ(check_input(grid), InputVerdict::accepted);
  accept_input(grid);
  testing::SolveRun run;
  testing::RecordingObserver observer(run);
  ASSERT_EQ(solve_command(grid, observer), SolveStage::propagation);
  grid.return_to_first_problem();
  EXPECT_EQ(board_digits(grid), puzzle);
  ASSERT_EQ(check_input(grid), InputVerdict::accepted);
  accept_input(grid);
  testing::SolveRun again;
  testing::RecordingObserver second(again);
  EXPECT_EQ(solve_command(grid, second), SolveStage::propagation);
  EXPECT_EQ(again.drawings, run.drawings) << "solving again takes the same road";
}

}  // namespace
}  // namespace tesura
