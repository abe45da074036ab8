// SPDX-License-Identifier: MIT
#include "model/puzzle.h"

#include "model/cell_index.h"

namespace tesura {

constinit const std::array<ByteClass, 256> kByteClasses = [] {
  std::array<ByteClass, 256> classes{};
  for (int b = 0; b < 256; ++b) {
    ByteClass& c = classes[b];
    c.blank = std::string_view(" \t\n\v\f\r").find(static_cast<char>(b)) != std::string_view::npos;
    c.separator =
        c.blank || std::string_view(",;#|").find(static_cast<char>(b)) != std::string_view::npos;
    if (b >= '1' && b <= '9') c.cell = b - '0';
    if (std::string_view(".0_*-").find(static_cast<char>(b)) != std::string_view::npos) c.cell = 0;
  }
  return classes;
}();

std::optional<Puzzle> parse_puzzle(std::string_view line) {
  if (line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
  while (!line.empty() && is_blank(line.front())) line.remove_prefix(1);
  if (line.size() < 81 || (line.size() > 81 && !is_separator(line[81]))) return std::nullopt;
  Puzzle puzzle{};
  for (std::size_t i = 0; i < 81; ++i) {
    const int cell = byte_class(line[i]).cell;
    if (cell < 0) return std::nullopt;
    puzzle[i] = static_cast<Digit>(cell);
  }
  return puzzle;
}

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
