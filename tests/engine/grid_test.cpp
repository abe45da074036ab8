// The grid model: where cells stand in the three views, how the views are
// kept in step, and what entry and input completion do to the block view.
#include "model/grid.h"

#include <gtest/gtest.h>

#include "model/cell_index.h"
#include "model/input_completion.h"
#include "model/puzzle.h"

namespace tesura {
namespace {

TEST(CellIndex, RowColumnAndBlockPositionsAgree) {
  EXPECT_EQ(block_of(1, 1).block, 1);
  EXPECT_EQ(block_of(3, 7).block, 3);
  EXPECT_EQ(block_of(3, 7).cell, 7);
  EXPECT_EQ(block_of(4, 4).block, 5);
  EXPECT_EQ(block_of(4, 4).cell, 1);
  EXPECT_EQ(block_of(9, 1).block, 7);
  EXPECT_EQ(block_of(9, 1).cell, 7);
  for (int r = 1; r <= 9; ++r)
    for (int c = 1; c <= 9; ++c) {
      const auto [b, k] = block_of(r, c);
      EXPECT_EQ(row_col_of(b, k).row, r);
      EXPECT_EQ(row_col_of(b, k).col, c);
    }
}

TEST(Grid, SyncViewsCopiesTheBlockViewIntoRowsAndColumns) {
  Grid g;
  g.reset_cells();
  g.drop_digit(1, 5, 5);  // row 2, column 2
  g.drop_digit(3, 4, 8);  // row 2, column 7
  EXPECT_EQ(g.ygs_val(2, 2), 0) << "entry writes the block view only";
  g.sync_views();
  EXPECT_EQ(g.ygs_cand(2, 2), cands_of(5));
  EXPECT_EQ(g.tgs_val(2, 2), 5);
  EXPECT_EQ(g.ygs_val(2, 7), 8);
  EXPECT_EQ(g.tgs_cand(7, 2), cands_of(8));
  EXPECT_EQ(g.tgs_cand(1, 1), kAllCands);
}

TEST(Grid, WritesBackReplaceTheWholeBlockView) {
  Grid g;
  g.reset_cells();
  g.sync_views();
  g.ygs_cand(2, 7) = cands_of(4);
  g.ygs_val(2, 7) = 4;
  g.sync_views();  // not written back: lost
  EXPECT_EQ(g.gs_val(3, 4), 0);
  EXPECT_EQ(g.ygs_val(2, 7), 0);

  g.ygs_val(2, 7) = 4;
  g.ygs_gs();
  EXPECT_EQ(g.gs_val(3, 4), 4);
  g.tgs_gs();  // the stale column view wins
  EXPECT_EQ(g.gs_val(3, 4), 0);
}

TEST(Grid, CountsAndTheReturnOfGivensToText) {
  Grid g;
  g.reset_cells();
  g.count_cand();
  EXPECT_EQ(g.decided_cnt, 0);
  g.drop_digit(2, 3, 7);
  g.gs_cand(4, 4) = kNoCands;  // an emptied cell: no digit behind it
  g.count_cand();
  g.count_given();
  EXPECT_EQ(g.decided_cnt, 1);
  EXPECT_EQ(g.given_cnt, 1);
  g.modosu_gs();
  EXPECT_EQ(cands_text(g.gs_cand(4, 4)), "0");
  g.count_cand();
  EXPECT_EQ(g.decided_cnt, 2) << "any one-character string counts";
}

TEST(Grid, PressesStepThroughTheBlank) {
  Grid g;
  g.reset_cells();
  EXPECT_EQ(g.step_digit(1, 1, false), 1);
  EXPECT_EQ(g.gs_cand(1, 1), cands_of(1));
  for (int i = 0; i < 8; ++i) g.step_digit(1, 1, false);
  EXPECT_EQ(g.gs_val(1, 1), 9);
  EXPECT_EQ(g.step_digit(1, 1, false), 0);
  EXPECT_EQ(g.gs_cand(1, 1), kAllCands);
  EXPECT_EQ(g.step_digit(1, 1, true), 9);
  EXPECT_EQ(g.gs_cand(1, 1), cands_of(9));
  g.drop_digit(1, 1, 1);
  EXPECT_EQ(g.step_digit(1, 1, true), 0);
  EXPECT_EQ(g.gs_cand(1, 1), kAllCands);
}

// 20 digits, no repeats: the first three rows of a solved grid, less some.
constexpr const char* kTwenty =
    "123456789"
    "456789123"
    "78......."
    "........."
    "........."
    "........."
    "........."
    "........."
    ".........";

Grid entered(std::string text) {
  Grid g;
  enter_puzzle(g, *parse_puzzle(text));
  return g;
}

TEST(InputCompletion, RefusesTooFewBeforeLookingForRepeats) {
  std::string nineteen = kTwenty;
  nineteen[19] = '.';
  Grid g = entered(nineteen);
  EXPECT_EQ(check_input(g), InputVerdict::too_few);
  nineteen[18] = '1';  // row 3, column 1: a repeat in column 1 and block 1 as well
  g = entered(nineteen);
  EXPECT_EQ(check_input(g), InputVerdict::too_few);
  EXPECT_EQ(g.gs_cand(1, 7), cands_of(1)) << "a refusal leaves the entry as it was";
  EXPECT_EQ(std::string(refusal_message(InputVerdict::too_few)), "入力個所が少な過ぎます");
}

TEST(InputCompletion, FindsARepeatInARowAColumnOrABlock) {
  const struct {
    int cell;  // reading order
    char digit;
  } repeats[] = {
      {36, '1'},  // column 1 only: row 5, column 1
      {20, '1'},  // block 1 only: row 3, column 3
      {26, '7'},  // row 3 only, in another block: row 3, column 9
  };
  for (const auto& r : repeats) {
    std::string text = kTwenty;
    text[r.cell] = r.digit;
    Grid g = entered(text);
    EXPECT_EQ(check_input(g), InputVerdict::repeated) << text;
    EXPECT_EQ(g.conflict_flag, 0);
  }
  EXPECT_EQ(std::string(refusal_message(InputVerdict::repeated)), "入力数値にミスがあります");
}

TEST(InputCompletion, AcceptanceMarksTheGivensAndSavesThePuzzle) {
  Grid g = entered(kTwenty);
  ASSERT_EQ(check_input(g), InputVerdict::accepted);
  accept_input(g);
  int givens = 0;
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) {
      const bool given = g.gs_val(b, k) != 0;
      givens += given;
      EXPECT_EQ(g.sv0_cand(b, k), given ? kNoCands : kAllCands);
      EXPECT_EQ(g.sv0_val(b, k), g.gs_val(b, k));
    }
  EXPECT_EQ(givens, 20);
  EXPECT_EQ(g.tgs_cand(1, 1), kNoCands) << "views synchronised";

