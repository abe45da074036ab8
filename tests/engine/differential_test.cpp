// The fast solver against the literal, string-based model: the same stage,
// the same drawing after every productive round and the same final board,
// on puzzles from every collection and on generated ones with several
// solutions, where the order of guesses decides which answer comes out.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "tests/reference/literal_solver.h"
#include "tests/support/sudoku_checks.h"

namespace tesura {
namespace {

std::string stage_text(const testing::SolveRun& run) {
  switch (run.verdict) {
    case InputVerdict::too_few:
      return "refused_too_few";
    case InputVerdict::repeated:
      return "refused_repeat";
    case InputVerdict::accepted:
      break;
  }
  return stage_name(run.stage);
}

void expect_same_as_literal(const Puzzle& puzzle, int min_entries) {
  const auto fast = testing::run_solve(puzzle, min_entries);
  const auto literal = reference::literal_solve(puzzle, min_entries);
  const std::string text = puzzle_text(puzzle);
  ASSERT_EQ(stage_text(fast), literal.stage) << text;
  EXPECT_EQ(fast.drawings, literal.drawings) << text;
  if (fast.verdict == InputVerdict::accepted) {
    std::string board;
    for (Digit d : fast.answer) board += static_cast<char>('0' + d);
    EXPECT_EQ(board, literal.final_board) << text;
  }
}

// The first `count` puzzles of a collection, or nothing if it is not there.
std::vector<Puzzle> first_of(const std::string& file, int count) {
  std::vector<Puzzle> puzzles;
  std::ifstream in(std::string(TESURA_PUZZLE_DIR) + "/" + file);
  std::string line;
  while (static_cast<int>(puzzles.size()) < count && std::getline(in, line))
    if (auto p = parse_puzzle(line)) puzzles.push_back(*p);
  return puzzles;
}

// Fewer puzzles where the tests run many times slower.
constexpr int scaled(int n) {
  return TESURA_SLOW_BUILD ? (n + 4) / 5 : n;
}

TEST(Differential, PuzzleCollections) {
  const struct {
    const char* file;
    int count;
  } samples[] = {
      {"norvig_hardest.txt", 11},
      {"norvig_top95.txt", scaled(95)},
      {"puzzles2_17_clue.txt", scaled(60)},
      {"puzzles3_magictour_top1465.txt", scaled(120)},
      {"puzzles5_forum_hardest_1905_11+.txt", scaled(60)},
      {"puzzles6_forum_hardest_1106.txt", scaled(60)},
      {"puzzles7_serg_benchmark.txt", scaled(30)},
  };
  int seen = 0;
  for (const auto& s : samples)
    for (const Puzzle& p : first_of(s.file, s.count)) {
      expect_same_as_literal(p, 0);
      ++seen;
    }
  if (seen == 0) GTEST_SKIP() << "no puzzle collections at " << TESURA_PUZZLE_DIR;
}

TEST(Differential, GeneratedPuzzlesWithOneOrSeveralSolutions) {
  std::mt19937 rng(7);
  for (int i = 0; i < scaled(200); ++i) {
    const Puzzle grid = testing::random_solution(rng);
    const int keep = 18 + static_cast<int>(rng() % 20);
    expect_same_as_literal(testing::with_givens(grid, keep, rng), kMinEntries);
  }
}

TEST(Differential, TheMendedFaults) {
  for (const char* text :
       {"400000001000030609000002000800006000200000415050001070000019700360047000008000300",
        "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4.."})
    expect_same_as_literal(*parse_puzzle(text), 0);
}

}  // namespace
}  // namespace tesura
