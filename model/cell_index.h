// SPDX-License-Identifier: MIT
#pragma once
// Where a cell stands in each view. Blocks and the cells within a block are
// numbered row by row from the top left; all indices run from 1 to 9.

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

}  // namespace tesura
