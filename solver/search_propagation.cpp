// SPDX-License-Identifier: MIT
// The deductions of the complete search at every node. In a band a digit
// takes one cell in each row and one in each box, so which of the nine row
// triads can still hold it is a small matching problem answered by one
// table look-up: that gives locked candidates both ways and the row and box
// singles. The same matching over column triads, per stack, gives the
// column side. Naked singles come from counting candidates bit-sliced
// across the digits, and the triad counts (three digits to a triad) from
// counting triads the same way.
#include <array>
#include <bit>
#include <cstdint>

#include "solver/search_state.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tesura::search {
namespace {

inline u32 cols_of(u32 a) {
  return (a | (a >> 9) | (a >> 18)) & kRowCells;
}

// Propagates a change of one digit in one band. False on a contradiction.
// Sets moved when the band's columns differ from those last matched.
inline bool update_band(State& s, int d, int b, bool& moved) {
  const Tables& t = kTables;
  const int i = at(d, b);
  u32 a = s.cand[i];
  const u32 occ =
      t.triads[a & kRowCells] | (t.triads[(a >> 9) & kRowCells] << 3) | (t.triads[a >> 18] << 6);
  a &= t.matched[occ];
  if (a == 0) return false;
  s.tri[d][b] = t.matched_triads[occ];
  s.bound[d][b] = t.bound_triads[s.tri[d][b]];

  // Done here rather than left to the stack matching: the next band of the
  // same digit then sees it at once, which saves whole rounds.
  const u32 cols = cols_of(a);
  moved |= cols != s.cols_seen[i];
  s.cols[i] = static_cast<std::uint16_t>(cols);
  const u32 keep = t.keep_other[cols];
  s.cand[at(d, b == 2 ? 0 : b + 1)] &= keep;
  s.cand[at(d, b == 0 ? 2 : b - 1)] &= keep;

  // A row left with one cell places the digit there.
  // Every row keeps a cell (the matching saw to it), so taking one from
  // each row borrows nothing from the next.
  const u32 rest = a & (a - kColumnCells);
  u32 single = 0;
  for (int r = 0; r < 27; r += 9)
    if ((rest & (kRowCells << r)) == 0) single |= a & (kRowCells << r);
  single &= s.unsolved[b];
  // Taken out of the other digits whether or not there is any: cheaper
  // than a branch that is hard to foresee.
  s.unsolved[b] &= ~single;
  for (int e = 0; e < 9; ++e) s.cand[at(e, b)] &= ~single;
  // Stored last: the band's words were just read together above.
  s.cand[i] = s.seen[i] = a;
  return true;
}

// The matching of one digit's column triads in each stack. A contradiction
// empties a band, which update_band reports. Matching is idempotent, so it
// waits until a band's columns have moved; a band changed meanwhile is
// still to be propagated and is looked at then.
inline void update_stacks(State& s, int d) {
  u32 keep[3] = {};  // columns each band keeps
  for (int k = 0; k < 3; ++k) {
    // Columns for rows, bands for boxes: the triads of the stack. Run with
    // every band propagated, so the columns of each are known.
    u32 occ = 0;
    for (int b = 0; b < 3; ++b) occ |= ((s.cols[at(d, b)] >> (3 * k)) & kRowTriads) << (3 * b);
    const u32 m = kTables.matched_triads[occ];
    s.tri[d][3 + k] = static_cast<std::uint16_t>(m);
    s.bound[d][3 + k] = kTables.bound_triads[m];
    for (int b = 0; b < 3; ++b) keep[b] |= ((m >> (3 * b)) & kRowTriads) << (3 * k);
  }
  for (int b = 0; b < 3; ++b) {
    s.cols_seen[at(d, b)] = static_cast<std::uint16_t>(keep[b]);
    s.cand[at(d, b)] &= keep[b] * kColumnCells;
  }
}

// Eight triad masks at a time: GCC and Clang compile it to the target's
// vector instructions (SSE2 on x86-64) or to plain words.
using V8 = std::uint16_t __attribute__((vector_size(16)));

inline bool any_bit(V8 v) {
  const auto half = std::bit_cast<std::array<std::uint64_t, 2>>(v);
  return (half[0] | half[1]) != 0;
}

// Digits with a band changed since it was last propagated: bit digit.
inline u32 changed_digits(const State& s) {
  u32 same = 0;
#if defined(__SSE2__)
  // SSE2 where there is one: the portable form needs a horizontal step
  // per call that costs 1.5 % of the instructions of a hard search.
  for (int i = 0; i < 28; i += 4) {
    const __m128i a = _mm_load_si128(reinterpret_cast<const __m128i*>(s.cand + i));
    const __m128i b = _mm_load_si128(reinterpret_cast<const __m128i*>(s.seen + i));
    same |= static_cast<u32>(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(a, b)))) << i;
  }
