// SPDX-License-Identifier: MIT
// The deductions of the complete search at every node. In a band a digit
// takes one cell in each row and one in each box, so which of the nine row
// triads can still hold it is a small matching problem answered by one
// table look-up: that gives locked candidates both ways and the row and box
// singles. The same matching over column triads, per stack, gives the
// column side. Naked singles come from counting candidates bit-sliced
// across the digits, and the triad counts (three digits to a triad) from
// counting triads the same way.
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
template <int b>
inline bool update_band(State& s, int d, bool& moved) {
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
  if ((rest & kRowCells) == 0) single |= a & kRowCells;
  if ((rest & (kRowCells << 9)) == 0) single |= a & (kRowCells << 9);
  if ((rest & (kRowCells << 18)) == 0) single |= a & (kRowCells << 18);
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
  u32* c[3] = {&s.cand[at(d, 0)], &s.cand[at(d, 1)], &s.cand[at(d, 2)]};
  // Run with every band propagated, so the columns of each are known.
  const u32 c0 = s.cols[at(d, 0)], c1 = s.cols[at(d, 1)], c2 = s.cols[at(d, 2)];
  u32 k0 = 0, k1 = 0, k2 = 0;  // columns each band keeps
  for (int sh = 0; sh < 9; sh += 3) {
    // Columns for rows, bands for boxes: the triads of the stack.
    const u32 occ = ((c0 >> sh) & kRowTriads) | (((c1 >> sh) & kRowTriads) << 3) |
                    (((c2 >> sh) & kRowTriads) << 6);
    const u32 m = kTables.matched_triads[occ];
    s.tri[d][3 + sh / 3] = static_cast<std::uint16_t>(m);
    s.bound[d][3 + sh / 3] = kTables.bound_triads[m];
    k0 |= (m & kRowTriads) << sh;
    k1 |= ((m >> 3) & kRowTriads) << sh;
    k2 |= ((m >> 6) & kRowTriads) << sh;
  }
  s.cols_seen[at(d, 0)] = static_cast<std::uint16_t>(k0);
  s.cols_seen[at(d, 1)] = static_cast<std::uint16_t>(k1);
  s.cols_seen[at(d, 2)] = static_cast<std::uint16_t>(k2);
  *c[0] &= k0 * kColumnCells;
  *c[1] &= k1 * kColumnCells;
  *c[2] &= k2 * kColumnCells;
}

// Digits with a band changed since it was last propagated: bit digit.
inline u32 changed_digits(const State& s) {
  u32 same = 0;
#if defined(__SSE2__)
  for (int i = 0; i < 28; i += 4) {
    const __m128i a = _mm_load_si128(reinterpret_cast<const __m128i*>(s.cand + i));
    const __m128i b = _mm_load_si128(reinterpret_cast<const __m128i*>(s.seen + i));
    same |= static_cast<u32>(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(a, b)))) << i;
  }
#else
  for (int i = 0; i < 27; ++i) same |= static_cast<u32>(s.cand[i] == s.seen[i]) << i;
#endif
  const u32 m = ~same & kBandCells;
  return (m | (m >> 9) | (m >> 18)) & kRowCells;
}

// Per unit (as in State::tri), the triads where exactly three digits fit
// but not three are bound (fill), and where three are bound but more fit
// (full); or a contradiction.
struct TriadCounts {
  alignas(16) std::uint16_t fill[8], full[8];
  bool contradiction, any;
};

