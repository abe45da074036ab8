// SPDX-License-Identifier: MIT
#pragma once
// A cell's candidate string, held as a set of characters.
//
// The board keeps, for every cell, the text of the digits still possible
// there ("123456789", "38", "7", ""). Such a string is always ascending and
// without repeats, so it is held as a bit set: bit d stands for the character
// of d. Bit 0 stands for the character "0", which only the return of emptied
// givens to text can write; the solver never meets it.
#include <bit>
#include <cstdint>
#include <string>

namespace tesura {

using Digit = std::int16_t;  // 1 to 9 for a placed digit, 0 for none
using Cands = std::uint16_t;

inline constexpr Cands kAllCands = 0x3FE;  // "123456789"
inline constexpr Cands kNoCands = 0;       // ""

constexpr Cands cands_of(int digit) {
  return static_cast<Cands>(1u << digit);
}
constexpr int cands_length(Cands c) {
  return std::popcount(c);
}
// The first (smallest) character of a non-empty string, as a number.
constexpr int first_cand(Cands c) {
  return std::countr_zero(static_cast<unsigned>(c));
}
// The last (largest) character of a non-empty string, as a number.
constexpr int last_cand(Cands c) {
  return 31 - std::countl_zero(static_cast<unsigned>(c));
}

// Length tests that need no population count (cheap on any x86-64).
constexpr bool at_most_one_cand(Cands c) {
  return (c & (c - 1)) == 0;
}
constexpr bool one_cand(Cands c) {
  return c != 0 && at_most_one_cand(c);
}
constexpr bool at_most_cands(Cands c, int n) {
  // No early way out: a branch per bit costs more than the bits.
  for (int i = 0; i < n; ++i) c &= static_cast<Cands>(c - 1);
  return c == 0;
}

std::string cands_text(Cands c);

}  // namespace tesura
