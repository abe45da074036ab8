// SPDX-License-Identifier: MIT
// The reader of puzzle text as the window's paste uses it: every puzzle of
// the sample collections in every form reads back as itself, and the same
// text with one cell too few or too many is no puzzle.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "model/puzzle.h"

namespace {

const std::string kWideDigits[] = {"．", "１", "２", "３", "４", "５", "６", "７", "８", "９"};

// The 81 cells in rows of three groups of three: each cell as cell(c), a
// gap between cells, a bar between groups, a line end, and a rule between
// bands (nothing for none) and around the grid.
std::string grid(const std::string& p, const std::string& gap, const std::string& bar,
                 const std::string& end, const std::string& rule, bool boxed,
                 std::string (*cell)(char)) {
  std::string text = boxed ? rule + end : "";
  for (int row = 0; row < 9; ++row) {
    if ((row == 3 || row == 6) && !rule.empty()) text += rule + end;
    if (boxed) text += bar;
    for (int col = 0; col < 9; ++col) {
      if (col > 0) text += col % 3 == 0 ? bar : gap;
      text += cell(p[row * 9 + col]);
    }
    if (boxed) text += bar;
    text += end;
  }
  return boxed ? text + rule + end : text;
}

std::string ascii(char c) {
  return {c};
}
std::string wide(char c) {
  return kWideDigits[c == '.' ? 0 : c - '0'];
}

std::vector<std::string> forms(const std::string& p) {
  std::string line3, line9, wide_line;
  for (int i = 0; i < 81; ++i) {
    if (i > 0 && i % 3 == 0) line3 += ' ';
    if (i > 0 && i % 9 == 0) line9 += '|';
    line3 += p[i];
    line9 += p[i];
    wide_line += wide(p[i]);
  }
  return {
      p + " # a comment",
      grid(p, " ", " | ", "\n", "------+-------+------", false, ascii),  // as --grid draws it
      grid(p, " ", " | ", "\n", "+-------+-------+-------+", true, ascii),
      grid(p, "", "", "\r\n", "", false, ascii),
      "\xEF\xBB\xBFquizzes\n\n# grouped\n" + line3 + " hardest",
      line9 + "|",
      wide_line,
      grid(p, "", "|", "\n", "===+===+===", false, wide),
  };
}

// text with its last cell taken out (or doubled).
std::string change_last_cell(std::string text, bool add) {
  const std::size_t wide_at = text.rfind("\xEF\xBC");
  const std::size_t at = text.find_last_of("123456789.");
  const bool is_wide = wide_at != std::string::npos && (at == std::string::npos || wide_at > at);
  const std::size_t pos = is_wide ? wide_at : at;
  const std::size_t length = is_wide ? 3 : 1;
  return add ? text.insert(pos, text.substr(pos, length)) : text.erase(pos, length);
}

TEST(PuzzleText, EveryFormOfEverySamplePuzzleReadsBackAndNoNearMiss) {
  int read = 0;
  for (const char* name : {"17_clue_sample.txt", "top1465_sample.txt", "norvig_top95.txt"}) {
    std::ifstream in(std::string(TESURA_TEST_DATA_DIR) + "/" + name);
    for (std::string line; std::getline(in, line);) {
      const auto puzzle = tesura::parse_puzzle(line);
      if (!puzzle) continue;
      const std::string p = tesura::puzzle_text(*puzzle);
      for (const std::string& form : forms(p)) {
        ASSERT_EQ(tesura::parse_puzzle(form), puzzle) << form;
        ASSERT_EQ(tesura::parse_puzzle(change_last_cell(form, false)), std::nullopt) << form;
        ASSERT_EQ(tesura::parse_puzzle(change_last_cell(form, true)), std::nullopt) << form;
      }
      ++read;
    }
  }
  EXPECT_GT(read, 200);
}

TEST(PuzzleText, AnAmbiguousOrUnfinishedTextIsNoPuzzle) {
  const std::string p =
      "003020600900305001001806400008102900700000008006708200002609500800203009005010300";
  std::string grouped;
  for (int i = 0; i < 81; ++i) grouped.append(i > 0 && i % 3 == 0 ? " " : "").push_back(p[i]);
  // A rating after grouped cells could be more cells; a comment on the
  // line of a grid's row, a blank line inside a grid, a row of dashes.
  const std::string rows = grid(p, " ", " | ", "\n", "", false, ascii);
  for (const std::string& text :
       {grouped + " 4.5", grouped + "x", "-" + grouped, rows.substr(0, rows.size() - 2),
        rows.substr(0, 3 * 22) + "\n" + rows.substr(3 * 22), rows.substr(0, 60) + rows.substr(61),
        rows.substr(0, 21) + " # first row\n" + rows.substr(22),
        "- - - | - - - | - - -\n" + rows.substr(rows.find('\n') + 1), std::string("hello")})
    EXPECT_EQ(tesura::parse_puzzle(text), std::nullopt) << text;
  // What stands after a puzzle is not read.
  EXPECT_TRUE(tesura::parse_puzzle(rows + "+---+\nmore text"));
  EXPECT_TRUE(tesura::parse_puzzle(p + " 10.5"));
}

}  // namespace
