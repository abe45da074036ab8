// SPDX-License-Identifier: MIT
// The search tree in one branching order. Every node propagates in full
// (search_propagation.cpp), then splits on one choice: the ways one digit
// can still take through a band or stack (two to six), or the candidates
// of one cell. Each option keeps the node's candidates to a subset, so a
// walk ends.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "solver/search_schedule.h"

namespace tesura::search {
namespace {

// A band's or stack's weight per digit by its number of open ways: about
// the bits a branch there splits. Five ways never occur; a settled digit
// (one way) splits nothing. Looked up straight from the digit's triads.
using Weights = std::array<std::uint8_t, 512>;
constexpr Weights weights(const std::array<std::uint8_t, 7>& by_count) {
  Weights w{};
  for (int x = 0; x < 512; ++x) w[x] = by_count[kTables.way_count[x]];
  return w;
}
constexpr Weights kTunedWeights = weights({0, 0, 4, 5, 6, 6, 5});
constexpr Weights kCountWeights = weights({0, 0, 1, 2, 3, 4, 5});

// In the band or stack (unit as in State::tri) whose ways weigh least,
// more than zero, the first digit with the fewest ways, two or more; none
// when every digit is settled in every unit. Ties between units go to the
// lower band, a band before its stack (interleaved) or the bands first.
template <bool bands_first>
Branch pick_ways(const State& s, const Weights& weight) {
  // As the least of total*8 + the unit's rank.
  int key = 1 << 30;
  for (int k = 0; k < 3; ++k) {
    int h = 0, v = 0;
    for (const auto& t : s.tri) {
      h += weight[t[k]];
      v += weight[t[3 + k]];
    }
    key = std::min(key, h > 0 ? h * 8 + (bands_first ? k : k * 2) : 1 << 30);
    key = std::min(key, v > 0 ? v * 8 + (bands_first ? 3 + k : k * 2 + 1) : 1 << 30);
  }
  Branch best;
  if (key == 1 << 30) return best;
  const int rank = key & 7, u = bands_first ? rank : (rank & 1) * 3 + (rank >> 1);
  best.band = u % 3;
  best.stack = u >= 3;
  // As the least of ways*16 + digit, without a branch per digit.
  key = 7 * 16;
  for (int d = 0; d < 9; ++d) {
    const int n = kTables.way_count[s.tri[d][u]];
    key = std::min(key, (n >= 2 ? n : 7) * 16 + d);
  }
  if (key < 7 * 16) {
    best.digit = key & 15;
    best.options = kTables.ways[s.tri[best.digit][u]];
  }
  return best;
}

// An open cell with two candidates, else with three, the first or the
// last in reading order; else the ways.
Branch pick_cell(const State& s, bool last) {
  u32 two_only[3], three_only[3];
  for (int b = 0; b < 3; ++b) {
    const auto n = tally<4, u32>([&](int d) { return s.cand[at(d, b)]; });
    two_only[b] = n[1] & ~n[2] & s.unsolved[b];
    three_only[b] = n[2] & ~n[3] & s.unsolved[b];
  }
  for (const u32* fewest : {two_only, three_only})
    for (int k = 0; k < 3; ++k) {
      const int b = last ? 2 - k : k;
      if (fewest[b] == 0) continue;
      Branch best;
      best.band = b;
      best.cell = last ? 31 - std::countl_zero(fewest[b]) : std::countr_zero(fewest[b]);
      for (int d = 0; d < 9; ++d) best.options |= ((s.cand[at(d, b)] >> best.cell) & 1u) << d;
      return best;
    }
  return pick_ways<true>(s, kCountWeights);
}

Branch pick_branch(const State& s, Order order) {
  if (order == Order::tuned_ways) return pick_ways<false>(s, kTunedWeights);
  if (order == Order::fewest_ways) return pick_ways<true>(s, kCountWeights);
  return pick_cell(s, order == Order::last_cell);
}

// Keeps the choice to option w: the digit to way w in the band or stack,
// or the cell to digit w (its row loses the digit elsewhere, and the next
// round places it).
void take(State& s, const Branch& br, int w) {
  if (br.cell >= 0) {
    s.cand[at(w, br.band)] &= ~(kRowCells << (br.cell / 9 * 9)) | (1u << br.cell);
    return;
  }
  if (!br.stack) {
    s.cand[at(br.digit, br.band)] &= kTables.matched[way_triads(w)];  // the way's cells
    return;
  }
  const u32 stack = kBoxCells << (3 * br.band);
  for (int b = 0; b < 3; ++b)
    s.cand[at(br.digit, b)] &= ~stack | (kColumnCells << (3 * br.band + kWays[w][b]));
}

}  // namespace

Walker::Walker(const Puzzle& puzzle, int limit, Order order, u32 seed)
    : limit_(limit), order_(order), seed_(seed) {
  frames_.reserve(16);
  frames_.emplace_back();
  done_ = !load(puzzle, frames_[0].state);
}

Walker::Walker(const State& state, int limit, Order order, const UnitCells& goal, u32 seed)
    : limit_(limit), order_(order), seed_(seed), goal_(goal) {
  frames_.reserve(16);
  frames_.emplace_back();
  frames_[0].state = state;
}

// The next option of the frame at depth_: the last one is taken in place
// (its frame has nothing left to give), the others on a copy one deeper.
void Walker::descend() {
  Frame& f = frames_[depth_];
  u32 pick = f.left;
  if (seed_ != 0) {
    // A mix of seed, depth and nodes picks the k-th option left.
    u32 h = seed_ * 0x9E3779B9u ^ static_cast<u32>(depth_) * 0x85EBCA6Bu ^ static_cast<u32>(nodes_);
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    for (u32 k = h % static_cast<u32>(std::popcount(pick)); k > 0; --k) pick &= pick - 1;
  }
  const int w = std::countr_zero(pick);
  f.left &= ~(1u << w);
  if (f.left == 0) {
    take(f.state, f.branch, w);
    return;
  }
  if (depth_ + 1 == static_cast<int>(frames_.size())) frames_.emplace_back();
  Frame& parent = frames_[depth_];  // emplace_back may have moved it
  Frame& child = frames_[++depth_];
  child.state = parent.state;
  take(child.state, parent.branch, w);
}

bool Walker::walk(long budget) {
  for (const long stop = nodes_ + budget; !done_ && nodes_ < stop;) {
    ++nodes_;
    Frame& f = frames_[depth_];
    bool open = propagate(f.state);
    const State& s = f.state;
    if (open && ((s.unsolved[0] & goal_.band[0]) | (s.unsolved[1] & goal_.band[1]) |
                 (s.unsolved[2] & goal_.band[2])) == 0) {
      if (found_++ == 0) read_solution(s, first_);
      if (found_ >= limit_) return done_ = true;
      open = false;
    }
    if (open) {
      // With every digit settled in every band and stack, propagation has
      // placed them all; a digit without a way has failed there too.
      f.branch = pick_branch(s, order_);
      f.left = f.branch.options;
      open = f.left != 0;
    }
    if (!open) {
      // Back to the nearest node with an option left.
      do {
        if (--depth_ < 0) return done_ = true;
      } while (frames_[depth_].left == 0);
    }
    descend();
  }
  return done_;
}

}  // namespace tesura::search
