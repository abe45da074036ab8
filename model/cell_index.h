// SPDX-License-Identifier: MIT
#pragma once
// Where a cell stands in each view. Blocks and the cells within a block are
// numbered row by row from the top left; all indices run from 1 to 9.

#include <array>
#include <cstdint>

namespace tesura {

struct BlockPos {
  int block;
  int cell;
};
struct RowCol {
  int row;
  int col;
};

constexpr BlockPos block_of(int row, int col) {
  return {3 * ((row - 1) / 3) + (col - 1) / 3 + 1, 3 * ((row - 1) % 3) + (col - 1) % 3 + 1};
}
constexpr RowCol row_col_of(int block, int cell) {
  return {3 * ((block - 1) / 3) + (cell - 1) / 3 + 1, 3 * ((block - 1) % 3) + (cell - 1) % 3 + 1};
}

// kBlockOfIndex[i]: block_of for the cell at row-major index i (0 to 80),
// looked up rather than divided out where a loop runs over all 81 cells.
inline constexpr auto kBlockOfIndex = [] {
  std::array<BlockPos, 81> t{};
  for (int i = 0; i < 81; ++i) t[i] = block_of(i / 9 + 1, i % 9 + 1);
  return t;
}();

// kBlockEntry[i]: where the cell at row-major index i stands in a block-view
// table's 81 entries, (block - 1) * 9 + cell - 1. The map is its own
// inverse: kBlockEntry[e] is also the row-major index of block-view entry e.
inline constexpr auto kBlockEntry = [] {
  std::array<std::uint8_t, 81> t{};
  for (int i = 0; i < 81; ++i)
    t[i] = static_cast<std::uint8_t>((kBlockOfIndex[i].block - 1) * 9 + kBlockOfIndex[i].cell - 1);
  return t;
}();
static_assert([] {
  for (int i = 0; i < 81; ++i)
    if (kBlockEntry[kBlockEntry[i]] != i) return false;
  return true;
}());

}  // namespace tesura
