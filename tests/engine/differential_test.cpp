// SPDX-License-Identifier: MIT
// The fast engine against the literal model: the same refusal or stage, the
// same drawing after every productive round, the same three views at the end
// and after the return to the first problem, on samples of public collections
// and on generated puzzles with one solution, several or none.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "solver/complete_search.h"
#include "tests/reference/literal_solver.h"
#include "tests/support/sudoku_checks.h"

namespace tesura {
namespace {

using testing::SolveRun;

// Fewer puzzles where the tests run many times slower.
constexpr int scaled(int n) {
  return TESURA_SLOW_BUILD ? (n + 9) / 10 : n;
}

// any_count: the batch solver's mode that lets fewer than 20 givens through.
SolveRun expect_same_as_literal(const Puzzle& puzzle, bool any_count) {
  SolveRun fast = any_count ? testing::run_solve(puzzle, 0) : testing::run_solve(puzzle);
  reference::LiteralForm literal;
  const std::string stage = reference::literal_solve(literal, puzzle, any_count ? 0 : 20);
  const std::string text = puzzle_text(puzzle);
  const bool refused = fast.verdict != InputVerdict::accepted;
  EXPECT_EQ(refused ? refusal_message(fast.verdict) : stage_name(fast.stage), stage) << text;
  EXPECT_EQ(fast.drawings, literal.drawings) << text;
  EXPECT_EQ(fast.views, literal.views()) << text;
  if (!fast.returned.empty()) {
    literal.mnusaisyo_Click();
    EXPECT_EQ(fast.returned, literal.views()) << "returned: " << text;
  }
  return fast;
}

// An answer completes the givens and is the last drawing (a puzzle of
// givens alone draws nothing); "unsolvable" is said once, only where no
// solution exists, and the entry comes back.
void expect_sound(const Puzzle& puzzle, const SolveRun& run) {
  if (run.verdict != InputVerdict::accepted) return;
  const std::string text = puzzle_text(puzzle);
  if (run.stage == SolveStage::unsolvable) {
    EXPECT_EQ(count_solutions(puzzle, 1), 0) << text;
    EXPECT_EQ(run.answer, puzzle) << text;
    EXPECT_EQ(run.unsolvable_reports, 1) << text;
    return;
  }
  EXPECT_TRUE(testing::is_completion_of(run.answer, puzzle)) << text;
  EXPECT_EQ(run.unsolvable_reports, 0) << text;
  const std::string last = run.drawings.empty() ? "" : run.drawings.back();
  EXPECT_EQ(last, run.stage == SolveStage::given ? "" : puzzle_text(run.answer)) << text;
}

// The first `count` puzzles of a sample in the repository's test data.
std::vector<Puzzle> sample(const std::string& file, int count) {
  std::vector<Puzzle> puzzles;
  std::ifstream in(std::string(TESURA_TEST_DATA_DIR) + "/" + file);
  std::string line;
  while (static_cast<int>(puzzles.size()) < count && std::getline(in, line))
    if (auto p = parse_puzzle(line)) puzzles.push_back(*p);
  EXPECT_EQ(static_cast<int>(puzzles.size()), count) << "missing test data: " << file;
  return puzzles;
}

// Samples of the public collections, and four boards made for corners:
// all givens; propagation fills every cell of the second, with two 8s in
// row 2; only the complete search answers the third; the fourth is drawn
// with a cell whose candidates were all pruned away.
std::vector<Puzzle> collections() {
  const std::pair<const char*, int> samples[] = {
      {"norvig_hardest.txt", 11},
      {"norvig_top95.txt", scaled(95)},
      {"17_clue_sample.txt", scaled(60)},
      {"top1465_sample.txt", scaled(100)},
      {"forum_hardest_1905_sample.txt", scaled(60)},
      {"forum_hardest_1106_sample.txt", scaled(60)},
      {"serg_sample.txt", scaled(30)},
  };
  std::vector<Puzzle> puzzles;
  for (const auto& [file, count] : samples)
    for (const Puzzle& p : sample(file, count)) puzzles.push_back(p);
  for (const char* text :
       {"534678912672195348198342567859761423426853791713924856961537284287419635345286179",
        "400000001000030609000002000800006000200000415050001070000019700360047000008000300",
        "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..",
        ".87.6.1934.......8..1......1..4273.9...58.274.42.....5.6.15.4.73.5....8...4..2.3."})
    puzzles.push_back(*parse_puzzle(text));
  return puzzles;
}

TEST(Differential, PuzzleCollections) {
  for (const Puzzle& p : collections()) expect_sound(p, expect_same_as_literal(p, true));
}

TEST(Differential, GeneratedPuzzlesWithOneSolutionSeveralOrNone) {
  std::mt19937 rng(20261206);
  int answered = 0, unsolvable = 0;
  for (int i = 0; i < scaled(3000); ++i) {
    const int keep = 18 + static_cast<int>(rng() % 23);  // a few refused as too few
    Puzzle puzzle = testing::with_givens(testing::random_solution(rng), keep, rng);
    // Another digit in one given: mostly a repeat or no solution then.
    for (int at = static_cast<int>(rng() % 81); i % 3 != 0; at = (at + 1) % 81)
      if (puzzle[at] != 0) {
        puzzle[at] = static_cast<Digit>(1 + rng() % 9);
        break;
      }
    const SolveRun run =
        i % 15 == 0 ? expect_same_as_literal(puzzle, false) : testing::run_solve(puzzle);
    expect_sound(puzzle, run);
    if (run.verdict == InputVerdict::accepted)
      ++(run.stage == SolveStage::unsolvable ? unsolvable : answered);
  }
  EXPECT_GT(answered, scaled(1200));
  EXPECT_GT(unsolvable, scaled(150));
}

}  // namespace
}  // namespace tesura