#else
  for (int i = 0; i < 27; ++i) same |= static_cast<u32>(s.cand[i] == s.seen[i]) << i;
#endif
  return cols_of(~same & kBandCells);
}

// Per unit (as in State::tri), the triads where exactly three digits fit
// but not three are bound (fill), and where three are bound but more fit
// (full); or a contradiction.
struct TriadCounts {
  V8 fill, full;
  bool contradiction, any;
};

// All six units at once, one per lane.
TriadCounts count_triads(const State& s) {
  const auto fit = tally<4, V8>([&](int d) { return std::bit_cast<V8>(s.tri[d]); });
  const auto bound = tally<4, V8>([&](int d) { return std::bit_cast<V8>(s.bound[d]); });
  // Lanes 6 and 7 hold no unit: zero in fit[2], they pass.
  const V8 units = {0x1FF, 0x1FF, 0x1FF, 0x1FF, 0x1FF, 0x1FF, 0, 0};
  const V8 fit3 = fit[2] & ~fit[3], bound3 = bound[2] & ~bound[3];
  TriadCounts r;
  r.contradiction = any_bit((units & ~fit[2]) | bound[3]);
  r.fill = fit3 & ~bound3;
  r.full = bound3 & ~fit3;
  r.any = any_bit(r.fill | r.full);
  return r;
}

// Narrows digit d in band b (bits row*3 + box) or stack b (bits band*3 +
// column): fill keeps it to those of its triads, full takes it out of them.
void narrow_triads(State& s, int d, int b, bool stack, u32 fill, u32 full) {
  if (!stack) {
    u32 keep = kBandCells;
    for (u32 x = fill | full; x != 0; x &= x - 1) {
      // Kept to the triad, its row and box lose their other cells.
      const int tr = std::countr_zero(x), row = tr / 3 * 9, box = tr % 3 * 3;
      const u32 cells = kTriadCells << (row + box);
      keep &= (fill >> tr) & 1 ? ~((kRowCells << row) | (kBoxCells << box)) | cells : ~cells;
    }
    s.cand[at(d, b)] &= keep;
    return;
  }
  const u32 box = kBoxCells << (3 * b);
  u32 keep[3] = {kBandCells, kBandCells, kBandCells};
  for (u32 x = fill; x != 0; x &= x - 1) {
    const int tr = std::countr_zero(x), band = tr / 3;
    const u32 col = kColumnCells << (3 * b + tr % 3);
    for (int o = 0; o < 3; ++o) keep[o] &= o == band ? ~box | col : ~col;
  }
  for (u32 x = full; x != 0; x &= x - 1) {
    const int tr = std::countr_zero(x);
    keep[tr / 3] &= ~(kColumnCells << (3 * b + tr % 3));
  }
  for (int o = 0; o < 3; ++o) s.cand[at(d, o)] &= keep[o];
}

// A triad (three cells of a row in one box, or of a column in one box)
// holds three different digits. So at least three digits must still fit
// in it; when exactly three fit, each of them goes there; when three
// are bound to go there, no other digit fits. Returns -1 on a
// contradiction, 1 when something changed.
int triads(State& s) {
  // Called when nothing is left to propagate, so the last matchings
  // describe the candidates, and every narrowing below takes one: a triad
  // to fill has a digit that fits there unbound, which loses its cells
  // outside, and a full one a digit that fits there unbound, which loses
  // its cells inside.
  const TriadCounts n = count_triads(s);
  if (n.contradiction) return -1;
  if (!n.any) return 0;
  for (int u = 0; u < 6; ++u) {
    const u32 fill = n.fill[u], full = n.full[u];
    if ((fill | full) == 0) continue;
    for (int d = 0; d < 9; ++d) {
      const u32 free = s.tri[d][u] & ~s.bound[d][u];
      if (((fill | full) & free) != 0) narrow_triads(s, d, u % 3, u >= 3, fill & free, full & free);
    }
  }
  return 1;
}

