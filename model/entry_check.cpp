// SPDX-License-Identifier: MIT
#include "model/entry_check.h"

#include <array>
#include <cstdint>

#include "model/cell_mask.h"

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
  // The digits seen so far in each unit, as bits 1 to 9; the verdict is
  // taken once at the end, so the loop has no branch per given.
  std::array<unsigned, 27> seen{};
  unsigned repeats = 0;
  cells_other_than(puzzle, 0).for_each([&](int i) {
    const unsigned bit = 1u << puzzle[i];
    const auto& u = kUnits[i];
    repeats |= (seen[u[0]] | seen[u[1]] | seen[u[2]]) & bit;
    seen[u[0]] |= bit;
    seen[u[1]] |= bit;
    seen[u[2]] |= bit;
  });
  return repeats != 0 ? InputVerdict::repeated : InputVerdict::accepted;
}

}  // namespace tesura
