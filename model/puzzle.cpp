// SPDX-License-Identifier: MIT
#include "model/puzzle.h"

#include "model/cell_index.h"

namespace tesura {

namespace {
bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}
}  // namespace

std::optional<Puzzle> parse_puzzle(std::string_view line, std::string* reason) {
  while (!line.empty() && is_space(line.front())) line.remove_prefix(1);
  while (!line.empty() && is_space(line.back())) line.remove_suffix(1);
  if (line.size() != 81) {
    if (reason) *reason = "expected 81 cells, found " + std::to_string(line.size()) + " characters";
    return std::nullopt;
  }
  Puzzle puzzle{};
  for (std::size_t i = 0; i < 81; ++i) {
    const char c = line[i];
    if (c >= '1' && c <= '9') {
      puzzle[i] = static_cast<Digit>(c - '0');
    } else if (c != '0' && c != '.') {
      if (reason) {
        const bool printable =
            static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7f;
        *reason = "cell " + std::to_string(i + 1) + ": unexpected character" +
                  (printable ? std::string(" '") + c + "'" : std::string());
      }
      return std::nullopt;
    }
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
      const auto [b, k] = block_of(i / 9 + 1, i % 9 + 1);
      grid.drop_digit(b, k, puzzle[i]);
    }
}

std::string shown_board(const Grid& grid) {
  std::string text(81, '.');
  for (int i = 0; i < 81; ++i) {
    const auto [b, k] = block_of(i / 9 + 1, i % 9 + 1);
    const Cands c = grid.gs_cand(b, k);
    if (cands_length(c) == 1)
      text[i] = static_cast<char>('0' + first_cand(c));
    else if (c == kNoCands && grid.gs_val(b, k) != 0)
      text[i] = static_cast<char>('0' + grid.gs_val(b, k));
  }
  return text;
}

Puzzle board_digits(const Grid& grid) {
  Puzzle digits{};
  for (int i = 0; i < 81; ++i) {
    const auto [b, k] = block_of(i / 9 + 1, i % 9 + 1);
    digits[i] = grid.gs_val(b, k);
  }
  return digits;
}

}  // namespace tesura
