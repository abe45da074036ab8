// SPDX-License-Identifier: MIT
// The complete search: a fixed schedule over the branching orders of
// search_tree.cpp, each under a node budget.
//
// Why the tail is bounded. Each order alone is fast on nearly every board
// but has boards of its own where one early wrong choice takes a
// refutation of a million nodes; which boards those are depends on the
// order. Round r of the schedule gives every order in turn a budget of
// kFirstBudget << r nodes and restarts it from the puzzle; the first order
// that finishes answers. If N is the least number of nodes any order needs
// on a puzzle, the round with kFirstBudget << r >= N ends the schedule at
// the latest, and every round before it cost at most kOrderCount times its
// budget. So the schedule visits at most kOrderCount * kFirstBudget nodes
// when N <= kFirstBudget, and otherwise fewer than 4 * kOrderCount * N:
// a board is slow only if it is slow in every order at once. Each order
// ends on its own (the tree of a 9x9 board is finite), so the schedule
// does too, and a search cut short decides nothing: "none" is only ever
// the verdict of an order that ran to its end.
//
// The answer is deterministic: the orders, budgets and their sequence are
// fixed, and so is the order that answers a given puzzle. The first order
// is the one the search had alone before; on every board where it needs
// fewer than kFirstBudget nodes (every board of the collections) it
// answers, with the same solution as before.
#include "solver/complete_search.h"

#include "solver/search_schedule.h"

namespace tesura {

namespace search {

Outcome run_schedule(const Puzzle& puzzle, int limit, Puzzle* first) {
  long nodes = 0;
  for (long budget = kFirstBudget;; budget *= 2)
    for (int k = 0; k < kOrderCount; ++k) {
      Outcome o = search_in_order(puzzle, limit, first, static_cast<Order>(k), budget);
      nodes += o.nodes;
      if (o.finished) {
        o.nodes = nodes;
        return o;
      }
    }
}

}  // namespace search

bool complete_search(const Puzzle& puzzle, Puzzle& solution) {
  return search::run_schedule(puzzle, 1, &solution).found == 1;
}

int count_solutions(const Puzzle& puzzle, int limit) {
  if (limit < 1) return 0;
  return search::run_schedule(puzzle, limit, nullptr).found;
}

}  // namespace tesura
