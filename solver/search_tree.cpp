// SPDX-License-Identifier: MIT
// The search tree in one branching order, with a node budget. Every node
// propagates in full (search_propagation.cpp), then splits on one choice:
// the ways one digit can still take through a band or stack (two to six),
// or the candidates of one cell.
#include <algorithm>
#include <bit>
#include <cstdint>

#include "solver/search_schedule.h"
#include "solver/search_state.h"

namespace tesura::search {
namespace {

// Per order, a band's or stack's weight per digit by its number of open
// ways: about the bits a branch there splits. Five ways never occur; a
// settled digit (one way) splits nothing.
using Weights = std::uint8_t[7];
constexpr Weights kTunedWeights = {0, 0, 4, 5, 6, 6, 5};
constexpr Weights kPlainWeights = {0, 0, 1, 2, 3, 4, 5};

// The choice a node splits on: the ways of digit in a band or stack, or
// the candidates (bit digit) of cell in band.
struct Branch {
  int digit = -1, band = 0, cell = -1;
  bool stack = false;
  u32 options = 0;
};

// The band or stack (unit as in State::tri) whose ways weigh least, more
// than zero; -1 when every digit is settled in every one.
int lightest_unit(const State& s, const Weights& weight) {
  // As the least of total*8 + band*2 + stack.
  int key = 1 << 30;
  for (int k = 0; k < 3; ++k) {
    int h = 0, v = 0;
    for (const auto& t : s.tri) {
      h += weight[kTables.way_count[t[k]]];
      v += weight[kTables.way_count[t[3 + k]]];
    }
    key = std::min(key, h > 0 ? h * 8 + k * 2 : 1 << 30);
    key = std::min(key, v > 0 ? v * 8 + k * 2 + 1 : 1 << 30);
  }
  if (key == 1 << 30) return -1;
  return (key & 1) * 3 + ((key & 7) >> 1);
}

// In the lightest unit, the digit with the fewest ways, two or more: the
// first such digit, or the last.
Branch pick_ways(const State& s, const Weights& weight, bool last) {
  Branch best;
  const int u = lightest_unit(s, weight);
  if (u < 0) return best;
  best.band = u % 3;
  best.stack = u >= 3;
  // As the least of ways*16 + digit (or 8 - digit), without a branch per digit.
  int key = 7 * 16;
  for (int d = 0; d < 9; ++d) {
    const int n = kTables.way_count[s.tri[d][u]];
    key = std::min(key, (n >= 2 ? n : 7) * 16 + (last ? 8 - d : d));
  }
  if (key < 7 * 16) {
    best.digit = last ? 8 - (key & 15) : key & 15;
    best.options = kTables.ways[s.tri[best.digit][u]];
  }
  return best;
}

// The last open cell with two candidates, else with three; else the ways.
Branch pick_cell(const State& s) {
  u32 two_only[3], three_only[3];
  for (int b = 0; b < 3; ++b) {
    u32 one = 0, two = 0, three = 0, four = 0;
    for (int d = 0; d < 9; ++d) {
      const u32 x = s.cand[at(d, b)];
      four |= three & x;
      three |= two & x;
      two |= one & x;
      one |= x;
    }
    two_only[b] = two & ~three & s.unsolved[b];
    three_only[b] = three & ~four & s.unsolved[b];
  }
  for (const u32* fewest : {two_only, three_only})
    for (int b = 2; b >= 0; --b) {
      if (fewest[b] == 0) continue;
      Branch best;
      best.band = b;
      best.cell = 31 - std::countl_zero(fewest[b]);
      for (int d = 0; d < 9; ++d) best.options |= ((s.cand[at(d, b)] >> best.cell) & 1u) << d;
      return best;
    }
  return pick_ways(s, kPlainWeights, true);
}

Branch pick_branch(const State& s, Order order) {
  switch (order) {
    case Order::tuned_ways:
      return pick_ways(s, kTunedWeights, false);
    case Order::plain_ways:
      return pick_ways(s, kPlainWeights, true);
    case Order::cells:
      break;
  }
  return pick_cell(s);
}

// Keeps the choice to one option: the digit to way w in the band or stack,
// or the cell to digit w (the row loses the digit elsewhere, and the next
// round places it).
void take(State& s, const Branch& br, int w) {
  if (br.cell >= 0) {
    s.cand[at(w, br.band)] &= ~(kRowCells << (br.cell / 9 * 9)) | (1u << br.cell);
    return;
  }
  if (!br.stack) {
    u32 cells = 0;
    for (int r = 0; r < 3; ++r) cells |= kTriadCells << (r * 9 + 3 * kWays[w][r]);
    s.cand[at(br.digit, br.band)] &= cells;
    return;
  }
  const u32 stack = kBoxCells << (3 * br.band);
  for (int b = 0; b < 3; ++b)
    s.cand[at(br.digit, b)] &= ~stack | (kColumnCells << (3 * br.band + kWays[w][b]));
}

struct Tree {
  int limit;
  Order order;
  long budget;
  Puzzle* first;
  int found = 0;
  long nodes = 0;
  bool out_of_budget = false;
};

void search(State& s, Tree& tree) {
  if (++tree.nodes > tree.budget) {
    tree.out_of_budget = true;
    return;
  }
  if (!propagate(s)) return;
  if ((s.unsolved[0] | s.unsolved[1] | s.unsolved[2]) == 0) {
    if (tree.found++ == 0 && tree.first) read_solution(s, *tree.first);
    return;
  }
  const Branch br = pick_branch(s, tree.order);
  // With every digit settled in every band and stack, propagation has
  // placed them all; a digit without a way has failed there too.
  if (br.options == 0) return;
  // The options from the lowest bit, or for plain_ways from the highest.
  const bool down = tree.order == Order::plain_ways && br.cell < 0;
  for (u32 m = br.options; m != 0;) {
    const int w = down ? 31 - std::countl_zero(m) : std::countr_zero(m);
    m &= ~(1u << w);
    if (m == 0) {
      take(s, br, w);
      search(s, tree);
      return;
    }
    State t = s;
    take(t, br, w);
    search(t, tree);
    if (tree.found >= tree.limit || tree.out_of_budget) return;
  }
}

}  // namespace

Outcome search_in_order(const Puzzle& puzzle, int limit, Puzzle* first, Order order, long budget) {
  Outcome out;
  out.order = order;
  State s;
  if (!load(puzzle, s)) return out;
  Puzzle solution{};
  Tree tree{limit, order, budget, &solution};
  search(s, tree);
  out.nodes = tree.nodes;
  out.finished = !tree.out_of_budget;
  out.found = out.finished ? tree.found : 0;
  if (out.finished && out.found > 0 && first) *first = solution;
  return out;
}

}  // namespace tesura::search
