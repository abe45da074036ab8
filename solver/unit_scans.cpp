// SPDX-License-Identifier: MIT
// The unit scans of the two trial levels and the duplicate check.
#include <bit>

#include "solver/one_go_solver.h"

namespace tesura {

namespace {
// kBitCount9[s]: the members of a set of nine positions. A table, as the
// build assumes no population-count instruction.
constexpr auto kBitCount9 = [] {
  std::array<std::uint8_t, 512> t{};
  for (unsigned s = 0; s < 512; ++s) t[s] = static_cast<std::uint8_t>(std::popcount(s));
  return t;
}();
}  // namespace

unsigned OneGoSolver::mark1(View v) const {
  const int vi = static_cast<int>(v);
  // Open cells list two digits or more, so they list two each exactly when
  // the unit's listings are twice its open cells.
  return units_where(
      [&](int u) { return gs.open_count[vi][u].total() == 2 * kBitCount9[gs.open_cells[vi][u]]; });
}

unsigned OneGoSolver::mark2(View v) const {
  const int vi = static_cast<int>(v);
  return units_where([&](int u) {
    // All nine cells, without a way out at the first wide one: the branch
    // would be hard to foresee.
    bool narrow = true;
    for (int p = 0; p < 9; ++p) narrow &= at_most_cands(gs.cand[kUnitCell[vi][u][p]], 3);
    return narrow;
  });
}

ViewUnits OneGoSolver::mark1_after_guess(int at, const ViewUnits& pairs) const {
  // The guess takes the cell out of the open cells of its three units;
  // every other unit keeps its mark.
  const Cands before = sv2.cand[at];
  const int width = kBitCount9[(before >> 1) & 511] + (before & 1);
  ViewUnits after{};
  for (int w = 0; w < 3; ++w) {
    const int unit = kCellUnit[at][w];
    const bool pair =
        sv2.open_count[w][unit].total() - width == 2 * (kBitCount9[sv2.open_cells[w][unit]] - 1);
    after[w] = (pairs[w] & ~(1u << unit)) | static_cast<unsigned>(pair) << unit;
  }
  return after;
}

void OneGoSolver::find_conflict() {
  // Digits are never taken off a board except by a restore, which brings
  // its own count, so a repeat ever placed is a repeat still standing.
  conflict_flag = gs.repeated != 0 ? 1 : 0;
}

}  // namespace tesura
