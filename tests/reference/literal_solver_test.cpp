// Checks of the reference model itself, at the places where a reading of
// the rules could plausibly go wrong.
#include "tests/reference/literal_solver.h"

#include <gtest/gtest.h>

#include <set>

namespace tesura::reference {
namespace {

tesura::Puzzle parse(const std::string& line) {
  auto puzzle = tesura::parse_puzzle(line);
  EXPECT_TRUE(puzzle.has_value()) << line;
  return puzzle.value_or(tesura::Puzzle{});
}

// True when board is a full grid without repeats that keeps every given.
bool is_completion(const std::string& board, const tesura::Puzzle& givens) {
  for (int i = 0; i < 81; ++i) {
    if (board[i] < '1' || board[i] > '9') return false;
    if (givens[i] != 0 && board[i] != '0' + givens[i]) return false;
  }
  for (int u = 0; u < 9; ++u) {
    std::set<char> row, col, box;
    for (int j = 0; j < 9; ++j) {
      row.insert(board[u * 9 + j]);
      col.insert(board[j * 9 + u]);
      box.insert(board[(u / 3 * 3 + j / 3) * 9 + u % 3 * 3 + j % 3]);
    }
    if (row.size() != 9 || col.size() != 9 || box.size() != 9) return false;
  }
  return true;
}

std::string digits_of(const tesura::Puzzle& puzzle) {
  std::string out;
  for (auto d : puzzle) out += static_cast<char>('0' + d);
  return out;
}

// Pruning sees a value fixed earlier in the same call, but a cell before it
// waits for the next call.
TEST(LiteralRules, CheckYgsCountsANewValueOnlyForLaterCells) {
  LiteralForm f;
  f.ygs_cand[1][1] = "148";
  f.ygs_cand[1][2] = "";
  f.ygs_val[1][2] = 3;
  f.ygs_cand[1][5] = "38";
  f.ygs_cand[1][7] = "1238";
  f.check_ygs();
  EXPECT_EQ(f.ygs_cand[1][5], "8");
  EXPECT_EQ(f.ygs_val[1][5], 8);
  EXPECT_EQ(f.ygs_cand[1][7], "12");
  EXPECT_EQ(f.ygs_cand[1][1], "148");
  EXPECT_EQ(f.ygs_cand[1][3], "12456789");
  EXPECT_EQ(f.ygs_cand[1][6], "1245679");
  EXPECT_EQ(f.ygs_cand[2][1], "123456789");  // other rows untouched
  f.check_ygs();
  EXPECT_EQ(f.ygs_cand[1][1], "14");
  EXPECT_EQ(f.ygs_val[1][1], 0);
}

// The tally is taken once per unit: a cell that is the only place of 3 and
// of 8 gets 3, and 8 is then placed nowhere.
TEST(LiteralRules, OnlyPlaceOfTwoDigitsGetsTheSmaller) {
  LiteralForm f;
  for (int k = 4; k <= 9; ++k) {
    f.gs_cand[1][k] = "";
    f.gs_val[1][k] = static_cast<int16_t>(k);
  }
  f.gs_cand[1][1] = "12";
  f.gs_cand[1][2] = "138";
  f.gs_cand[1][3] = "12";
  f.place_unique_gs();
  EXPECT_EQ(f.gs_cand[1][1], "12");
  EXPECT_EQ(f.gs_cand[1][2], "3");
  EXPECT_EQ(f.gs_val[1][2], 3);
  EXPECT_EQ(f.gs_cand[1][3], "12");
  EXPECT_EQ(f.gs_val[1][1], 0);
  EXPECT_EQ(f.gs_val[1][3], 0);
}

// Phase 1 gives the first two-candidate cell its smaller digit and the
// later ones their larger; phase 2 the other way round.
TEST(LiteralRules, TrialOneGuessOrderInABlock) {
  LiteralForm f;
  f.gs_cand[1][1] = "27";
  f.gs_cand[1][2] = "49";
  f.gs_cand[1][3] = "13";
  for (int k = 4; k <= 9; ++k) f.gs_cand[1][k] = "";  // emptied: settled, prune nothing
  f.sync_views();
  f.count_given();
  f.fill_target = static_cast<int16_t>(81 - f.given_cnt);
  f.log_guesses = true;
  f.trial_one();
  EXPECT_EQ(f.solved_flag, 0);

  std::string first_in_phase[7];
  for (const TrialGuess& g : f.guesses) {
    if (g.unit == 1 && first_in_phase[g.phase].empty()) first_in_phase[g.phase] = g.digits;
  }
  EXPECT_EQ(first_in_phase[1], "293");
  EXPECT_EQ(first_in_phase[2], "741");
  // The failed search leaves the entry snapshot.
  EXPECT_EQ(f.gs_cand[1][1], "27");
  EXPECT_EQ(f.gs_cand[1][2], "49");
  EXPECT_EQ(f.gs_cand[1][3], "13");
}

TEST(LiteralCommand, InputCompletionAndTrivialBoards) {
  tesura::Puzzle full{};
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) full[r * 9 + c] = static_cast<int16_t>((r * 3 + r / 3 + c) % 9 + 1);