  g.return_to_first_problem();
  EXPECT_EQ(g.gs_cand(1, 1), cands_of(1));
  EXPECT_EQ(g.ygs_cand(3, 3), kAllCands);
  EXPECT_EQ(check_input(g), InputVerdict::accepted) << "the same puzzle passes again";
}

TEST(Cands, TextAndLengthAgree) {
  for (unsigned c = 0; c < 0x400; ++c) {
    const std::string text = cands_text(static_cast<Cands>(c));
    EXPECT_EQ(cands_length(static_cast<Cands>(c)), static_cast<int>(text.size()));
    Cands back = 0;
    ASSERT_TRUE(parse_cands(text, back));
    EXPECT_EQ(back, c);
    EXPECT_EQ(one_cand(back), text.size() == 1);
    EXPECT_EQ(at_most_cands(back, 2), text.size() <= 2);
  }
  EXPECT_EQ(cands_text(kAllCands), "123456789");
}

TEST(PuzzleText, ParsesAndReportsMalformedLines) {
  std::string why;
  EXPECT_TRUE(parse_puzzle("  " + std::string(81, '0') + "\r\n"));
  EXPECT_FALSE(parse_puzzle(std::string(80, '.'), &why));
  EXPECT_NE(why.find("81"), std::string::npos);
  std::string bad(81, '.');
  bad[40] = 'x';
  EXPECT_FALSE(parse_puzzle(bad, &why));
  EXPECT_NE(why.find("cell 41"), std::string::npos);
}

}  // namespace
}  // namespace tesura
