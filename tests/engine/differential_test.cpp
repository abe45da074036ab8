// The fast engine against the literal model: the same refusal or stage, the
// same drawing after every productive round, the same three views at the end
// and after the return to the first problem, on samples of public collections
// and on generated puzzles with one solution, several or none; and routine by
// routine on random boards.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "solver/complete_search.h"
#include "solver/one_go_solver.h"
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

TEST(Differential, PuzzleCollections) {
  const std::pair<const char*, int> samples[] = {
      {"norvig_hardest.txt", 11},
      {"norvig_top95.txt", scaled(95)},
      {"17_clue_sample.txt", scaled(60)},
      {"top1465_sample.txt", scaled(100)},
      {"forum_hardest_1905_sample.txt", scaled(60)},
      {"forum_hardest_1106_sample.txt", scaled(60)},
      {"serg_sample.txt", scaled(30)},
  };
  for (const auto& [file, count] : samples)
    for (const Puzzle& p : sample(file, count)) expect_sound(p, expect_same_as_literal(p, true));
  // All givens; propagation fills every cell of the second, with two 8s in
  // row 2; only the complete search answers the third.
  for (const char* text :
       {"534678912672195348198342567859761423426853791713924856961537284287419635345286179",
        "400000001000030609000002000800006000200000415050001070000019700360047000008000300",
        "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4.."}) {
    const Puzzle p = *parse_puzzle(text);
    expect_sound(p, expect_same_as_literal(p, true));
  }
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

// A board as a solve meets it: givens, decided cells (now and then with a
// wrong digit), emptied cells, and open cells of two to `width` candidates.
Board random_board(std::mt19937& rng) {
  const Puzzle grid = testing::random_solution(rng);
  const int width = 2 + static_cast<int>(rng() % 4);
  Board board;
  for (int i = 0; i < 81; ++i) {
    const auto [b, k] = block_of(i / 9 + 1, i % 9 + 1);
    const int at = (b - 1) * 9 + k - 1, kind = static_cast<int>(rng() % 10);
    const Digit d = kind == 4 ? static_cast<Digit>(1 + rng() % 9) : grid[i];
    board.val[at] = kind < 5 ? d : 0;
    board.cand[at] = kind < 3 || kind == 5 ? kNoCands : cands_of(d);
    const int n = 2 + static_cast<int>(rng() % (width - 1));
    while (kind > 5 && cands_length(board.cand[at]) < n)
      board.cand[at] |= cands_of(1 + static_cast<int>(rng() % 9));
  }
  return board;
}

// Each routine of the fast solver beside its literal counterpart; a routine
// on the row or column view reaches the block view through its write-back.
using Step = void (*)(OneGoSolver&, reference::LiteralForm&);
constexpr Step kSteps[] = {
    [](auto& f, auto& l) { f.check_gs(), l.check_gs(); },
    [](auto& f, auto& l) { f.check_ygs(), l.check_ygs(), l.ygs_gs(); },
    [](auto& f, auto& l) { f.check_tgs(), l.check_tgs(), l.tgs_gs(); },
    [](auto& f, auto& l) { f.place_unique_gs(), l.place_unique_gs(); },
    [](auto& f, auto& l) { f.place_unique_ygs(), l.place_unique_ygs(), l.ygs_gs(); },
    [](auto& f, auto& l) { f.place_unique_tgs(), l.place_unique_tgs(), l.tgs_gs(); },
    [](auto& f, auto& l) { f.solve_round(), l.solve_round(); },
    [](auto& f, auto& l) { f.mark1_gs(2), l.mark1_gs(2), f.mark2_gs(3), l.mark2_gs(3); },
    [](auto& f, auto& l) { f.mark1_ygs(2), l.mark1_ygs(2), f.mark2_ygs(3), l.mark2_ygs(3); },
    [](auto& f, auto& l) { f.mark1_tgs(2), l.mark1_tgs(2), f.mark2_tgs(3), l.mark2_tgs(3); },
    [](auto& f, auto& l) { f.find_conflict(), l.find_conflict(); },
    [](auto& f, auto& l) { f.trial_one(), l.trial_one(); },
    [](auto& f, auto& l) { f.trial_two(), l.trial_two(); },
};

TEST(Differential, EachRoutineOnRandomBoards) {
  std::mt19937 rng(11);
  for (int i = 0; i < scaled(300); ++i) {
    const Board board = random_board(rng);
    for (std::size_t step = 0; step < std::size(kSteps); ++step) {
      OneGoSolver fast(board);
      reference::LiteralForm literal;
      for (int at = 0; at < 81; ++at) {
        literal.gs_cand[at / 9 + 1][at % 9 + 1] = cands_text(board.cand[at]);
        literal.gs_val[at / 9 + 1][at % 9 + 1] = board.val[at];
      }
      literal.sync_views();
      fast.count_given();
      literal.count_given();
      fast.fill_target = literal.fill_target = static_cast<Digit>(81 - fast.given_cnt);
      kSteps[step](fast, literal);
      fast.count_cand();
      literal.count_cand();
      Grid grid;
      fast.gs.to_block_view(grid);
      grid.sync_views();
      literal.sync_views();
      const std::string where = "board " + std::to_string(i) + ", step " + std::to_string(step);
      ASSERT_EQ(testing::views_text(grid), literal.views()) << where;
      EXPECT_EQ(fast.decided_cnt, literal.decided_cnt) << where;
      EXPECT_TRUE(std::equal(fast.unit_flag1.begin(), fast.unit_flag1.end(), literal.unit_flag1))
          << where;
      EXPECT_TRUE(std::equal(fast.unit_flag2.begin(), fast.unit_flag2.end(), literal.unit_flag2))
          << where;
      EXPECT_EQ(fast.conflict_flag, literal.conflict_flag) << where;
      EXPECT_EQ(fast.solved_flag, literal.solved_flag) << where;
    }
  }
}

}  // namespace
}  // namespace tesura
