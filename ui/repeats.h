// SPDX-License-Identifier: MIT
#pragma once
// Which digits of a board repeat within their row, column or block.
#include <array>

namespace tesura::ui {

// digits in reading order, 0 for blank; true where the cell's digit stands
// more than once in one of its units.
std::array<bool, 81> repeated_cells(const std::array<int, 81>& digits);

}  // namespace tesura::ui
