// SPDX-License-Identifier: MIT
#include "solver/board.h"

#include <cstdio>
#include <cstdlib>

namespace tesura {

Board Board::from_cells(const std::array<Cands, 81>& cand, const std::array<Digit, 81>& val) {
  Board board;
  board.cand = cand;
  board.val = val;
  board.derive();
  return board;
}

void Board::to_block_view(Grid& grid) const {
  grid.gs_cand.flat() = cand;
  grid.gs_val.flat() = val;
}

void Board::derive() {
  for (int at = 0; at < 81; ++at) {
    const Cands c = cand[at];
    const auto& units = kCellUnit[at];
    if (!at_most_one_cand(c)) {
      const DigitCounts listed = DigitCounts::of(c & kAllCands);
      for (int v = 0; v < 3; ++v) {
        open_count[v][units[v]].add(listed);
        open_cells[v][units[v]] |= kCellPosBit[at][v];
      }
    } else if (one_cand(c)) {
      ++singles;
      for (int v = 0; v < 3; ++v) decided[v][units[v]] |= c;
    }
    if (val[at] != 0) digit_placed(at, val[at]);
  }
}

void Board::check_bookkeeping() const {
#ifndef NDEBUG
  const Board fresh = from_cells(cand, val);
  bool same = fresh.singles == singles && fresh.repeated == repeated && fresh.placed == placed &&
              fresh.open_count == open_count && fresh.decided == decided &&
              fresh.open_cells == open_cells;
  // A unit left out of maybe_due must be one that a pruning pass leaves as
  // it is, and one left out of maybe_unique one where no digit is unique.
  for (int v = 0; v < 3; ++v)
    for (int u = 0; u < 9; ++u) {
      same &= ((maybe_due[v] >> u) & 1) != 0 || !prune_due(v, u);
      same &= ((maybe_unique[v] >> u) & 1) != 0 || unique_open_digits(v, u) == 0;
    }
  if (!same) {
    std::fputs("tesura: the solver's bookkeeping no longer matches its board\n", stderr);
    std::abort();
  }
#endif
}

}  // namespace tesura
