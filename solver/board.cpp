// SPDX-License-Identifier: MIT
#include "solver/board.h"

#include <cstdio>
#include <cstdlib>

#include "model/cell_mask.h"

namespace tesura {

Board Board::from_tables(const CandTable& cand, const ValTable& val) {
  // The store is in block order, as the tables are.
  Board board;
  board.cand = cand.flat();
  board.val = val.flat();
  board.derive();
  return board;
}

void Board::to_block_view(Grid& grid) const {
  grid.gs_cand.flat() = cand;
  grid.gs_val.flat() = val;
}

void Board::derive() {
  // A board fresh from acceptance holds nothing but empty strings (the
  // givens) and strings listing every digit, and the digits stand in the
  // empty strings alone; its counts follow from the givens: every unit
  // starts with nine open cells, and each given takes one away. Any other
  // board is derived cell by cell.
  const CellMask not_open = cells_other_than(cand, kAllCands);
  Cands listed = 0;
  not_open.for_each([&](int at) { listed |= cand[at]; });
  if (listed != 0 || cells_other_than(val, 0) != not_open) {
    derive_any();
    return;
  }
  clear_bookkeeping();
  const DigitCounts all = DigitCounts::of(kAllCands);
  for (auto& view : open_count) view.fill(DigitCounts{9 * all.nibbles});
  for (auto& view : open_cells) view.fill(0x1FF);
  not_open.for_each([&](int at) {
    const auto& units = kCellUnit[at];
    for (int v = 0; v < 3; ++v) {
      open_count[v][units[v]].remove(all);
      open_cells[v][units[v]] &= static_cast<std::uint16_t>(~kCellPosBit[at][v]);
    }
    place_derived(at);
  });
#ifndef NDEBUG
  Board any = *this;
  any.derive_any();
  assert(any.open_count == open_count && any.open_cells == open_cells && any.placed == placed &&
         any.repeated == repeated);
#endif
}

void Board::clear_bookkeeping() {
  maybe_due = kEveryUnit;
  maybe_unique = kEveryUnit;
  singles = 0;
  repeated = 0;
  placed = {};
  open_count = {};
  decided = {};
  open_cells = {};
}

void Board::derive_any() {
  clear_bookkeeping();
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
    if (val[at] != 0) place_derived(at);
  }
}

void Board::place_derived(int at) {
  const Cands digit = cands_of(val[at]);
  const auto& units = kCellUnit[at];
  for (int v = 0; v < 3; ++v) {
    repeated |= static_cast<Cands>(placed[v][units[v]] & digit);
    placed[v][units[v]] |= digit;
  }
}

void Board::check_bookkeeping() const {
#ifndef NDEBUG
  Board fresh = *this;
  fresh.derive();
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
