// SPDX-License-Identifier: MIT
#include "ui/repeats.h"

namespace tesura::ui {

std::array<bool, 81> repeated_cells(const std::array<int, 81>& digits) {
  // Unit u of kind 0 (rows), 1 (columns) or 2 (blocks), position p: the cell.
  auto cell = [](int kind, int u, int p) {
    if (kind == 0) return u * 9 + p;
    if (kind == 1) return p * 9 + u;
    return (u / 3 * 3 + p / 3) * 9 + u % 3 * 3 + p % 3;
  };
  std::array<bool, 81> repeated{};
  for (int kind = 0; kind < 3; ++kind)
    for (int u = 0; u < 9; ++u) {
      std::array<int, 10> count{};
      for (int p = 0; p < 9; ++p) ++count[digits[cell(kind, u, p)]];
      for (int p = 0; p < 9; ++p) {
        const int d = digits[cell(kind, u, p)];
        if (d != 0 && count[d] > 1) repeated[cell(kind, u, p)] = true;
      }
    }
  return repeated;
}

}  // namespace tesura::ui
