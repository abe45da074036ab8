// SPDX-License-Identifier: MIT
// The grid model and input completion: the write-backs between views, the
// counts, presses on a cell and the two refusals of an entry.
#include "model/grid.h"

#include <gtest/gtest.h>

#include "model/input_completion.h"
#include "model/puzzle.h"

namespace tesura {
namespace {

TEST(Grid, WriteBacksAndTheReturnOfGivensToText) {
  Grid g;
  g.reset_cells();
  g.sync_views();
  g.ygs_val(2, 7) = 4;  // row 2, column 7: block 3, cell 4
  g.ygs_gs();
  EXPECT_EQ(g.gs_val(3, 4), 4);
  g.tgs_cand(7, 3) = cands_of(6);  // column 7, row 3: block 3, cell 7
  g.tgs_gs();
  EXPECT_EQ(g.gs_cand(3, 7), cands_of(6));
  EXPECT_EQ(g.gs_val(3, 4), 0) << "the stale column view wins";
  g.gs_cand(4, 4) = kNoCands;  // an emptied cell: no digit behind it
  g.modosu_gs();
  EXPECT_EQ(cands_text(g.tgs_cand(1, 5)), "0");
  g.count_cand();
  EXPECT_EQ(g.decided_cnt, 2) << "any one-character string counts";
}

TEST(Grid, PressesStepThroughTheBlank) {
  Grid g;
  g.reset_cells();
  for (int i = 1; i <= 10; ++i) {
    EXPECT_EQ(g.step_digit(1, 1, false), i % 10);
    EXPECT_EQ(g.gs_cand(1, 1), i < 10 ? cands_of(i) : kAllCands);
  }
  EXPECT_EQ(g.step_digit(1, 1, true), 9);
  EXPECT_EQ(g.gs_cand(1, 1), cands_of(9));
  g.drop_digit(1, 1, 1);
  EXPECT_EQ(g.step_digit(1, 1, true), 0);
  EXPECT_EQ(g.gs_cand(1, 1), kAllCands);
}

InputVerdict verdict_of(const std::string& text) {
  Grid g;
  enter_puzzle(g, *parse_puzzle(text));
  return check_input(g);
}

TEST(InputCompletion, TwentyDigitsWithoutARepeatPassTheTwoTests) {
  // Every fourth cell of a solved grid, amid white space.
  std::string text =
      "5...7...2...1...4...8...5...5...1...4...5...1...9...5...1...2...8...9...3...8....";
  EXPECT_EQ(verdict_of(" \t\f\v" + text + "\r\n"), InputVerdict::accepted);
  const struct {
    int cell;  // reading order
    char digit;
  } repeats[] = {{1, '2'}, {2, '1'}, {6, '4'}};  // a repeat in a row, a column, a block only
  for (const auto& r : repeats) {
    std::string repeated = text;
    repeated[r.cell] = r.digit;
    EXPECT_EQ(verdict_of(repeated), InputVerdict::repeated) << repeated;
  }
  text[76] = '.';
  EXPECT_EQ(verdict_of(text), InputVerdict::too_few);
  text[0] = '7';  // a repeat as well: the count is tested first
  EXPECT_EQ(verdict_of(text), InputVerdict::too_few);
  EXPECT_STREQ(refusal_message(InputVerdict::too_few), "入力個所が少な過ぎます");
  EXPECT_STREQ(refusal_message(InputVerdict::repeated), "入力数値にミスがあります");
  EXPECT_EQ(refusal_message(InputVerdict::accepted), nullptr);
}

}  // namespace
}  // namespace tesura
