// SPDX-License-Identifier: MIT
#pragma once
// Nine small counts in one word, one per digit: nibble d counts digit d
// (1 to 9; nibble 0 belongs to the character "0", which the solver never
// meets). A unit has nine cells, so a count never passes 9 and never
// carries into its neighbour, and a whole unit is updated or asked with one
// operation on the word.
#include <array>
#include <cstdint>

#include "model/cands.h"

namespace tesura {

// kNibbleSpread[c]: nibble d is 1 where the string c holds d.
inline constexpr auto kNibbleSpread = [] {
  std::array<std::uint64_t, 1024> t{};
  for (unsigned c = 0; c < 1024; ++c)
    for (int d = 0; d < 10; ++d)
      if (c & (1u << d)) t[c] |= 1ull << (4 * d);
  return t;
}();
// The same with each nibble filled: nibble d is 0xF where c holds d.
inline constexpr auto kNibbleFill = [] {
  std::array<std::uint64_t, 1024> t{};
  for (unsigned c = 0; c < 1024; ++c) t[c] = kNibbleSpread[c] * 0xF;
  return t;
}();

struct DigitCounts {
  std::uint64_t nibbles = 0;

  // One count for each digit of c.
  static DigitCounts of(Cands c) { return {kNibbleSpread[c & 1023]}; }

  void add(DigitCounts o) { nibbles += o.nibbles; }
  void remove(DigitCounts o) { nibbles -= o.nibbles; }
  bool operator==(const DigitCounts&) const = default;

  // Whether some digit of c has a count.
  bool any_of(Cands c) const { return (nibbles & kNibbleFill[c & 1023]) != 0; }

  // The high bit of each nibble 1 to 9 set exactly where the count is 1.
  std::uint64_t one_marks() const {
    constexpr std::uint64_t kOnes = 0x1111111110ull;
    constexpr std::uint64_t kLow = 0x7777777777ull;
    const std::uint64_t x = nibbles ^ kOnes;
    return ~(((x & kLow) + kLow) | x | kLow) & (kOnes << 3);
  }

  // The digits counted exactly once.
  Cands ones() const {
    // Nibble d's mark to bit d, without a branch per digit: pairs, then
    // fours, then eights of neighbouring digits drawn together.
    std::uint64_t w = one_marks() >> 3;
    w = (w | w >> 3) & 0x0303030303ull;
    w = (w | w >> 6) & 0x000F000F000Full;
    w = (w | w >> 12) & 0x00FF000000FFull;
    return static_cast<Cands>((w | w >> 24) & 0x3FF);
  }

  // All the counts together.
  int total() const {
    // Nibble pairs into bytes, then the bytes summed into the top one.
    const std::uint64_t bytes =
        (nibbles & 0x0F0F0F0F0F0F0F0Full) + ((nibbles >> 4) & 0x0F0F0F0F0F0F0F0Full);
    return static_cast<int>((bytes * 0x0101010101010101ull) >> 56);
  }
};

}  // namespace tesura