// Every cell open to every digit, and so as last propagated and matched.
constexpr State kOpen = [] {
  State s{};
  for (int i = 0; i < 28; ++i) s.cand[i] = s.seen[i] = kBandCells;
  for (u32& u : s.unsolved) u = kBandCells;
  for (int i = 0; i < 27; ++i) s.cols_seen[i] = s.cols[i] = kRowCells;
  for (auto& t : s.tri)
    for (int k = 0; k < 6; ++k) t[k] = kRowCells;  // all nine triads
  return s;
}();

}  // namespace

// Deduces until nothing changes, the triad counts aside: they pay once per
// node, not again after what they find. False on a contradiction.
bool propagate(State& s) {
  bool counted = false;
  for (;;) {
    // Digits whose stacks wait for the bands to settle: a digit's columns
    // often move several times over, and matching once serves them all.
    u32 stacks = 0;
    for (u32 todo = changed_digits(s);; todo = changed_digits(s)) {
      if (todo == 0) {
        if (stacks == 0) break;
        for (; stacks != 0; stacks &= stacks - 1) update_stacks(s, std::countr_zero(stacks));
        continue;
      }
      do {
        const int d = std::countr_zero(todo);
        todo &= todo - 1;
        bool moved = false;
        for (int b = 0; b < 3; ++b)
          if (s.cand[at(d, b)] != s.seen[at(d, b)] && !update_band(s, d, b, moved)) return false;
        stacks |= static_cast<u32>(moved) << d;
      } while (todo);
    }

    // Naked singles: the cell's row loses the digit elsewhere and the next
    // round places it.
    bool placed = false;
    for (int b = 0; b < 3; ++b) {
      const u32 u = s.unsolved[b];
      if (u == 0) continue;
      const auto n = tally<2, u32>([&](int d) { return s.cand[at(d, b)]; });
      if (u & ~n[0]) return false;
      for (u32 ns = u & ~n[1]; ns != 0; ns &= ns - 1) {
        const u32 bit = ns & (~ns + 1);
        const u32 row = kRowCells << (std::countr_zero(bit) / 9 * 9);
        for (int d = 0; d < 9; ++d)  // the one digit left to the cell
          if (s.cand[at(d, b)] & bit) s.cand[at(d, b)] &= ~row | bit;
        placed = true;
      }
    }
    if (placed) continue;
    if (counted) return true;
    counted = true;
    const int r = triads(s);
    if (r <= 0) return r == 0;
  }
}

UnitCells unit_cells(int unit) {
  UnitCells c{};
  for (int b = 0; b < 3; ++b)
    c.band[b] = unit < 3 ? (b == unit ? kBandCells : 0) : kBoxCells << (3 * (unit - 3));
  return c;
}

State unit_alone(const State& s, int unit) {
  State r = kOpen;
  const UnitCells keep = unit_cells(unit);
  for (int b = 0; b < 3; ++b) {
    const u32 open = kBandCells & ~keep.band[b];
    for (int d = 0; d < 9; ++d) r.cand[at(d, b)] = (s.cand[at(d, b)] & keep.band[b]) | open;
    r.unsolved[b] = (s.unsolved[b] & keep.band[b]) | open;
  }
  return r;
}

void read_solution(const State& s, Puzzle& out) {
  for (int d = 0; d < 9; ++d)
    for (int b = 0; b < 3; ++b)
      for (u32 x = s.cand[at(d, b)]; x != 0; x &= x - 1)
        out[b * 27 + std::countr_zero(x)] = static_cast<Digit>(d + 1);
}

bool load(const Puzzle& p, State& s) {
  s = kOpen;
  for (int b = 0; b < 3; ++b)
    for (int i = 0; i < 27; ++i) {
      const int v = p[b * 27 + i];
      if (v == 0) continue;
      if (v < 0 || v > 9) return false;
      const int c = i % 9, d = v - 1;
      const u32 bit = 1u << i;
      // Taken by a given of the digit in the same row, column or box.
      if ((s.cand[at(d, b)] & bit) == 0) return false;
      // The cell loses the other digits and its peers lose the digit;
      // placing it is left to the first round.
      for (int e = 0; e < 9; ++e) s.cand[at(e, b)] &= ~bit;
      for (int o = 0; o < 3; ++o) s.cand[at(d, o)] &= ~(kColumnCells << c);
      const u32 peers = (kRowCells << (i - c)) | (kBoxCells << (c - c % 3));
      s.cand[at(d, b)] = (s.cand[at(d, b)] & ~peers) | bit;
    }
  return true;
}

}  // namespace tesura::search
