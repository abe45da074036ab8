// SPDX-License-Identifier: MIT
#pragma once
// The complete search's board (laid out as in search_layout.h) and the
// deductions it makes at every node.
#include <array>
#include <cstdint>

#include "model/puzzle.h"
#include "solver/search_layout.h"

namespace tesura::search {

struct State {
  // [band*9 + digit]; the last entry is padding, equal in both, so that the
  // change test runs four at a time.
  alignas(16) u32 cand[28];
  alignas(16) u32 seen[28];     // cand as last propagated
  u32 unsolved[3];              // cells not yet placed, per band
  std::uint16_t cols_seen[27];  // [band*9 + digit]: columns as last matched
  std::uint16_t cols[27];       // [band*9 + digit]: columns as last propagated
  // Per digit, the triads as last matched: [0..2] the row triads of each
  // band, [3..5] the column triads of each stack, [6..7] zero. Counted
  // eight at a time.
  alignas(16) std::uint16_t tri[9][8];
  // The same, bound: the only triad of its row or of its box.
  alignas(16) std::uint16_t bound[9][8];
};

constexpr int at(int d, int b) {
  return b * 9 + d;
}

// Counts bit-sliced over the nine digits: more[k] has the bits that are
// set in more than k of value(0) ... value(8).
template <int N, class T, class Value>
inline std::array<T, N> tally(Value value) {
  std::array<T, N> more{};
  for (int d = 0; d < 9; ++d) {
    const T x = value(d);
    for (int k = N - 1; k > 0; --k) more[k] |= more[k - 1] & x;
    more[0] |= x;
  }
  return more;
}

// Sets up the candidates from the givens. False when a given repeats in a
// unit or is not a digit.
bool load(const Puzzle& p, State& s);

// The cells of a band (unit 0-2) or of a stack (unit 3-5), per band.
struct UnitCells {
  u32 band[3];
};
UnitCells unit_cells(int unit);

// A relaxation of s: the candidates of the unit's cells as in s, every
// other cell open to every digit. A filling of the unit's cells that keeps
// to s's candidates and to the rules within the unit extends to a whole
// grid (the other two bands or stacks can repeat it shifted by a box), so
// the relaxation has a solution exactly when the unit alone can be filled;
// when it cannot, neither can s.
State unit_alone(const State& s, int unit);

// Deduces until nothing changes: singles in every row, column and box,
// locked candidates both ways, and the triad counts. False on a
// contradiction.
bool propagate(State& s);

// propagate, then locked subsets (naked and hidden, two to four cells, in
// every row, column and box; search_subsets.cpp), until neither changes
// anything. Too dear for every node; it keeps every solution of s. False
// on a contradiction.
bool lock_subsets(State& s);

// The placed digits, into out (reading order); for a state with every cell
// placed.
void read_solution(const State& s, Puzzle& out);

}  // namespace tesura::search
