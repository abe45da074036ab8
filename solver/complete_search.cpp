// SPDX-License-Identifier: MIT
// The complete search: one fixed schedule over the branching orders of
// search_tree.cpp.
//
// Why the tail is bounded. Every order is complete, but each has boards of
// its own where an early wrong choice takes a refutation of up to millions
// of nodes; which boards those are depends on the order (the three boards
// of issue 16 take 0.7 to 2 million nodes in tuned_ways, at most 320 in
// fewest_ways or cells). So the first order gets kFirstBudget nodes alone,
// and then the later orders walk in turn, kSlice nodes at a time, each
// going on where it stopped; the first walk to finish answers. If N is the
// fewer of the nodes the later orders need on a board, the schedule visits
// at most
//
//     kFirstBudget + 2 * (N + kSlice)
//
// nodes: a board is slow only if it is slow in every later order at once,
// and never slower than twice the better of them. A walk ends on its own
// (each option narrows the candidates), so the schedule does too, and
// "none" is only ever the verdict of a walk that ran to its end.
//
// The answer is deterministic: orders, budgets and turns are fixed, and so
// is the walk that answers a puzzle. tuned_ways is the order the search
// had alone before; on every board where it needs at most kFirstBudget
// nodes (every board of the collections with several solutions, and
// nearly all with one) it answers with the solution it gave before.
#include "solver/complete_search.h"

#include <vector>

#include "solver/search_schedule.h"

namespace tesura {

namespace search {

Outcome run_schedule(const Puzzle& puzzle, int limit, Puzzle* first) {
  Outcome out;
  const auto answer = [&](const Walker& w, Order order) {
    out.found = w.found();
    out.order = order;
    if (first && w.found() > 0) *first = w.first();
    return out;
  };
  Walker lead(puzzle, limit, Order::tuned_ways);
  const bool done = lead.walk(kFirstBudget);
  out.nodes = lead.nodes();
  if (done) return answer(lead, Order::tuned_ways);
  std::vector<Walker> later;
  later.reserve(kLaterOrders.size());
  for (const Order order : kLaterOrders) later.emplace_back(puzzle, limit, order);
  for (;;)
    for (std::size_t k = 0; k < later.size(); ++k) {
      const long before = later[k].nodes();
      const bool finished = later[k].walk(kSlice);
      out.nodes += later[k].nodes() - before;
      if (finished) return answer(later[k], kLaterOrders[k]);
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
