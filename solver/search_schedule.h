// SPDX-License-Identifier: MIT
#pragma once
// The complete search in its fixed branching orders, each a depth-first
// walk that can stop after a number of nodes and go on later, and the
// schedule that runs them (see complete_search.cpp for why that bounds the
// tail).
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/puzzle.h"
#include "solver/search_state.h"

namespace tesura::search {

enum class Order : std::uint8_t {
  // In the band or stack whose digits' ways weigh least (a digit with all
  // six ways open weighing less than its count), the first digit with the
  // fewest ways: the fewest nodes over the hard collections.
  tuned_ways,
  // In the band or stack with the fewest ways in all, the first digit with
  // the fewest ways.
  fewest_ways,
  // The last open cell with two candidates, else with three; else as
  // fewest_ways.
  last_cell,
  // The same from the first cell.
  first_cell,
};

// The choice a node splits on: the ways (bit w for kWays[w]) of digit in
// a band or stack, or the candidates (bit digit) of cell in band.
struct Branch {
  int digit = -1, band = 0, cell = -1;
  bool stack = false;
  u32 options = 0;
};

inline constexpr UnitCells kWholeBoard = {{kBandCells, kBandCells, kBandCells}};

// One order's depth-first walk over the puzzle's tree, counting solutions
// up to limit (>= 1). With a seed other than 0, each node's options go in
// an order drawn from the seed, the depth and the nodes visited.
class Walker {
 public:
  Walker(const Puzzle& puzzle, int limit, Order order, u32 seed = 0);
  // A walk from a state that counts a node as a solution once the cells
  // of goal are placed (kWholeBoard, or a band or stack alone: see
  // unit_alone).
  Walker(const State& state, int limit, Order order, const UnitCells& goal, u32 seed = 0);
  // Visits at most budget more nodes. True when the walk is finished: it
  // found limit solutions or the tree ran out.
  bool walk(long budget);
  int found() const { return found_; }
  long nodes() const { return nodes_; }
  // The first solution found; meaningful when found() > 0.
  const Puzzle& first() const { return first_; }

 private:
  struct Frame {
    // Left unset: a frame's state is always copied or loaded before use,
    // and clearing it would cost more than the copy.
    Frame() {}    // NOLINT(modernize-use-equals-default)
    State state;  // the node, or after its visit the node it branched from
    Branch branch;
    u32 left = 0;  // options not yet tried
  };
  void descend();

  std::vector<Frame> frames_;
  int depth_ = 0;
  int limit_;
  Order order_;
  u32 seed_ = 0;
  int found_ = 0;
  long nodes_ = 0;
  bool done_ = false;
  UnitCells goal_ = kWholeBoard;
  Puzzle first_{};
};

struct Outcome {
  int found = 0;   // solutions found, up to the limit
  long nodes = 0;  // nodes visited, in all orders
};

// The first order's budget alone; the slice each later order gets in
// turn after it; when (in nodes visited in all) and with what budget each
// band and stack is tried alone.
inline constexpr long kFirstBudget = 256;
inline constexpr long kSlice = 64;
inline constexpr long kUnitsAfter = 512;
inline constexpr long kUnitBudget = 64;
inline constexpr std::array kLaterOrders = {Order::fewest_ways, Order::last_cell,
                                            Order::first_cell};
// The order of the walk from the root with its subsets locked.
inline constexpr Order kLockedOrder = Order::last_cell;

// The luby sequence 1 1 2 1 1 2 4 1 1 2 ..., term i >= 1.
constexpr long luby(long i) {
  for (;;) {
    int k = 1;  // the least with 2^k - 1 >= i
    while ((1L << k) - 1 < i) ++k;
    if ((1L << k) - 1 == i) return 1L << (k - 1);
    i -= (1L << (k - 1)) - 1;
  }
}

// Walks of fewest_ways with their options shuffled, walk i (from 1) given
// kSlice * luby(i) nodes and then left for walk i + 1 from the root.
class Restarts {
 public:
  Restarts(const State& root, int limit) : root_(root), limit_(limit) {}
  // Visits at most budget more nodes; true when a walk finished.
  bool walk(long budget);
  long nodes() const { return nodes_; }
  // The walk that finished.
  const Walker& last() const { return *walk_; }

 private:
  State root_;
  int limit_;
  long number_ = 0;  // of the current walk
  long left_ = 0;    // of its budget
  long nodes_ = 0;
  std::optional<Walker> walk_;
};

// Runs the schedule; first (when not null) receives the first solution of
// the order that finished.
Outcome run_schedule(const Puzzle& puzzle, int limit, Puzzle* first);

}  // namespace tesura::search
