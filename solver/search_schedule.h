// SPDX-License-Identifier: MIT
#pragma once
// The complete search in its fixed branching orders, and the schedule that
// runs them in turn under growing node budgets (see complete_search.cpp
// for why that bounds the tail).
#include <cstdint>

#include "model/puzzle.h"

namespace tesura::search {

// The branching orders, in the order the schedule tries them.
enum class Order : std::uint8_t {
  // The digit with the fewest ways through the band or stack whose digits'
  // ways weigh least, a digit with all six ways open weighing less than
  // its count: the fewest nodes over the hard collections.
  tuned_ways,
  // The same by the plain number of ways, ties to the last digit, its ways
  // from the last.
  plain_ways,
  // A cell with two candidates (else three), first from the end of the
  // board; else as plain_ways.
  cells,
};
inline constexpr int kOrderCount = 3;

struct Outcome {
  int found = 0;                    // solutions found, up to the limit
  long nodes = 0;                   // nodes visited
  bool finished = true;             // false: the budget ran out first (found means nothing then)
  Order order = Order::tuned_ways;  // the order that finished
};

// The search in one order, given up after budget nodes. first receives the
// first solution found (when not null and the search finishes with one).
Outcome search_in_order(const Puzzle& puzzle, int limit, Puzzle* first, Order order, long budget);

// The first budget of each order, and the schedule: round r gives every
// order in turn kFirstBudget << r nodes, from the start, until one finishes.
inline constexpr long kFirstBudget = 512;
Outcome run_schedule(const Puzzle& puzzle, int limit, Puzzle* first);

}  // namespace tesura::search
