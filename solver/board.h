// SPDX-License-Identifier: MIT
#pragma once
// The solver's working board: the 81 cells stored once, in block order, with
// the row and column views as index maps over the same store. A step that
// works in the row or column view therefore lands in the block view at once,
// which is what writing a view back and synchronising would achieve.
#include <array>
#include <bit>
#include <cassert>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/cands.h"
#include "model/cell_index.h"
#include "model/cell_mask.h"
#include "model/grid.h"

namespace tesura {

enum class View : std::uint8_t { block = 0, row = 1, column = 2 };

// kUnitCell[view][u][p]: store index of position p (0-based) in unit u
// (0-based) of the view. Store index of block cell (b, k) is (b-1)*9 + k-1.
inline constexpr auto kUnitCell = [] {
  std::array<std::array<std::array<std::uint8_t, 9>, 9>, 3> t{};
  for (int u = 1; u <= 9; ++u)
    for (int p = 1; p <= 9; ++p) {
      t[0][u - 1][p - 1] = static_cast<std::uint8_t>((u - 1) * 9 + p - 1);
      const auto row_cell = block_of(u, p);  // row view: unit = row, position = column
      t[1][u - 1][p - 1] = static_cast<std::uint8_t>((row_cell.block - 1) * 9 + row_cell.cell - 1);
      const auto col_cell = block_of(p, u);  // column view: unit = column, position = row
      t[2][u - 1][p - 1] = static_cast<std::uint8_t>((col_cell.block - 1) * 9 + col_cell.cell - 1);
    }
  return t;
}();

// kUnitCell read backwards: per cell and view, the unit holding the cell
// (position = false) or the cell's place in that unit (position = true).
constexpr auto invert_unit_cell(bool position) {
  std::array<std::array<std::uint8_t, 3>, 81> t{};
  for (int v = 0; v < 3; ++v)
    for (int u = 0; u < 9; ++u)
      for (int p = 0; p < 9; ++p)
        t[kUnitCell[v][u][p]][v] = static_cast<std::uint8_t>(position ? p : u);
  return t;
}
// kCellUnit[cell][view]: the unit (0-based) of the view that holds the cell.
inline constexpr auto kCellUnit = invert_unit_cell(false);
// kCellPos[cell][view]: the cell's position (0-based) in its unit of the view.
inline constexpr auto kCellPos = invert_unit_cell(true);

// kCellPosBit[cell][view]: the cell's position in its unit of the view, as a bit.
inline constexpr auto kCellPosBit = [] {
  std::array<std::array<std::uint16_t, 3>, 81> t{};
  for (int at = 0; at < 81; ++at)
    for (int v = 0; v < 3; ++v) t[at][v] = static_cast<std::uint16_t>(1u << kCellPos[at][v]);
  return t;
}();

// Per view, a set of units as bits; the fourth lane is unused. Kept as four
// lanes so that one cell's three units go in with a single word-wide or.
using UnitSets = std::array<std::uint16_t, 4>;

// kCellUnitSets[cell]: the cell's unit in each view, as a one-bit set.
inline constexpr auto kCellUnitSets = [] {
  std::array<UnitSets, 81> t{};
  for (int at = 0; at < 81; ++at)
    for (int v = 0; v < 3; ++v) t[at][v] = static_cast<std::uint16_t>(1u << kCellUnit[at][v]);
  return t;
}();

// Adds the cell's three units to the sets, but for the lanes cleared in
// `lanes`.
inline void add_cell_units(UnitSets& sets, int at, std::uint64_t lanes = ~0ull) {
  std::uint64_t w = 0, cell = 0;
  std::memcpy(&w, sets.data(), sizeof w);
  std::memcpy(&cell, kCellUnitSets[at].data(), sizeof cell);
  cell &= lanes;
  w |= cell;
  std::memcpy(sets.data(), &w, sizeof w);
}

// One count per candidate character: nibble d is 1 where c holds d.
inline constexpr auto kNibbleSpread = [] {
  std::array<std::uint64_t, 1024> t{};
  for (unsigned c = 0; c < 1024; ++c)
    for (int d = 0; d < 10; ++d)
      if (c & (1u << d)) t[c] |= 1ull << (4 * d);
  return t;
}();
constexpr std::uint64_t nibble_spread(Cands c) {
  return kNibbleSpread[c & 1023];
}
// The same with each nibble filled: nibble d is 0xF where c holds d.
inline constexpr auto kNibbleFill = [] {
  std::array<std::uint64_t, 1024> t{};
  for (unsigned c = 0; c < 1024; ++c) t[c] = kNibbleSpread[c] * 0xF;
  return t;
}();

struct Board {
  std::array<Cands, 81> cand{};
  std::array<Digit, 81> val{};

