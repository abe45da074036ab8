// SPDX-License-Identifier: MIT
// Locked subsets for the complete search's root: n open cells of a row,
// column or box that hold only n digits between them take those digits
// (naked), and n digits left to a unit that fit only n of its cells take
// those cells (hidden). Fewer digits than cells, or fewer cells than
// digits, is a contradiction. Sizes two to four suffice: a larger subset
// of a unit's open cells is the other kind's subset of the rest.
#include <bit>
#include <cstdint>

#include "solver/search_state.h"

namespace tesura::search {
namespace {

// Cell k of unit u (rows, columns, boxes) as band * 27 + bit.
constexpr int unit_cell(int u, int k) {
  const int r = u < 9 ? u : u < 18 ? k : u / 3 % 3 * 3 + k / 3;
  const int c = u < 9 ? k : u < 18 ? u - 9 : u % 3 * 3 + k % 3;
  return r / 3 * 27 + r % 3 * 9 + c;
}

// Of sets (bit k: member k, open when it has two or more), the subsets of
// two to four open members whose bits in of[] cover as many as they are:
// loses[k] receives, for each member k outside such a subset, its bits
// that the subset takes. False when a subset covers fewer than it has
// members. A union of more than four bits covers no larger subset that
// can lock, so the walk over subsets stops there.
bool lock(const u32 (&of)[9], u32 (&loses)[9]) {
  int open[9], n = 0;
  for (int k = 0; k < 9; ++k)
    if (std::popcount(of[k]) >= 2) open[n++] = k;
  u32 locked[2][16];  // the bits covered, the members
  int count = 0;
  bool ok = true;
  const auto check = [&](int size, u32 members, u32 covered) {
    const int m = std::popcount(covered);
    if (m < size) ok = false;
    if (m == size && count < 16) {
      locked[0][count] = covered;
      locked[1][count++] = members;
    }
  };
  for (int a = 0; a < n; ++a)
    for (int b = a + 1; b < n; ++b) {
      const u32 ub = of[open[a]] | of[open[b]], sb = (1u << open[a]) | (1u << open[b]);
      check(2, sb, ub);
      if (std::popcount(ub) > 4) continue;
      for (int c = b + 1; c < n; ++c) {
        const u32 uc = ub | of[open[c]], sc = sb | (1u << open[c]);
        check(3, sc, uc);
        if (std::popcount(uc) > 4) continue;
        for (int d = c + 1; d < n; ++d) check(4, sc | (1u << open[d]), uc | of[open[d]]);
      }
    }
  for (int i = 0; i < count; ++i)
    for (int k = 0; k < 9; ++k)
      if (((locked[1][i] >> k) & 1u) == 0) loses[k] |= of[k] & locked[0][i];
  return ok;
}

// One pass over the 27 units; false on a contradiction. Sets changed when
// a candidate went.
bool pass(State& s, bool& changed) {
  u32 digits_of[81] = {};  // band * 27 + bit
  for (int b = 0; b < 3; ++b)
    for (int d = 0; d < 9; ++d)
      for (u32 x = s.cand[at(d, b)]; x != 0; x &= x - 1)
        digits_of[b * 27 + std::countr_zero(x)] |= 1u << d;
  for (int u = 0; u < 27; ++u) {
    u32 digits[9] = {}, places[9] = {};  // per cell, per digit
    for (int k = 0; k < 9; ++k) {
      digits[k] = digits_of[unit_cell(u, k)];
      for (u32 x = digits[k]; x != 0; x &= x - 1) places[std::countr_zero(x)] |= 1u << k;
    }
    u32 naked[9] = {}, hidden[9] = {};  // per cell digits lost; per digit cells lost
    if (!lock(digits, naked) || !lock(places, hidden)) return false;
    for (int k = 0; k < 9; ++k) {
      const int cell = unit_cell(u, k), b = cell / 27, i = cell % 27;
      for (int d = 0; d < 9; ++d) {
        const bool gone = ((naked[k] >> d) & 1u) != 0 || ((hidden[d] >> k) & 1u) != 0;
        if (gone && ((s.cand[at(d, b)] >> i) & 1u) != 0) {
          s.cand[at(d, b)] &= ~(1u << i);
          digits_of[cell] &= ~(1u << d);
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
