// SPDX-License-Identifier: MIT
#pragma once
// The complete search's candidates and the tables it reads them with.
//
// Each digit's candidates are three 27-bit words, one per band (three rows
// of boxes). Bit r*9 + c is row r of the band and column c:
//
//             box 0      box 1      box 2
//   row 0:   0  1  2 |  3  4  5 |  6  7  8    kRowCells: bits 0-8
//   row 1:   9 10 11 | 12 13 14 | 15 16 17
//   row 2:  18 19 20 | 21 22 23 | 24 25 26
//            \_ kColumnCells: bits 0, 9, 18
//   kBoxCells: bits 0-2, 9-11, 18-20;  kTriadCells: bits 0-2
//
// A triad is three cells of a row (or a column) in one box. In a band a
// digit takes one cell in each row and in each box, hence one triad per row
// and per box. Its row triads are nine bits, row*3 + box:
//
//            box 0 box 1 box 2
//   row 0:     0     1     2      kRowTriads: bits 0-2
//   row 1:     3     4     5      kBoxTriads: bits 0, 3, 6
//   row 2:     6     7     8
//
// and the ways to take them are the six permutations kWays (way w: row r
// in box kWays[w][r]). A stack is the same picture turned: the column
// triads of a digit in stack s are bits band*3 + column in the stack, with
// columns for rows and bands for boxes.
#include <bit>
#include <cstdint>

namespace tesura::search {

using u32 = std::uint32_t;

inline constexpr u32 kBandCells = 0x7FFFFFF;
inline constexpr u32 kRowCells = 0x1FF;
inline constexpr u32 kColumnCells = 0x40201;
inline constexpr u32 kBoxCells = 0x1C0E07;
inline constexpr u32 kTriadCells = 7;
inline constexpr u32 kRowTriads = 7;
inline constexpr u32 kBoxTriads = 0x49;

inline constexpr int kWays[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2},
                                    {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};

// The triads of way w.
constexpr u32 way_triads(int w) {
  u32 bits = 0;
  for (int r = 0; r < 3; ++r) bits |= 1u << (r * 3 + kWays[w][r]);
  return bits;
}

struct Tables {
  // Nine cells of a row -> which of its three triads hold a candidate.
  std::uint8_t triads[512];
  // Occupied triads -> the cells of those triads that lie on some way; 0
  // if none does.
  u32 matched[512];
  // The same matching, answered as triads rather than cells.
  std::uint16_t matched_triads[512];
  // Occupied columns of a band -> what the other bands keep: a box whose
  // candidates lie in one column takes the digit of that column.
  u32 keep_other[512];
  // Occupied triads -> those a digit is bound to: the only one of its row,
  // or the only one of its box.
  std::uint16_t bound_triads[512];
  // Occupied triads -> the open ways (bit w) and how many they are.
  std::uint8_t ways[512];
  std::uint8_t way_count[512];
};

constexpr Tables make_tables() {
  Tables t{};
  for (u32 x = 0; x < 512; ++x) {
    u32 allowed = 0, lone = 0, bound = 0;
    for (int w = 0; w < 6; ++w) {
      const u32 bits = way_triads(w);
      if ((x & bits) != bits) continue;
      allowed |= bits;
      t.ways[x] = static_cast<std::uint8_t>(t.ways[x] | (1u << w));
      ++t.way_count[x];
    }
    t.matched_triads[x] = static_cast<std::uint16_t>(allowed);
    for (int k = 0; k < 3; ++k) {
      const u32 row = (x >> (3 * k)) & kRowTriads, box = (x >> k) & kBoxTriads;
      if (row != 0) t.triads[x] = static_cast<std::uint8_t>(t.triads[x] | (1u << k));
      if (std::has_single_bit(row)) lone |= row << (3 * k);
      if (std::has_single_bit(box)) bound |= box << k;
      for (int r = 0; r < 3; ++r)
        if (allowed & (1u << (r * 3 + k))) t.matched[x] |= kTriadCells << (r * 9 + 3 * k);
    }
    t.keep_other[x] = ~(lone * kColumnCells) & kBandCells;
    t.bound_triads[x] = static_cast<std::uint16_t>(bound | lone);
  }
  return t;
}

inline constexpr Tables kTables = make_tables();

}  // namespace tesura::search