  // Bookkeeping derived from the cells, kept up to date by every change, so
  // that a pass can tell at once whether it would change a unit at all.
  //
  // maybe_due[view]: units that got a digit since their last pruning pass
  // showed them clean; only these can be due (open counts only fall).
  UnitSets maybe_due{0x1FF, 0x1FF, 0x1FF, 0};
  // maybe_unique[view]: units whose open counts fell since a unique-place
  // pass last found no digit to fix in them; only these can have one.
  UnitSets maybe_unique{0x1FF, 0x1FF, 0x1FF, 0};
  int singles = 0;     // cells whose string is one character long
  Cands repeated = 0;  // digits ever placed in a unit that already held them
  // placed[view][unit]: the digits placed in the unit, as candidate bits.
  std::array<std::array<Cands, 9>, 3> placed{};
  // open_count[view][unit]: nibble d counts the unit's open cells (two or
  // more candidates) that list digit d.
  std::array<std::array<std::uint64_t, 9>, 3> open_count{};
  // decided[view][unit]: the digits of the unit's one-character strings.
  std::array<std::array<Cands, 9>, 3> decided{};
  // open_cells[view][unit]: the positions of the unit's open cells, as bits.
  std::array<std::array<std::uint16_t, 9>, 3> open_cells{};

  // Cells only: the rest is derived.
  bool operator==(const Board& o) const { return cand == o.cand && val == o.val; }

  // Recomputes the bookkeeping from the cells.
  void derive();
  // derive for any cells, and its step for a cell's placed digit.
  void derive_any();
  void place_derived(int at);
  // Debug and sanitizer builds: aborts when the bookkeeping differs from
  // what derive() makes of the cells. Nothing in release builds.
  void check_bookkeeping() const;

  // Whether a pruning pass over the unit would change a cell: some open cell
  // lists a digit placed in the unit.
  bool prune_due(int view, int unit) const {
    return (open_count[view][unit] & kNibbleFill[placed[view][unit] & 1023]) != 0;
  }

  // The digits that a unique-place pass over the unit would fix: listed by
  // exactly one cell of the unit, and that cell still open.
  Cands unique_open_digits(int view, int unit) const {
    constexpr std::uint64_t kOnes = 0x1111111110ull;  // nibbles 1 to 9
    constexpr std::uint64_t kLow = 0x7777777777ull;
    // High bit of each nibble set exactly where the count equals 1.
    const std::uint64_t x = open_count[view][unit] ^ kOnes;
    const std::uint64_t one = ~(((x & kLow) + kLow) | x | kLow) & (kOnes << 3);
    if (one == 0) return 0;
    // Nibble d's bit to bit d, without a branch per digit: pairs, then
    // fours, then eights of neighbouring digits drawn together.
    std::uint64_t w = one >> 3;
    w = (w | w >> 3) & 0x0303030303ull;
    w = (w | w >> 6) & 0x000F000F000Full;
    w = (w | w >> 12) & 0x00FF000000FFull;
    const auto digits = static_cast<Cands>((w | w >> 24) & 0x3FF);
    // A digit also held by a decided cell is listed twice.
    return digits & static_cast<Cands>(~decided[view][unit]);
  }

  // The units of the view where prune_due holds, as bits: all nine in one
  // go, without a branch per unit.
  unsigned due_units(int view) const {
    unsigned units = 0;
    for (int u = 0; u < 9; ++u) units |= static_cast<unsigned>(prune_due(view, u)) << u;
    return units;
  }

