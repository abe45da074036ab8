// SPDX-License-Identifier: MIT
#include "model/grid.h"

#include <array>
#include <cassert>
#include <initializer_list>

#include "model/cell_index.h"

namespace tesura {

void Grid::reset_cells() {
  for (CandTable* t : {&gs_cand, &ygs_cand, &tgs_cand}) t->flat().fill(kAllCands);
  for (ValTable* t : {&gs_val, &ygs_val, &tgs_val}) t->flat().fill(0);
}

namespace {

// kRowCell[i][j]: block and cell of row i, column j (0-based, for speed).
constexpr auto kRowCell = [] {
  std::array<std::array<BlockPos, 9>, 9> t{};
  for (int i = 1; i <= 9; ++i)
    for (int j = 1; j <= 9; ++j) t[i - 1][j - 1] = block_of(i, j);
  return t;
}();

}  // namespace

void Grid::sync_views() {
  // Row view entry i is row-major; the column view holds it transposed.
  const auto& gc = gs_cand.flat();
  const auto& gv = gs_val.flat();
  auto& yc = ygs_cand.flat();
  auto& yv = ygs_val.flat();
  auto& tc = tgs_cand.flat();
  auto& tv = tgs_val.flat();
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) {
      const int g = kBlockEntry[r * 9 + c];
      const Cands cand = gc[g];
      const Digit val = gv[g];
      yc[r * 9 + c] = cand;
      yv[r * 9 + c] = val;
      tc[c * 9 + r] = cand;
      tv[c * 9 + r] = val;
    }
}

namespace {

// Writes a view indexed [row, column] (transposed: [column, row]) into the
// block view.
void write_back(Grid& grid, const CandTable& cand, const ValTable& val, bool transposed) {
  for (int i = 1; i <= 9; ++i)
    for (int j = 1; j <= 9; ++j) {
      const auto [b, k] = transposed ? kRowCell[j - 1][i - 1] : kRowCell[i - 1][j - 1];
      grid.gs_cand(b, k) = cand(i, j);
      grid.gs_val(b, k) = val(i, j);
    }
}

}  // namespace

void Grid::ygs_gs() {
  write_back(*this, ygs_cand, ygs_val, false);
}

void Grid::tgs_gs() {
  write_back(*this, tgs_cand, tgs_val, true);
}

void Grid::count_cand() {
  decided_cnt = 0;
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k)
      if (one_cand(gs_cand(b, k))) ++decided_cnt;
}

void Grid::modosu_gs() {
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k)
      if (gs_cand(b, k) == kNoCands) gs_cand(b, k) = cands_of(gs_val(b, k));
  sync_views();
}

void Grid::save_sv0() {
  sv0_cand = gs_cand;
  sv0_val = gs_val;
}

void Grid::load_sv0() {
  gs_cand = sv0_cand;
  gs_val = sv0_val;
}

void Grid::drop_digit(int block, int cell, int digit) {
  assert(digit >= 1 && digit <= 9);
  gs_cand(block, cell) = cands_of(digit);
  gs_val(block, cell) = static_cast<Digit>(digit);
}

Digit Grid::step_digit(int block, int cell, bool down) {
  int v = gs_val(block, cell);
  if (down) {
    if (--v == -1) v = 9;
  } else {
    if (++v == 10) v = 0;
  }
  gs_val(block, cell) = static_cast<Digit>(v);
  gs_cand(block, cell) = v == 0 ? kAllCands : cands_of(v);
  return static_cast<Digit>(v);
}

void Grid::clear_given_cand() {
  for (int i = 1; i <= 9; ++i)
    for (int j = 1; j <= 9; ++j)
      if (one_cand(gs_cand(i, j))) gs_cand(i, j) = kNoCands;
}

void Grid::return_to_first_problem() {
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) {
      if (gs_cand(b, k) == kNoCands) {
        gs_cand(b, k) = cands_of(gs_val(b, k));
      } else {
        gs_cand(b, k) = kAllCands;
        gs_val(b, k) = 0;
      }
    }
  sync_views();
}

}  // namespace tesura
