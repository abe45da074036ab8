// SPDX-License-Identifier: MIT
#pragma once
// Where each cell of the solver's store stands in the three views. The store
// holds the 81 cells in block order: block cell (b, k) at (b-1)*9 + k-1.
#include <array>
#include <cstdint>
#include <cstring>

#include "model/cell_index.h"

namespace tesura {

enum class View : std::uint8_t { block = 0, row = 1, column = 2 };

// kUnitCell[view][u][p]: store index of position p (0-based) in unit u
// (0-based) of the view.
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

// kUnitCell read backwards: per cell and view, f(u, p) of the unit u of the
// view that holds the cell and the cell's position p in it; lanes past the
// third stay 0.
template <class T, std::size_t Lanes = 3>
constexpr auto per_cell_and_view(auto f) {
  std::array<std::array<T, Lanes>, 81> t{};
  for (int v = 0; v < 3; ++v)
    for (int u = 0; u < 9; ++u)
      for (int p = 0; p < 9; ++p) t[kUnitCell[v][u][p]][v] = static_cast<T>(f(u, p));
  return t;
}
// kCellUnit[cell][view]: the unit (0-based) of the view that holds the cell.
inline constexpr auto kCellUnit = per_cell_and_view<std::uint8_t>([](int u, int) { return u; });
// kCellPosBit[cell][view]: the cell's position in its unit of the view, as a bit.
inline constexpr auto kCellPosBit =
    per_cell_and_view<std::uint16_t>([](int, int p) { return 1u << p; });

// The units u (0 to 8) where test(u) holds, as bits: all nine tested, without
// a branch per unit.
inline unsigned units_where(auto test) {
  unsigned units = 0;
  for (int u = 0; u < 9; ++u) units |= static_cast<unsigned>(test(u)) << u;
  return units;
}

// Per view, a set of units as bits; the fourth lane is unused. Kept as four
// lanes so that one cell's three units go in with a single word-wide or.
using UnitSets = std::array<std::uint16_t, 4>;
inline constexpr UnitSets kEveryUnit{0x1FF, 0x1FF, 0x1FF, 0};

// kCellUnitSets[cell]: the cell's unit in each view, as a one-bit set.
inline constexpr auto kCellUnitSets =
    per_cell_and_view<std::uint16_t, 4>([](int u, int) { return 1u << u; });

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

// Whether no lane of the sets holds a unit.
inline bool no_unit(const UnitSets& sets) {
  std::uint64_t w = 0;
  std::memcpy(&w, sets.data(), sizeof w);
  return w == 0;
}

}  // namespace tesura
