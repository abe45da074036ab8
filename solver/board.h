#pragma once
// The solver's working board: the 81 cells stored once, in block order, with
// the row and column views as index maps over the same store. A step that
// works in the row or column view therefore lands in the block view at once,
// which is what writing a view back and synchronising would achieve.
#include <array>
#include <cstdint>

#include "model/cands.h"
#include "model/cell_index.h"
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

// kCellUnit[cell][view]: the unit (0-based) of the view that holds the cell.
inline constexpr auto kCellUnit = [] {
  std::array<std::array<std::uint8_t, 3>, 81> t{};
  for (int v = 0; v < 3; ++v)
    for (int u = 0; u < 9; ++u)
      for (int p = 0; p < 9; ++p) t[kUnitCell[v][u][p]][v] = static_cast<std::uint8_t>(u);
  return t;
}();

struct Board {
  static constexpr std::uint16_t kAllUnits = 0x1FF;

  std::array<Cands, 81> cand{};
  std::array<Digit, 81> val{};
  // Per view, the units on which a pruning pass or a unique-place pass might
  // still change something. A pass over any other unit would be a no-op, so
  // it is skipped; the marks only ever err on the side of running it.
  std::array<std::uint16_t, 3> prune_due{kAllUnits, kAllUnits, kAllUnits};
  std::array<std::uint16_t, 3> unique_due{kAllUnits, kAllUnits, kAllUnits};
  int singles = 0;  // cells whose string is one character long
  // placed[view][unit]: the digits placed in the unit, as candidate bits.
  std::array<std::array<Cands, 9>, 3> placed{};

  // Cells only: the marks are derived bookkeeping.
  bool operator==(const Board& o) const { return cand == o.cand && val == o.val; }

  // Recomputes the bookkeeping (counts, placed digits, due marks) from the cells.
  void derive();

  // A cell's candidates changed: its units may hold a new unique place.
  void candidates_changed(int at) {
    for (int v = 0; v < 3; ++v) unique_due[v] |= static_cast<std::uint16_t>(1u << kCellUnit[at][v]);
  }
  // A cell got a digit: its units may have cells to prune.
  void digit_placed(int at) {
    for (int v = 0; v < 3; ++v) {
      prune_due[v] |= static_cast<std::uint16_t>(1u << kCellUnit[at][v]);
      placed[v][kCellUnit[at][v]] |= cands_of(val[at]);
    }
  }
  // Decides a cell outright.
  void set_digit(int at, int digit) {
    singles += !one_cand(cand[at]);
    cand[at] = cands_of(digit);
    val[at] = static_cast<Digit>(digit);
    candidates_changed(at);
    digit_placed(at);
  }

  Cands& cand_at(View v, int u, int p) { return cand[kUnitCell[int(v)][u][p]]; }
  Digit& val_at(View v, int u, int p) { return val[kUnitCell[int(v)][u][p]]; }

  // Takes a block-view pair of tables (the grid's own, or a saved copy).
  static Board from_tables(const CandTable& cand, const ValTable& val);
  // Writes the board into the grid's block view and synchronises its views.
  void to_grid(Grid& grid) const;
};

inline Board Board::from_tables(const CandTable& cand, const ValTable& val) {
  Board board;
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) {
      board.cand[(b - 1) * 9 + k - 1] = cand(b, k);
      board.val[(b - 1) * 9 + k - 1] = val(b, k);
    }
  board.derive();
  return board;
}

inline void Board::derive() {
  singles = 0;
  placed = {};
  prune_due.fill(kAllUnits);
  unique_due.fill(kAllUnits);
  for (int at = 0; at < 81; ++at) {
    singles += one_cand(cand[at]);
    if (val[at] != 0)
      for (int v = 0; v < 3; ++v) placed[v][kCellUnit[at][v]] |= cands_of(val[at]);
  }
}

inline void Board::to_grid(Grid& grid) const {
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) {
      grid.gs_cand(b, k) = cand[(b - 1) * 9 + k - 1];
      grid.gs_val(b, k) = val[(b - 1) * 9 + k - 1];
    }
  grid.sync_views();
}

}  // namespace tesura
