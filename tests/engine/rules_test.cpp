// Single deduction steps on hand-made boards, where the order inside a pass
// decides the result.
#include <gtest/gtest.h>

#include "solver/one_go_solver.h"

namespace tesura {
namespace {

// An open board: every cell "123456789" and 0, all views in step.
Board open_board() {
  Board b;
  b.cand.fill(kAllCands);
  return b;
}

int at_row_col(int r, int c) {
  const auto [b, k] = block_of(r, c);
  return (b - 1) * 9 + k - 1;
}

Cands C(const char* text) {
  Cands c = 0;
  parse_cands(text, c);
  return c;
}

TEST(Rules, APrunedValueCountsAtOnceForLaterCellsOnly) {
  Board b = open_board();
  b.cand[at_row_col(1, 2)] = kNoCands;  // a given 3
  b.val[at_row_col(1, 2)] = 3;
  b.cand[at_row_col(1, 1)] = C("238");
  b.cand[at_row_col(1, 5)] = C("38");
  b.cand[at_row_col(1, 7)] = C("189");
  OneGoSolver s(b);
  s.check_ygs();
  EXPECT_EQ(s.gs.cand[at_row_col(1, 5)], C("8"));
  EXPECT_EQ(s.gs.val[at_row_col(1, 5)], 8);
  EXPECT_EQ(s.gs.cand[at_row_col(1, 7)], C("19")) << "after the new 8";
  EXPECT_EQ(s.gs.cand[at_row_col(1, 1)], C("28")) << "before the new 8";
  EXPECT_EQ(s.gs.cand[at_row_col(1, 4)], C("12456789"));
  EXPECT_EQ(s.gs.cand[at_row_col(1, 6)], C("1245679"));
  s.check_ygs();
  EXPECT_EQ(s.gs.cand[at_row_col(1, 1)], C("2"));
  EXPECT_EQ(s.gs.val[at_row_col(1, 1)], 2);
}

TEST(Rules, PruningEmptiesACellWithoutPlacingADigit) {
  Board b = open_board();
  b.val[at_row_col(1, 3)] = 3;
  b.cand[at_row_col(1, 3)] = kNoCands;
  b.val[at_row_col(8, 3)] = 8;
  b.cand[at_row_col(8, 3)] = kNoCands;
  b.cand[at_row_col(5, 3)] = C("38");
  OneGoSolver s(b);
  s.check_tgs();
  EXPECT_EQ(s.gs.cand[at_row_col(5, 3)], kNoCands);
  EXPECT_EQ(s.gs.val[at_row_col(5, 3)], 0);
  s.count_cand();
  EXPECT_EQ(s.decided_cnt, 0);
}

TEST(Rules, TheOnlyPlaceOfTwoDigitsTakesTheSmaller) {
  Board b = open_board();
  // Block 1: cell 2 alone lists 3 and 8; 1 is listed twice.
  b.cand[0] = C("12");
  b.cand[1] = C("138");
  for (int k = 2; k < 9; ++k) b.cand[k] = C("245679");
  OneGoSolver s(b);
  s.place_unique_gs();
  EXPECT_EQ(s.gs.cand[1], C("3"));
  EXPECT_EQ(s.gs.val[1], 3);
  EXPECT_EQ(s.gs.cand[0], C("12"));
  for (int k = 2; k < 9; ++k) EXPECT_EQ(s.gs.cand[k], C("245679"));
  // A digit decided in one cell and listed by another is not placed.
  Board d = open_board();
  d.cand[0] = C("5");
  d.val[0] = 5;
  d.cand[1] = C("25");
  for (int k = 2; k < 9; ++k) d.cand[k] = C("12346789");
  OneGoSolver t(d);
  t.place_unique_gs();
  EXPECT_EQ(t.gs.cand[1], C("25"));
}

TEST(Rules, ARoundOnACompleteBoardChangesNothing) {
  Board b;
  const char* rows =
      "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
  for (int i = 0; i < 81; ++i) {
    const int at = at_row_col(i / 9 + 1, i % 9 + 1);
    b.val[at] = static_cast<Digit>(rows[i] - '0');
    b.cand[at] = i % 2 ? kNoCands : cands_of(b.val[at]);
  }
  OneGoSolver s(b);
  s.solve_round();
  EXPECT_EQ(s.gs, b);
  s.find_conflict();
  EXPECT_EQ(s.conflict_flag, 0);
  Board repeat = b;
  repeat.val[at_row_col(2, 1)] = repeat.val[at_row_col(2, 2)];
  OneGoSolver t(repeat);
  t.find_conflict();
  EXPECT_EQ(t.conflict_flag, 1);
}

TEST(Rules, UnitScansMarkUnitsWithNoWiderCell) {
  Board b = open_board();
  for (int k = 0; k < 9; ++k) b.cand[k] = k < 3 ? C("27") : kNoCands;   // block 1
  for (int k = 9; k < 18; ++k) b.cand[k] = k == 9 ? C("123") : C("4");  // block 2
  OneGoSolver s(b);
  s.mark1_gs(2);
  EXPECT_EQ(s.unit_flag1[1], 1);
  EXPECT_EQ(s.unit_flag1[2], 0);
  EXPECT_EQ(s.unit_flag1[3], 0);
  s.mark2_gs(3);
  EXPECT_EQ(s.unit_flag2[1], 1);
  EXPECT_EQ(s.unit_flag2[2], 1);
}

}  // namespace
}  // namespace tesura