#if defined(__SSE2__)
// Bitsliced over the digits, all six units at once (one per 16-bit lane).
TriadCounts count_triads(const State& s) {
  __m128i one = _mm_setzero_si128(), two = one, three = one, four = one;
  __m128i bone = one, btwo = one, bthree = one, bfour = one;
  for (int d = 0; d < 9; ++d) {
    const __m128i x = _mm_load_si128(reinterpret_cast<const __m128i*>(s.tri[d]));
    const __m128i b = _mm_load_si128(reinterpret_cast<const __m128i*>(s.bound[d]));
    four = _mm_or_si128(four, _mm_and_si128(three, x));
    three = _mm_or_si128(three, _mm_and_si128(two, x));
    two = _mm_or_si128(two, _mm_and_si128(one, x));
    one = _mm_or_si128(one, x);
    bfour = _mm_or_si128(bfour, _mm_and_si128(bthree, b));
    bthree = _mm_or_si128(bthree, _mm_and_si128(btwo, b));
    btwo = _mm_or_si128(btwo, _mm_and_si128(bone, b));
    bone = _mm_or_si128(bone, b);
  }
  TriadCounts r;
  // Lanes 6 and 7 hold no unit: zero in three, they pass.
  const __m128i units = _mm_set_epi16(0, 0, 0x1FF, 0x1FF, 0x1FF, 0x1FF, 0x1FF, 0x1FF);
  const __m128i bad = _mm_or_si128(_mm_andnot_si128(three, units), bfour);
  r.contradiction = _mm_movemask_epi8(_mm_cmpeq_epi16(bad, _mm_setzero_si128())) != 0xFFFF;
  const __m128i fit3 = _mm_andnot_si128(four, three), bound3 = _mm_andnot_si128(bfour, bthree);
  const __m128i fill = _mm_andnot_si128(bound3, fit3), full = _mm_andnot_si128(fit3, bound3);
  r.any =
      _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_or_si128(fill, full), _mm_setzero_si128())) != 0xFFFF;
  _mm_store_si128(reinterpret_cast<__m128i*>(r.fill), fill);
  _mm_store_si128(reinterpret_cast<__m128i*>(r.full), full);
  return r;
}
#else
TriadCounts count_triads(const State& s) {
  TriadCounts r{};
  for (int u = 0; u < 6; ++u) {
    u32 one = 0, two = 0, three = 0, four = 0, bone = 0, btwo = 0, bthree = 0, bfour = 0;
    for (int d = 0; d < 9; ++d) {
      const u32 x = s.tri[d][u], b = s.bound[d][u];
      four |= three & x;
      three |= two & x;
      two |= one & x;
      one |= x;
      bfour |= bthree & b;
      bthree |= btwo & b;
      btwo |= bone & b;
      bone |= b;
    }
    if ((~three & kRowCells) != 0 || bfour != 0) r.contradiction = true;
    const u32 fit3 = three & ~four, bound3 = bthree & ~bfour;
    r.fill[u] = static_cast<std::uint16_t>(fit3 & ~bound3);
    r.full[u] = static_cast<std::uint16_t>(bound3 & ~fit3);
    if ((r.fill[u] | r.full[u]) != 0) r.any = true;
  }
  return r;
}
#endif

