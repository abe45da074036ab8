// Checks of the reference model itself, at the places where a reading of
// the rules could plausibly go wrong.
#include "tests/reference/literal_solver.h"

#include <gtest/gtest.h>

namespace tesura::reference {
namespace {

tesura::Puzzle parse(const std::string& line) {
  auto puzzle = tesura::parse_puzzle(line);
  EXPECT_TRUE(puzzle.has_value()) << line;
  return puzzle.value_or(tesura::Puzzle{});
}

std::string digits_of(const tesura::Puzzle& puzzle) {
  std::string out;
  for (auto d : puzzle) out += static_cast<char>('0' + d);
  return out;
}

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

}  // namespace
}  // namespace tesura::reference
