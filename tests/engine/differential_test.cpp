// SPDX-License-Identifier: MIT
// The fast engine against the literal model: the same refusal or stage, the
// same drawing after every productive round, the same three views at the end
// and after the return to the first problem, on samples of public collections
// and on generated puzzles with one solution, several or none; and the
// shortcuts' own counts where they only save time.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "solver/complete_search.h"
#include "solver/solve_context.h"
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
// The fast solve gets `context` where given, as a window keeps one.
SolveRun expect_same_as_literal(const Puzzle& puzzle, bool any_count,
                                SolveContext* context = nullptr) {
  SolveRun fast = testing::run_solve(puzzle, any_count ? 0 : kMinEntries, context);
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

// Samples of the public collections, and boards made for corners: all
// givens; propagation fills every cell of the second, with two 8s in row 2;
// only the complete search answers the third; the fourth is drawn with a
// cell whose candidates were all pruned away. The last two have several
// solutions and are where a shortcut taken wrongly shows: a memo that takes
// a board part of the way through a round for a board at another stage
// (the fifth: trial2 becomes search), a tried-guess index that takes one
// guess for another with the same cells (the sixth).
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
        ".87.6.1934.......8..1......1..4273.9...58.274.42.....5.6.15.4.73.5....8...4..2.3.",
        "..3....7...9...8211....4..9......98.....784......51.3......3.6...5.1.......8.9...",
        "8......7.39.7.....1.62.........6..9.95..2.....8.91..35.........5.14.2....4...85.2"})
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

// Puzzles with several solutions on which the second level runs, through
// one context as the window keeps it: there every shortcut is taken, and a
// wrong memo hit, a wrong skip or a wrong cached outcome would change a
// stage, a drawing or an answer.
TEST(Differential, SecondLevelOnPuzzlesWithSeveralSolutions) {
  std::mt19937 rng(20261207);
  SolveContext context;
  ShortcutCounts first;
  int compared = 0;
  for (int i = 0; i < 20000 && compared < scaled(150); ++i) {
    const int keep = 20 + static_cast<int>(rng() % 6);
    const Puzzle puzzle = testing::with_givens(testing::random_solution(rng), keep, rng);
    const SolveRun run = testing::run_solve(puzzle, 0, &context);
    if (run.stage != SolveStage::trial2 && run.stage != SolveStage::search) continue;
    if (count_solutions(puzzle, 2) < 2) continue;
    expect_same_as_literal(puzzle, true, &context);
    if (++compared == 15) first = context.counts;
  }
  EXPECT_EQ(compared, scaled(150));
  // The solutions' ruling out on the first fifteen, in every build: each
  // solution a search finds vouches for all its digits, so few searches run.
  EXPECT_LE(first.searches, 28);  // 26
  EXPECT_GE(first.ruled_out, 2);  // 2
}

// A shortcut that only saves time shows in no outcome, so its work is
// counted: on fixed samples each one spares about as much as it was built
// to (the figures of today's build, with a little room), and the searches
// that rule guesses out stay few.
TEST(Differential, ShortcutsSpareWork) {
  SolveContext context;
  for (const Puzzle& p : sample("serg_sample.txt", 30)) testing::run_solve(p, 0, &context);
  for (const Puzzle& p : sample("top1465_sample.txt", 100)) testing::run_solve(p, 0, &context);
  const ShortcutCounts& n = context.counts;
  EXPECT_GE(n.memo_hits, 2200);   // 2361
  EXPECT_GE(n.tried_hits, 6800);  // 7153
  EXPECT_GE(n.nested_hits, 850);  // 902
  EXPECT_GE(n.ruled_out, 80);     // 87
  EXPECT_LE(n.searches, 60);      // 57
}

// A solve started from an observer while another runs on the same context
// (as a window's handler might) shares nothing with it: each gives what it
// gives alone.
TEST(Differential, SolveInsideASolveSharesNothing) {
  struct Nesting : SolveObserver {
    SolveContext* context = nullptr;
    Puzzle inner{};
    std::vector<SolveRun> inner_runs;
    std::vector<std::string> drawings;
    void show_board(const Grid& grid) override {
      drawings.push_back(shown_board(grid));
      inner_runs.push_back(testing::run_solve(inner, 0, context));
    }
    void unsolvable(const Grid&) override {}
  };
  const std::vector<Puzzle> puzzles = sample("serg_sample.txt", 6);
  SolveContext context;
  for (std::size_t i = 0; i + 1 < puzzles.size(); ++i) {
    const SolveRun outer_alone = testing::run_solve(puzzles[i], 0);
    const SolveRun inner_alone = testing::run_solve(puzzles[i + 1], 0);
    Nesting nesting;
    nesting.context = &context;
    nesting.inner = puzzles[i + 1];
    Grid grid;
    enter_accepted(grid, puzzles[i]);
    EXPECT_EQ(solve_command(grid, nesting, context), outer_alone.stage);
    EXPECT_EQ(nesting.drawings, outer_alone.drawings);
    EXPECT_FALSE(nesting.inner_runs.empty());
    for (const SolveRun& inner : nesting.inner_runs) {
      EXPECT_EQ(inner.stage, inner_alone.stage);
      EXPECT_EQ(inner.drawings, inner_alone.drawings);
    }
  }
  EXPECT_FALSE(context.in_use);
}

}  // namespace
}  // namespace tesura
