// The complete search against the puzzle collections, hand-made edge cases
// and a plain brute-force counter on generated puzzles.
#include "solver/complete_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/puzzle.h"
#include "tests/support/sudoku_checks.h"

namespace tesura {
namespace {

Puzzle parse(std::string_view text) {
  const auto p = parse_puzzle(text);
  EXPECT_TRUE(p.has_value()) << text;
  return p.value_or(Puzzle{});
}

// Valid, and keeps the givens; the puzzle is named when it is not.
::testing::AssertionResult is_completion(const Puzzle& givens, const Puzzle& s) {
  if (testing::is_completion_of(s, givens)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << puzzle_text(s) << " does not complete " << puzzle_text(givens);
}

// Deliberately plain: fill the open cell with the fewest candidates, try
// each digit, count completions up to limit.
class BruteCounter {
 public:
  int count(const Puzzle& p, int limit) {
    grid_ = p;
    limit_ = limit;
    found_ = 0;
    std::fill(std::begin(used_), std::end(used_), 0u);
    for (int i = 0; i < 81; ++i)
      if (grid_[i] != 0) {
        if (taken(i) & (1u << grid_[i])) return 0;
        mark(i, grid_[i]);
      }
    fill();
    return found_;
  }

 private:
  static int unit(int i, int kind) {
    return kind == 0 ? i / 9 : kind == 1 ? 9 + i % 9 : 18 + i / 27 * 3 + i % 9 / 3;
  }
  unsigned taken(int i) const { return used_[unit(i, 0)] | used_[unit(i, 1)] | used_[unit(i, 2)]; }
  void mark(int i, int d) {
    for (int k = 0; k < 3; ++k) used_[unit(i, k)] ^= 1u << d;
  }
  void fill() {
    int best = -1, best_n = 10;
    unsigned best_free = 0;
    for (int i = 0; i < 81; ++i)
      if (grid_[i] == 0) {
        const unsigned free = ~taken(i) & 0x3FE;
        const int n = std::popcount(free);
        if (n < best_n) {
          best = i;
          best_n = n;
          best_free = free;
        }
      }
    if (best < 0) {
      ++found_;
      return;
    }
    for (int d = 1; d <= 9 && found_ < limit_; ++d)
      if (best_free & (1u << d)) {
        grid_[best] = static_cast<Digit>(d);
        mark(best, d);
        fill();
        mark(best, d);
        grid_[best] = 0;
      }
  }

  Puzzle grid_{};
  unsigned used_[27] = {};
  int limit_ = 0, found_ = 0;
};

std::vector<Puzzle> sample_file(const std::string& name, int wanted) {
  std::ifstream in(std::filesystem::path(TESURA_PUZZLE_DIR) / name);
  std::vector<Puzzle> all;
  for (std::string line; std::getline(in, line);)
    if (auto p = parse_puzzle(line)) all.push_back(*p);
  // Evenly spread: some files are sorted, so a prefix would be biased.
  std::vector<Puzzle> sample;
  const std::size_t step = std::max<std::size_t>(1, all.size() / wanted);
  for (std::size_t i = 0; i < all.size(); i += step) sample.push_back(all[i]);
  return sample;
}

struct Collection {
  const char* file;
  bool unique;  // else every puzzle has two or more solutions
};

void PrintTo(const Collection& c, std::ostream* os) {
  *os << c.file;
}

class CollectionTest : public ::testing::TestWithParam<Collection> {};

TEST_P(CollectionTest, SolutionsCompleteTheGivensAndCountsMatch) {
  if (!std::filesystem::is_directory(TESURA_PUZZLE_DIR)) GTEST_SKIP() << "no puzzle folder";
  const auto sample = sample_file(GetParam().file, 150);
  ASSERT_FALSE(sample.empty()) << GetParam().file;
  BruteCounter brute;
  int checked_by_brute = 0;
  for (const Puzzle& p : sample) {
    Puzzle s;
    s.fill(7);
    ASSERT_TRUE(complete_search(p, s)) << puzzle_text(p);
    ASSERT_TRUE(is_completion(p, s)) << puzzle_text(p);
    const int n = count_solutions(p, 3);
    if (GetParam().unique) {
      ASSERT_EQ(n, 1) << puzzle_text(p);
    } else {
      ASSERT_GE(n, 2) << puzzle_text(p);
      // Many givens: cheap for the plain counter.
      if (checked_by_brute++ < 40) {
        ASSERT_EQ(n, brute.count(p, 3)) << puzzle_text(p);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Files, CollectionTest,
                         ::testing::Values(Collection{"puzzles2_17_clue.txt", true},
                                           Collection{"puzzles3_magictour_top1465.txt", true},
                                           Collection{"puzzles5_forum_hardest_1905_11+.txt", true},
                                           Collection{"puzzles6_forum_hardest_1106.txt", true},
                                           Collection{"norvig_top95.txt", true},
                                           Collection{"norvig_hardest.txt", true},
                                           Collection{"puzzles7_serg_benchmark.txt", false}),
                         [](const auto& info) {
                           std::string name = info.param.file;
                           name = name.substr(0, name.find('.'));
                           std::replace_if(
                               name.begin(), name.end(),
                               [](unsigned char c) { return !std::isalnum(c); }, '_');
                           return name;
                         });

TEST(CompleteSearch, HardAndUnsolvablePuzzles) {
  const Puzzle hard =
      parse("8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..");
  Puzzle s;
  ASSERT_TRUE(complete_search(hard, s));
  EXPECT_TRUE(is_completion(hard, s));
  EXPECT_EQ(count_solutions(hard, 5), 1);

  // No repeat among the givens, yet no solution.
  const char* unsolvable[] = {
      "400000001000030609000002000800006000200000415050001070000019700360047000008000300",
      // Row 1 leaves its last cell only a 9, which its column already has.
      "12345678.........9...............................................................",
  };
  BruteCounter brute;
  for (const char* text : unsolvable) {
    const Puzzle p = parse(text);
    EXPECT_EQ(brute.count(p, 1), 0) << text;
    EXPECT_FALSE(complete_search(p, s)) << text;
    EXPECT_EQ(count_solutions(p, 5), 0) << text;
  }
}

TEST(CompleteSearch, RepeatedGivensHaveNoSolution) {
  const Puzzle grid =
      parse("534678912672195348198342567859761423426853791713924856961537284287419635345286179");
  Puzzle s;
  ASSERT_TRUE(complete_search(grid, s));
  EXPECT_EQ(s, grid);
  EXPECT_EQ(count_solutions(grid, 5), 1);

  Puzzle repeated[4]{};
  repeated[0][0] = repeated[0][8] = 5;   // row
  repeated[1][0] = repeated[1][72] = 5;  // column
  repeated[2][0] = repeated[2][20] = 5;  // box
  repeated[3] = grid;
  std::swap(repeated[3][0], repeated[3][1]);  // a full grid, two cells swapped
  for (const Puzzle& p : repeated) {
    EXPECT_FALSE(complete_search(p, s)) << puzzle_text(p);
    EXPECT_EQ(count_solutions(p, 5), 0) << puzzle_text(p);
  }
  // One cell open in the swapped grid: still a repeat.
  repeated[3][40] = 0;
  EXPECT_FALSE(complete_search(repeated[3], s));
}

TEST(CompleteSearch, EmptyGridAndDeterminism) {
  const Puzzle empty{};
  Puzzle first;
  ASSERT_TRUE(complete_search(empty, first));
  EXPECT_TRUE(is_completion(empty, first));
  EXPECT_EQ(count_solutions(empty, 50), 50);
  EXPECT_EQ(count_solutions(empty, 1), 1);

  const Puzzle several =
      parse("..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..");
  // Without seven of its givens it has several solutions.
  Puzzle loose = several;
  for (int i : {2, 4, 6, 9, 12, 15, 17}) loose[i] = 0;
  ASSERT_GE(count_solutions(loose, 2), 2);
  Puzzle a, b, c, d;
  ASSERT_TRUE(complete_search(loose, a));
  ASSERT_TRUE(complete_search(empty, b));  // nothing carries over between calls
  ASSERT_TRUE(complete_search(loose, c));
  ASSERT_TRUE(complete_search(empty, d));
  EXPECT_EQ(a, c);
  EXPECT_EQ(first, b);
  EXPECT_EQ(first, d);
  EXPECT_TRUE(is_completion(loose, a));
}

bool repeated_in_unit(const Puzzle& p, int cell, int d) {
  for (int k = 0; k < 81; ++k)
    if (k != cell && p[k] == d &&
        (k / 9 == cell / 9 || k % 9 == cell % 9 ||
         (k / 27 == cell / 27 && k % 9 / 3 == cell % 9 / 3)))
      return true;
  return false;
}

// Generated puzzles, cross-checked with the brute-force counter: random
// givens of random grids, then the same with one wrong digit added where no
// unit repeats it (mostly without solution).
TEST(CompleteSearch, AgreesWithBruteForceOnGeneratedPuzzles) {
  std::mt19937 rng(20261206);
  BruteCounter brute;
  int unsolvable = 0, unique = 0, several = 0;
  for (int round = 0; round < 3000; ++round) {
    const Puzzle grid = testing::random_solution(rng);
    Puzzle p = testing::with_givens(grid, std::uniform_int_distribution<int>(20, 55)(rng), rng);
    const bool wrong_digit = round % 3 == 2;
    if (wrong_digit) {
      std::vector<std::pair<int, int>> options;
      for (int i = 0; i < 81; ++i)
        if (p[i] == 0)
          for (int d = 1; d <= 9; ++d)
            if (d != grid[i] && !repeated_in_unit(p, i, d)) options.emplace_back(i, d);
      if (options.empty()) continue;
      const auto [cell, digit] =
          options[std::uniform_int_distribution<std::size_t>(0, options.size() - 1)(rng)];
      p[cell] = static_cast<Digit>(digit);
    }
    const int expected = brute.count(p, 3);
    Puzzle s;
    const bool solved = complete_search(p, s);
    ASSERT_EQ(solved, expected > 0) << puzzle_text(p);
    ASSERT_EQ(count_solutions(p, 3), expected) << puzzle_text(p);
    ASSERT_EQ(count_solutions(p, 1), std::min(expected, 1)) << puzzle_text(p);
    if (solved) {
      ASSERT_TRUE(is_completion(p, s)) << puzzle_text(p);
    }
    if (expected == 1 && !wrong_digit) {
      ASSERT_EQ(s, grid) << puzzle_text(p);
    }
    (expected == 0 ? unsolvable : expected == 1 ? unique : several)++;
  }
  // Each kind must be well represented for the sweep to mean anything.
  EXPECT_GT(unsolvable, 300);
  EXPECT_GT(unique, 300);
  EXPECT_GT(several, 300);
}

}  // namespace
}  // namespace tesura
