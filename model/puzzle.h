// SPDX-License-Identifier: MIT
#pragma once
// A puzzle as a line of text, and its entry onto the board.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/grid.h"

namespace tesura {

// 81 cells in reading order (row 1 left to right, then row 2, ...); 0 = open.
using Puzzle = std::array<Digit, 81>;

// The first puzzle in text, in any form that model/puzzle_text.h reads
// (one line, a grid, grouped rows, full width); nothing when the first
// thing the text holds is no puzzle.
std::optional<Puzzle> parse_puzzle(std::string_view text);

// 81 characters, a digit for a given and "." for an open cell.
std::string puzzle_text(const Puzzle& puzzle);

// Starts afresh and enters every given as a drop of its digit, as the user
// would in the input state.
void enter_puzzle(Grid& grid, const Puzzle& puzzle);

// What enter_puzzle and then accept_input make of the block view and sv0,
// in one pass: givens "" with their digit, open cells "123456789" and 0.
// The row and column views are left as they were, for a caller that reads
// the block view alone.
void enter_accepted(Grid& grid, const Puzzle& puzzle);

// What the board shows in reading order while a solve runs: the givens and
// every cell whose block-view string is one character long; "." elsewhere.
std::string shown_board(const Grid& grid);

// The digits of the block view in reading order (0 where none is placed).
Puzzle board_digits(const Grid& grid);

}  // namespace tesura
