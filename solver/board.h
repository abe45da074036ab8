// SPDX-License-Identifier: MIT
#pragma once
// The solver's working board: the 81 cells stored once, in block order, with
// the row and column views as index maps over the same store (unit_maps.h).
// A step that works in the row or column view therefore lands in the block
// view at once, which is what writing a view back and synchronising would
// achieve.
#include <array>
#include <cassert>
#include <cstdint>

#include "model/cands.h"
#include "model/grid.h"
#include "solver/digit_counts.h"
#include "solver/unit_maps.h"

namespace tesura {

struct Board {
  std::array<Cands, 81> cand{};
  std::array<Digit, 81> val{};

  // Bookkeeping derived from the cells, kept up to date by every change, so
  // that a pass can tell at once whether it would change a unit at all.
  //
  // maybe_due[view]: units that got a digit since their last pruning pass
  // showed them clean; only these can be due (open counts only fall).
  UnitSets maybe_due = kEveryUnit;
  // maybe_unique[view]: units whose open counts fell since a unique-place
  // pass last found no digit to fix in them; only these can have one.
  UnitSets maybe_unique = kEveryUnit;
  int singles = 0;     // cells whose string is one character long
  Cands repeated = 0;  // digits ever placed in a unit that already held them
  // placed[view][unit]: the digits placed in the unit, as candidate bits.
  std::array<std::array<Cands, 9>, 3> placed{};
  // open_count[view][unit]: per digit, the unit's open cells (two or more
  // candidates) that list it.
  std::array<std::array<DigitCounts, 9>, 3> open_count{};
  // decided[view][unit]: the digits of the unit's one-character strings.
  std::array<std::array<Cands, 9>, 3> decided{};
  // open_cells[view][unit]: the positions of the unit's open cells, as bits.
  std::array<std::array<std::uint16_t, 9>, 3> open_cells{};

  // Cells only: the rest is derived.
  bool operator==(const Board& o) const { return cand == o.cand && val == o.val; }

  // Takes the cells of a block view (the store is in block order, as the
  // tables are), with their bookkeeping derived.
  static Board from_cells(const std::array<Cands, 81>& cand, const std::array<Digit, 81>& val);
  // Writes the board into the grid's block view; the caller synchronises
  // the other views.
  void to_block_view(Grid& grid) const;

  // Debug and sanitizer builds: aborts when the bookkeeping differs from
  // what a new board makes of the cells. Nothing in release builds.
  void check_bookkeeping() const;

  // Whether a pruning pass over the unit would change a cell: some open cell
  // lists a digit placed in the unit.
  bool prune_due(int view, int unit) const {
    return open_count[view][unit].any_of(placed[view][unit]);
  }

  // The digits that a unique-place pass over the unit would fix: listed by
  // exactly one cell of the unit, and that cell still open (a digit also
  // held by a decided cell is listed twice).
  Cands unique_open_digits(int view, int unit) const {
    return open_count[view][unit].ones() & static_cast<Cands>(~decided[view][unit]);
  }

  // The digits placed in the three units of the cell.
  Cands placed_around(int at) const {
    const auto& units = kCellUnit[at];
    return placed[0][units[0]] | placed[1][units[1]] | placed[2][units[2]];
  }

  // Prunes an open cell down to `now`, one character or none.
  void close_open_cell(int at, Cands now) {
    const DigitCounts gone = DigitCounts::of(cand[at]);
    cand[at] = now;
    const auto& units = kCellUnit[at];
    for (int v = 0; v < 3; ++v) {
      open_count[v][units[v]].remove(gone);
      open_cells[v][units[v]] &= static_cast<std::uint16_t>(~kCellPosBit[at][v]);
      decided[v][units[v]] |= now;
    }
    add_cell_units(maybe_unique, at);
  }
  // An open cell that stays open stopped listing `gone` (perhaps nothing).
  void open_cell_pruned(int at, Cands gone) {
    const DigitCounts counts = DigitCounts::of(gone);
    for (int v = 0; v < 3; ++v) open_count[v][kCellUnit[at][v]].remove(counts);
    add_cell_units(maybe_unique, at, gone != 0 ? ~0ull : 0);
  }
  // A cell that had no digit got `value`; `due_lanes` as for add_cell_units.
  void digit_placed(int at, int value, std::uint64_t due_lanes = ~0ull) {
    add_cell_units(maybe_due, at, due_lanes);
    const Cands digit = cands_of(value);
    repeated |= static_cast<Cands>(placed_around(at) & digit);
    const auto& units = kCellUnit[at];
    for (int v = 0; v < 3; ++v) placed[v][units[v]] |= digit;
  }
  // Decides an open cell outright.
  void set_digit(int at, int digit, std::uint64_t due_lanes = ~0ull) {
    assert(val[at] == 0 && !at_most_one_cand(cand[at]));
    const Cands now = cands_of(digit);
    ++singles;
    close_open_cell(at, now);
    val[at] = static_cast<Digit>(digit);
    digit_placed(at, digit, due_lanes);
  }

 private:
  // Derives the bookkeeping from the cells, starting from that of a board
  // without a single open cell, as a new Board has it.
  void derive();
};

}  // namespace tesura
