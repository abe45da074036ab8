// SPDX-License-Identifier: MIT
#include "model/entry_check.h"

#include <array>
#include <cstdint>

namespace tesura {

namespace {
// kUnits[i]: the row, 9 + the column and 18 + the block of cell i.
constexpr auto kUnits = [] {
  std::array<std::array<std::uint8_t, 3>, 81> t{};
  for (int i = 0; i < 81; ++i) {
    const int r = i / 9, c = i % 9;
    t[i] = {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(9 + c),
            static_cast<std::uint8_t>(18 + r / 3 * 3 + c / 3)};
  }
  return t;
}();
}  // namespace

int count_givens(const Puzzle& puzzle) {
  int givens = 0;
  for (const Digit d : puzzle) givens += d != 0;
  return givens;
}

InputVerdict check_puzzle(const Puzzle& puzzle, int givens, int min_entries) {
  if (givens < min_entries) return InputVerdict::too_few;
  // The digits seen so far in each unit, as bits 1 to 9.
  std::array<std::uint16_t, 27> seen{};
  for (int i = 0; i < 81; ++i) {
    if (puzzle[i] == 0) continue;
    const auto bit = static_cast<std::uint16_t>(1u << puzzle[i]);
    const auto& u = kUnits[i];
    if ((seen[u[0]] | seen[u[1]] | seen[u[2]]) & bit) return InputVerdict::repeated;
    seen[u[0]] |= bit;
    seen[u[1]] |= bit;
    seen[u[2]] |= bit;
  }
  return InputVerdict::accepted;
}

}  // namespace tesura
