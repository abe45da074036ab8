// Thousands of generated puzzles, with one solution, several or none: every
// answer completes its givens, and "unsolvable" is said exactly where an
// exhaustive count finds no solution.
#include <gtest/gtest.h>

#include <random>

#include "solver/complete_search.h"
#include "tests/support/sudoku_checks.h"

namespace tesura {
namespace {

using testing::is_completion_of;
using testing::run_solve;

void check_one(const Puzzle& puzzle, int& answered, int& unsolvable) {
  const auto run = run_solve(puzzle, 0);
  if (run.verdict != InputVerdict::accepted) return;
  const int solutions = count_solutions(puzzle, 1);
  if (run.stage == SolveStage::unsolvable) {
    ++unsolvable;
    EXPECT_EQ(solutions, 0) << puzzle_text(puzzle);
    EXPECT_EQ(run.answer, puzzle) << "restored: " << puzzle_text(puzzle);
    EXPECT_EQ(run.unsolvable_reports, 1);
  } else {
    ++answered;
    EXPECT_TRUE(is_completion_of(run.answer, puzzle)) << puzzle_text(puzzle);
    EXPECT_EQ(run.unsolvable_reports, 0);
    if (run.stage != SolveStage::given) {
      ASSERT_FALSE(run.drawings.empty());
      EXPECT_EQ(run.drawings.back(), puzzle_text(run.answer)) << puzzle_text(puzzle);
    }
  }
}

TEST(Sweep, GeneratedPuzzlesGetValidAnswersOrAProvenRefusal) {
  std::mt19937 rng(20261206);
  int answered = 0, unsolvable = 0;
  for (int i = 0; i < 3000; ++i) {
    const Puzzle grid = testing::random_solution(rng);
    const int keep = 20 + static_cast<int>(rng() % 21);  // 20 to 40 givens
    Puzzle puzzle = testing::with_givens(grid, keep, rng);
    if (i % 3 == 2) {
      // Change one given to a digit its peers do not hold: no repeat, and
      // usually no solution any more.
      for (int tries = 0; tries < 81; ++tries) {
        const int at = static_cast<int>(rng() % 81);
        if (puzzle[at] == 0) continue;
        const Digit d = static_cast<Digit>(1 + rng() % 9);
        Puzzle changed = puzzle;
        changed[at] = d;
        bool clash = d == puzzle[at];
        for (int j = 0; j < 81 && !clash; ++j) {
          if (j == at || changed[j] != d) continue;
          clash =
              j / 9 == at / 9 || j % 9 == at % 9 || (j / 27 == at / 27 && j % 9 / 3 == at % 9 / 3);
        }
        if (!clash) {
          puzzle = changed;
          break;
        }
      }
    }
    check_one(puzzle, answered, unsolvable);
  }
  EXPECT_GT(answered, 1500);
  EXPECT_GT(unsolvable, 200);
}

}  // namespace
}  // namespace tesura