  // The units of the view where some digit is listed by one open cell
  // alone, as bits: all nine in one go, without a branch per unit.
  unsigned units_with_single_listing(int view) const {
    constexpr std::uint64_t kOnes = 0x1111111110ull;  // nibbles 1 to 9
    constexpr std::uint64_t kLow = 0x7777777777ull;
    unsigned units = 0;
    for (int u = 0; u < 9; ++u) {
      const std::uint64_t x = open_count[view][u] ^ kOnes;
      const std::uint64_t one = ~(((x & kLow) + kLow) | x | kLow) & (kOnes << 3);
      units |= static_cast<unsigned>(one != 0) << u;
    }
    return units;
  }

  // The digits placed in the three units of the cell.
  Cands placed_around(int at) const {
    const auto& units = kCellUnit[at];
    return placed[0][units[0]] | placed[1][units[1]] | placed[2][units[2]];
  }

  // How many digits the unit's open cells list, all together.
  int open_listings(int view, int unit) const {
    const std::uint64_t x = open_count[view][unit];
    // Nibble pairs into bytes, then the bytes summed into the top one.
    const std::uint64_t bytes = (x & 0x0F0F0F0F0F0F0F0Full) + ((x >> 4) & 0x0F0F0F0F0F0F0F0Full);
    return static_cast<int>((bytes * 0x0101010101010101ull) >> 56);
  }

  // A cell's string went from `before` to `now`, a subset of it.
  void candidates_changed(int at, Cands before, Cands now) {
    if (!at_most_one_cand(before)) {
      // Every digit the cell stops listing as an open cell leaves the counts.
      const Cands gone = at_most_one_cand(now) ? before : before & static_cast<Cands>(~now);
      const std::uint64_t delta = nibble_spread(gone);
      for (int v = 0; v < 3; ++v) open_count[v][kCellUnit[at][v]] -= delta;
      add_cell_units(maybe_unique, at);
      if (at_most_one_cand(now))
        for (int v = 0; v < 3; ++v)
          open_cells[v][kCellUnit[at][v]] &= static_cast<std::uint16_t>(~kCellPosBit[at][v]);
    }
    if (one_cand(now))
      for (int v = 0; v < 3; ++v) decided[v][kCellUnit[at][v]] |= now;
  }
  // An open cell was pruned down to `now`, one character or none.
  void open_cell_closed(int at, Cands before, Cands now) {
    const std::uint64_t delta = nibble_spread(before);
    const auto& units = kCellUnit[at];
    for (int v = 0; v < 3; ++v) {
      open_count[v][units[v]] -= delta;
      open_cells[v][units[v]] &= static_cast<std::uint16_t>(~kCellPosBit[at][v]);
      decided[v][units[v]] |= now;
    }
    add_cell_units(maybe_unique, at);
  }
  // An open cell that stays open stopped listing `gone` (perhaps nothing).
  void open_cell_pruned(int at, Cands gone) {
    const std::uint64_t delta = nibble_spread(gone);
    for (int v = 0; v < 3; ++v) open_count[v][kCellUnit[at][v]] -= delta;
    add_cell_units(maybe_unique, at, gone != 0 ? ~0ull : 0);
  }
  // A cell that had no digit got `value`; `due_lanes` as for add_cell_units.
  void digit_placed(int at, int value, std::uint64_t due_lanes = ~0ull) {
    add_cell_units(maybe_due, at, due_lanes);
    const Cands digit = cands_of(value);
    const auto& units = kCellUnit[at];
    Cands& p0 = placed[0][units[0]];
    Cands& p1 = placed[1][units[1]];
    Cands& p2 = placed[2][units[2]];
    repeated |= static_cast<Cands>((p0 | p1 | p2) & digit);
    p0 |= digit;
    p1 |= digit;
    p2 |= digit;
  }
  // Decides an open cell outright.
  void set_digit(int at, int digit, std::uint64_t due_lanes = ~0ull) {
    assert(val[at] == 0);
    const Cands before = cand[at];
    singles += !one_cand(before);
    const Cands now = cands_of(digit);
    cand[at] = now;
    val[at] = static_cast<Digit>(digit);
    if (!at_most_one_cand(before))
      open_cell_closed(at, before, now);
    else
      candidates_changed(at, before, now);
    digit_placed(at, digit, due_lanes);
  }