  // Nineteen digits are too few, even with a repeat among them.
  tesura::Puzzle p{};
  for (int i = 0; i < 18; ++i) p[i] = full[i];
  p[18] = full[0];  // same column and block as cell 0
  EXPECT_EQ(literal_solve(p).stage, "refused_too_few");
  EXPECT_EQ(literal_solve(p, 0).stage, "refused_repeat");

  // A full grid: nothing to solve, nothing drawn.
  const LiteralRun run = literal_solve(full);
  EXPECT_EQ(run.stage, "given");
  EXPECT_TRUE(run.drawings.empty());
  EXPECT_EQ(run.final_board, digits_of(full));
}

// Propagation fills this board with a repeated digit; that is not an
// answer, and the puzzle has none.
TEST(LiteralCommand, FullBoardWithARepeatIsUnsolvable) {
  const tesura::Puzzle p =
      parse("400000001000030609000002000800006000200000415050001070000019700360047000008000300");
  // Propagation alone does fill it, with a repeat.
  LiteralForm f;
  for (int i = 0; i < 81; ++i) {
    if (p[i] != 0) f.enter_digit(i / 27 * 3 + i % 9 / 3 + 1, i / 9 % 3 * 3 + i % 3 + 1, p[i]);
  }
  ASSERT_EQ(f.btninput_Click(), "");
  f.count_given();
  f.fill_target = static_cast<int16_t>(81 - f.given_cnt);
  f.count_cand();
  for (int16_t prev = -1; f.decided_cnt != prev;) {
    prev = f.decided_cnt;
    f.solve_round();
    f.count_cand();
  }
  EXPECT_EQ(f.decided_cnt, f.fill_target);
  f.find_conflict();
  EXPECT_EQ(f.conflict_flag, 1);

  const LiteralRun run = literal_solve(p);
  EXPECT_EQ(run.stage, "unsolvable");
  EXPECT_EQ(run.final_board, digits_of(p));
  for (const std::string& d : run.drawings) EXPECT_NE(d.find('.'), std::string::npos);
}

// The trials give up on this one; the complete search answers it.
TEST(LiteralCommand, HardPuzzleIsAnswered) {
  const tesura::Puzzle p =
      parse("8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..");
  const LiteralRun run = literal_solve(p);
  EXPECT_EQ(run.stage, "search");
  EXPECT_TRUE(is_completion(run.final_board, p)) << run.final_board;
  ASSERT_FALSE(run.drawings.empty());
  EXPECT_EQ(run.drawings.back(), run.final_board);
}

// An easy puzzle is drawn round by round, each drawing extending the last.
TEST(LiteralCommand, PropagationDrawsEveryProductiveRound) {
  const tesura::Puzzle p =
      parse("003020600900305001001806400008102900700000008006708200002609500800203009005010300");
  const LiteralRun run = literal_solve(p);
  EXPECT_EQ(run.stage, "propagation");
  EXPECT_TRUE(is_completion(run.final_board, p));
  ASSERT_GE(run.drawings.size(), 2u);
  EXPECT_EQ(run.drawings.back(), run.final_board);
  std::string before = tesura::puzzle_text(p);
  for (const std::string& d : run.drawings) {
    for (int i = 0; i < 81; ++i) {
      if (before[i] != '.') {
        EXPECT_EQ(d[i], before[i]);
      }
    }
    EXPECT_NE(d, before);
    before = d;
  }
}

}  // namespace
}  // namespace tesura::reference
