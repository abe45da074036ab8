// SPDX-License-Identifier: MIT
#include "model/puzzle.h"

#include "model/cell_index.h"

namespace tesura {

std::string puzzle_text(const Puzzle& puzzle) {
  std::string text(81, '.');
  for (int i = 0; i < 81; ++i)
    if (puzzle[i] != 0) text[i] = static_cast<char>('0' + puzzle[i]);
  return text;
}

void enter_puzzle(Grid& grid, const Puzzle& puzzle) {
  grid.reset_cells();
  for (int i = 0; i < 81; ++i)
    if (puzzle[i] != 0) {
      const auto [b, k] = kBlockOfIndex[i];
      grid.drop_digit(b, k, puzzle[i]);
    }
}

void enter_accepted(Grid& grid, const Puzzle& puzzle) {
  auto& cand = grid.gs_cand.flat();
  auto& val = grid.gs_val.flat();
  // Written in block order, which kBlockEntry also maps to reading order,
  // and without a branch per cell: which cells are givens is anyone's guess.
  for (int at = 0; at < 81; ++at) val[at] = puzzle[kBlockEntry[at]];
  for (int at = 0; at < 81; ++at) cand[at] = val[at] == 0 ? kAllCands : kNoCands;
  grid.save_sv0();
}

std::string shown_board(const Grid& grid) {
  std::string text(81, '.');
  for (int i = 0; i < 81; ++i) {
    const Cands c = grid.gs_cand.flat()[kBlockEntry[i]];
    const Digit v = grid.gs_val.flat()[kBlockEntry[i]];
    if (one_cand(c))
      text[i] = static_cast<char>('0' + first_cand(c));
    else if (c == kNoCands && v != 0)
      text[i] = static_cast<char>('0' + v);
  }
  return text;
}

Puzzle board_digits(const Grid& grid) {
  Puzzle digits{};
  for (int i = 0; i < 81; ++i) digits[i] = grid.gs_val.flat()[kBlockEntry[i]];
  return digits;
}

}  // namespace tesura
