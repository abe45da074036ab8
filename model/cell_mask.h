// SPDX-License-Identifier: MIT
#pragma once
// A set of the 81 cells as bits, found in a table of 16-bit entries four
// cells at a time, so that a loop over a few cells (the givens, say) takes
// neither a step nor a branch for each of the others.
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace tesura {

// Bits 0 to 80: bit i of lo for i < 64, bit i - 64 of hi for the others.
struct CellMask {
  std::uint64_t lo = 0;
  std::uint64_t hi = 0;

  CellMask operator&(const CellMask& o) const { return {lo & o.lo, hi & o.hi}; }
  bool empty() const { return (lo | hi) == 0; }
  bool operator==(const CellMask&) const = default;

  // Calls f(i) for every cell i in the set, ascending.
  template <class F>
  void for_each(F&& f) const {
    for (std::uint64_t m = lo; m != 0; m &= m - 1) f(std::countr_zero(m));
    for (std::uint64_t m = hi; m != 0; m &= m - 1) f(64 + std::countr_zero(m));
  }
};

// The cells of t whose entry is not `value`, in the table's own order.
template <class T>
CellMask cells_other_than(const std::array<T, 81>& t, std::uint16_t value) {
  static_assert(sizeof(T) == 2);
  constexpr std::uint64_t kLanes = 0x0001000100010001ull;
  constexpr std::uint64_t kTop = 0x8000 * kLanes;
  const std::uint64_t spread = value * kLanes;
  // Cells 4k to 4k + 3, a lane each, as bits 0 to 3.
  const auto four = [&](int k) {
    std::uint64_t w = 0;
    std::memcpy(&w, &t[4 * k], 8);
    if constexpr (std::endian::native == std::endian::big)
      w = w >> 48 | (w >> 16 & 0xFFFF0000ull) | (w << 16 & 0xFFFF00000000ull) | w << 48;
    // The top bit of each lane that differs from `value`, then the four
    // top bits drawn together into bits 48 to 51 by one product.
    const std::uint64_t x = w ^ spread;
    const std::uint64_t marks = (((x & ~kTop) + ~kTop) | x) & kTop;
    return ((marks >> 15) * 0x0001000200040008ull) >> 48;
  };
  CellMask mask;
  for (int k = 0; k < 16; ++k) mask.lo |= four(k) << (4 * k);
  for (int k = 16; k < 20; ++k) mask.hi |= four(k) << (4 * (k - 16));
  mask.hi |= static_cast<std::uint64_t>(t[80] != static_cast<T>(value)) << 16;
  return mask;
}

}  // namespace tesura