  Cands& cand_at(View v, int u, int p) { return cand[kUnitCell[int(v)][u][p]]; }

  // Takes a block-view pair of tables (the grid's own, or a saved copy);
  // the bookkeeping is derived when a solver takes the board.
  static Board from_tables(const CandTable& cand, const ValTable& val);
  // Writes the board into the grid's block view; the caller synchronises
  // the other views.
  void to_block_view(Grid& grid) const;
};

inline Board Board::from_tables(const CandTable& cand, const ValTable& val) {
  // The store is in block order, as the tables are.
  Board board;
  board.cand = cand.flat();
  board.val = val.flat();
  return board;
}

inline void Board::derive() {
  // A board fresh from acceptance holds nothing but empty strings (the
  // givens) and strings listing every digit, so its counts follow from the
  // givens alone: every unit starts with nine open cells, and each empty
  // string takes one away. Any other board is derived cell by cell.
  singles = 0;
  placed = {};
  repeated = 0;
  maybe_due = {0x1FF, 0x1FF, 0x1FF, 0};
  maybe_unique = {0x1FF, 0x1FF, 0x1FF, 0};
  decided = {};
  const std::uint64_t all = nibble_spread(kAllCands);
  for (auto& view : open_count) view.fill(9 * all);
  for (auto& view : open_cells) view.fill(0x1FF);
  Cands other = 0;  // what the cells taken for empty list: nothing on a fresh board
  const auto close = [&](int at) {
    other |= cand[at];
    const auto& units = kCellUnit[at];
    for (int v = 0; v < 3; ++v) {
      open_count[v][units[v]] -= all;
      open_cells[v][units[v]] &= static_cast<std::uint16_t>(~kCellPosBit[at][v]);
    }
  };
  const CellMask not_open = cells_other_than(cand, kAllCands);
  const CellMask with_digit = cells_other_than(val, 0);
  if (with_digit == not_open) {
    // Acceptance leaves a digit in the empty strings alone.
    not_open.for_each([&](int at) {
      close(at);
      place_derived(at);
    });
  } else {
    not_open.for_each(close);
    with_digit.for_each([&](int at) { place_derived(at); });
  }
  if (other != 0) {
    derive_any();
    return;
  }
#ifndef NDEBUG
  Board any = *this;
  any.derive_any();
  assert(any.open_count == open_count && any.open_cells == open_cells && any.placed == placed &&
         any.repeated == repeated);
#endif
}

inline void Board::derive_any() {
  singles = 0;
  placed = {};
  repeated = 0;
  open_count = {};
  maybe_due = {0x1FF, 0x1FF, 0x1FF, 0};
  maybe_unique = {0x1FF, 0x1FF, 0x1FF, 0};
  decided = {};
  open_cells = {};
  for (int at = 0; at < 81; ++at) {
    const Cands c = cand[at];
    const auto& units = kCellUnit[at];
    if (!at_most_one_cand(c)) {
      const std::uint64_t listed = nibble_spread(c & kAllCands);
      for (int v = 0; v < 3; ++v) {
        open_count[v][units[v]] += listed;
        open_cells[v][units[v]] |= kCellPosBit[at][v];
      }
    } else if (one_cand(c)) {
      ++singles;
      for (int v = 0; v < 3; ++v) decided[v][units[v]] |= c;
    }
    if (val[at] != 0) place_derived(at);
  }
}

inline void Board::place_derived(int at) {
  const Cands digit = cands_of(val[at]);
  const auto& units = kCellUnit[at];
  for (int v = 0; v < 3; ++v) {
    repeated |= static_cast<Cands>(placed[v][units[v]] & digit);
    placed[v][units[v]] |= digit;
  }
}

inline void Board::check_bookkeeping() const {
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

inline void Board::to_block_view(Grid& grid) const {
  grid.gs_cand.flat() = cand;
  grid.gs_val.flat() = val;
}

}  // namespace tesura
