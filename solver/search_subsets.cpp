// SPDX-License-Identifier: MIT
// Locked subsets for the complete search's root: n open cells of a row,
// column or box that hold only n digits between them take those digits
// (naked), and n digits left to a unit that fit only n of its cells take
// those cells (hidden). Fewer digits than cells, or fewer cells than
// digits, is a contradiction. Sizes two to four suffice: a larger subset
// of a unit's open cells is the other kind's subset of the rest.
#include <array>
#include <bit>
#include <cstdint>

#include "solver/search_state.h"

namespace tesura::search {
namespace {

// The nine cells of each unit (rows, columns, boxes) as band * 27 + bit.
struct Units {
  std::uint8_t cell[27][9];
};
constexpr Units make_units() {
  Units u{};
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) {
      const auto cell = static_cast<std::uint8_t>(r / 3 * 27 + r % 3 * 9 + c);
      u.cell[r][c] = cell;
      u.cell[9 + c][r] = cell;
      u.cell[18 + r / 3 * 3 + c / 3][r % 3 * 3 + c % 3] = cell;
    }
  return u;
}
constexpr Units kUnits = make_units();

// The sets of two to four of nine.
struct Subsets {
  std::uint16_t set[246];
};
constexpr Subsets make_subsets() {
  Subsets s{};
  int n = 0;
  for (int x = 0; x < 512; ++x)
    if (std::popcount(static_cast<unsigned>(x)) >= 2 &&
        std::popcount(static_cast<unsigned>(x)) <= 4)
      s.set[n++] = static_cast<std::uint16_t>(x);
  return s;
}
constexpr Subsets kSubsets = make_subsets();

// Of sets (bit k: member k, open when it has two or more), the subsets of
// two to four open members whose bits in of[] cover as many as they are:
// loses[k] receives, for each member k outside such a subset, its bits
// that the subset takes.
// False when a subset covers fewer than it has members.
bool lock(const u32 (&of)[9], u32 (&loses)[9]) {
  u32 open = 0;
  for (int k = 0; k < 9; ++k) open |= static_cast<u32>(std::popcount(of[k]) >= 2) << k;
  for (const std::uint16_t set : kSubsets.set) {
    if ((set & ~open) != 0) continue;
    u32 covered = 0;
    for (u32 x = set; x != 0; x &= x - 1) covered |= of[std::countr_zero(x)];
    const int n = std::popcount(static_cast<u32>(set)), m = std::popcount(covered);
    if (m < n) return false;
    if (m > n) continue;
    for (int k = 0; k < 9; ++k)
      if (((set >> k) & 1u) == 0) loses[k] |= of[k] & covered;
  }
  return true;
}

// One pass over the 27 units; false on a contradiction. Sets changed when
// a candidate went.
bool pass(State& s, bool& changed) {
  for (const auto& unit : kUnits.cell) {
    u32 digits[9] = {}, places[9] = {};  // per cell, per digit
    for (int k = 0; k < 9; ++k) {
      const int b = unit[k] / 27, i = unit[k] % 27;
      for (int d = 0; d < 9; ++d) {
        const u32 on = (s.cand[at(d, b)] >> i) & 1u;
        digits[k] |= on << d;
        places[d] |= on << k;
      }
    }
    u32 naked[9] = {}, hidden[9] = {};  // per cell digits lost; per digit cells lost
    if (!lock(digits, naked) || !lock(places, hidden)) return false;
    for (int k = 0; k < 9; ++k) {
      const int b = unit[k] / 27, i = unit[k] % 27;
      for (int d = 0; d < 9; ++d) {
        const bool gone = ((naked[k] >> d) & 1u) != 0 || ((hidden[d] >> k) & 1u) != 0;
        if (gone && ((s.cand[at(d, b)] >> i) & 1u) != 0) {
          s.cand[at(d, b)] &= ~(1u << i);
          changed = true;
        }
      }
    }
  }
  return true;
}

}  // namespace

bool lock_subsets(State& s) {
  for (;;) {
    if (!propagate(s)) return false;
    bool changed = false;
    if (!pass(s, changed)) return false;
    if (!changed) return true;
  }
}

}  // namespace tesura::search