// Narrows digit d in band b (bits row*3 + box) or stack b (bits band*3 +
// column): fill keeps it to those of its triads, full takes it out of them.
bool narrow_triads(State& s, int d, int b, bool stack, u32 fill, u32 full) {
  const Tables& t = kTables;
  bool changed = false;
  const auto narrow = [&](int i, u32 k) {
    if ((s.cand[i] & k) == s.cand[i]) return;
    s.cand[i] &= k;
    changed = true;
  };
  if (!stack) {
    u32 keep = kBandCells;
    for (u32 x = fill; x != 0; x &= x - 1) keep &= t.triad_keep[std::countr_zero(x)];
    for (u32 x = full; x != 0; x &= x - 1) keep &= ~t.triad_cells[std::countr_zero(x)];
    narrow(at(d, b), keep);
    return changed;
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
  for (int o = 0; o < 3; ++o) narrow(at(d, o), keep[o]);
  return changed;
}

// A triad (three cells of a row in one box, or of a column in one box)
// holds three different digits. So at least three digits must still fit
// in it; when exactly three fit, each of them goes there; when three
// are bound to go there, no other digit fits. Returns -1 on a
// contradiction, 1 when something changed.
int triads(State& s) {
  // Called when nothing is left to propagate, so the last matchings
  // describe the candidates.
  const TriadCounts n = count_triads(s);
  if (n.contradiction) return -1;
  if (!n.any) return 0;
  bool changed = false;
  for (int u = 0; u < 6; ++u) {
    const u32 fill = n.fill[u], full = n.full[u];
    if ((fill | full) == 0) continue;
    for (int d = 0; d < 9; ++d) {
      const u32 free = s.tri[d][u] & ~s.bound[d][u];
      if (((fill | full) & free) != 0)
        changed |= narrow_triads(s, d, u % 3, u >= 3, fill & free, full & free);
    }
  }
  return changed ? 1 : 0;
}

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
        if (s.cand[at(d, 0)] != s.seen[at(d, 0)] && !update_band<0>(s, d, moved)) return false;
        if (s.cand[at(d, 1)] != s.seen[at(d, 1)] && !update_band<1>(s, d, moved)) return false;
        if (s.cand[at(d, 2)] != s.seen[at(d, 2)] && !update_band<2>(s, d, moved)) return false;
        stacks |= static_cast<u32>(moved) << d;
      } while (todo);
    }

    // Naked singles: the cell's row loses the digit elsewhere and the next
    // round places it.
    bool placed = false;
    for (int b = 0; b < 3; ++b) {
      const u32 u = s.unsolved[b];
      if (u == 0) continue;
      u32 one = 0, two = 0;
      for (int d = 0; d < 9; ++d) {
        const u32 x = s.cand[at(d, b)];
        two |= one & x;
        one |= x;
      }
      if (u & ~one) return false;
      for (u32 ns = u & ~two; ns != 0; ns &= ns - 1) {
        const u32 bit = ns & (~ns + 1);
        const u32 row = kRowCells << (std::countr_zero(bit) / 9 * 9);
        for (int d = 0; d < 9; ++d)
          if (s.cand[at(d, b)] & bit) {
            s.cand[at(d, b)] &= ~row | bit;
            break;
          }
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
  State r;
  load(Puzzle{}, r);
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
  for (int i = 0; i < 28; ++i) s.cand[i] = s.seen[i] = kBandCells;
  for (int b = 0; b < 3; ++b) s.unsolved[b] = kBandCells;
  for (auto& c : s.cols_seen) c = kRowCells;
  for (auto& c : s.cols) c = kRowCells;
  for (auto& t : s.tri)
    for (int k = 0; k < 8; ++k) t[k] = k < 6 ? kRowCells : 0;  // all nine triads
  for (auto& t : s.bound)
    for (auto& k : t) k = 0;
  // Gathered over the givens, then applied once: the cells holding a
  // given, per digit the columns of its givens, and per digit and band
  // the rows and boxes of its givens and their cells.
  u32 given[3] = {}, peers[27] = {}, own[27] = {};
  u32 columns[9] = {};
  for (int b = 0; b < 3; ++b) {
    // The givens of the band as a mask, so that only they cost a branch.
    u32 givens = 0;
    for (int i = 0; i < 27; ++i) givens |= static_cast<u32>(p[b * 27 + i] != 0) << i;
    given[b] = givens;
    for (; givens != 0; givens &= givens - 1) {
      const int i = std::countr_zero(givens), v = p[b * 27 + i];
      if (v < 0 || v > 9) return false;
      const int c = i % 9, d = v - 1;
      const u32 bit = 1u << i;
      // A given in the row, column or box of another of its digit.
      if (((columns[d] >> c) & 1) != 0 || (peers[at(d, b)] & bit) != 0) return false;
      columns[d] |= 1u << c;
      peers[at(d, b)] |= (kRowCells << (i / 9 * 9)) | (kBoxCells << (c / 3 * 3));
      own[at(d, b)] |= bit;
    }
  }
  // The given's cell loses the other digits and its peers lose the digit;
  // placing it is left to the first round.
  for (int b = 0; b < 3; ++b)
    for (int d = 0; d < 9; ++d)
      s.cand[at(d, b)] =
          (kBandCells & ~given[b] & ~(columns[d] * kColumnCells) & ~peers[at(d, b)]) |
          own[at(d, b)];
  return true;
}

}  // namespace tesura::search
