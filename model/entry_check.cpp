// SPDX-License-Identifier: MIT
#include "model/entry_check.h"

#include <array>
#include <cstdint>

namespace tesura {

int count_givens(const Puzzle& puzzle) {
  int givens = 0;
  for (const Digit d : puzzle) givens += d != 0;
  return givens;
}

InputVerdict check_puzzle(const Puzzle& puzzle, int givens, int min_entries) {
  if (givens < min_entries) return InputVerdict::too_few;
  // Without a branch per cell, whose outcome is anyone's guess: an open
  // cell's bit is none. The digits seen so far in each column, then per
  // band of three rows in each of its blocks, then in the row at hand.
  std::array<unsigned, 9> col_seen{};
  unsigned repeats = 0;
  for (int band = 0; band < 3; ++band) {
    std::array<unsigned, 3> block_seen{};
    for (int r = 3 * band; r < 3 * band + 3; ++r) {
      unsigned row_seen = 0;
      for (int c = 0; c < 9; ++c) {
        const unsigned bit = (1u << puzzle[r * 9 + c]) & ~1u;
        unsigned& block = block_seen[c / 3];
        repeats |= (row_seen | col_seen[c] | block) & bit;
        row_seen |= bit;
        col_seen[c] |= bit;
        block |= bit;
      }
    }
  }
  return repeats != 0 ? InputVerdict::repeated : InputVerdict::accepted;
}

}  // namespace tesura
