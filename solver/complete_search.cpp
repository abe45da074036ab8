// SPDX-License-Identifier: MIT
// The complete search: one fixed schedule over the walks of
// search_tree.cpp.
//
// Why the tail is bounded. Every order is complete, but each has boards of
// its own where an early wrong choice takes a refutation of up to millions
// of nodes, and which boards those are depends on the order: three boards
// in bench/slow_boards.txt take 0.7 to 2 million nodes in tuned_ways and at
// most 320 in another order. Three things make such a tail:
//  - a board whose contradiction lies in one band or stack, while the
//    search branches elsewhere and refutes that band again under every
//    branch (a 17-given board took 100,000 nodes at the least, tdoku 0.5 s);
//    the band or stack alone (unit_alone) is refuted in a dozen nodes;
//  - a board whose contradiction is a locked subset: n digits of a row,
//    column or box left to n cells, or n cells left with n digits, which
//    the propagation of a node (singles, locked candidates, triads) does
//    not see, so every branch below it meets the subset anew and refutes
//    it by search. A 20-given board took every order 4,000 to 16,000 nodes
//    and no band or stack alone refuted it; locking the root's subsets
//    (lock_subsets: too dear for every node, cheap once) refutes it
//    outright. Where they do not, a walk from the locked root finds the
//    subsets already taken out;
//  - a board on which one order's choices go wrong early; another order's
//    seldom go wrong on the same board.
// So the schedule runs, in this order:
//  1. tuned_ways alone, for kFirstBudget nodes;
//  2. the later orders and the restarts (Restarts: fewest_ways with its
//     options shuffled anew each walk, the walks given luby budgets, for
//     boards with solutions that every fixed order happens to miss) in
//     turn, kSlice nodes at a time, each going on where it stopped; the
//     first walk to finish answers;
//  3. once kUnitsAfter nodes have been visited in all, and only once
//     between two turns of step 2: the root's subsets locked, then each
//     band and each stack of the locked root alone, kUnitBudget nodes in
//     each of two orders. A contradiction of the subsets or a refuted band
//     or stack proves the board has none. Otherwise kLockedOrder from the
//     locked root joins the turns of step 2, but answers only with none or
//     the only solution (a solution of a board with several is left to the
//     other walks, so that the answer stays the one they gave before).
// If N is the least of the nodes the walks of step 2 (and the one from the
// locked root) need alone, that is at most
//
//     kUnitsAfter + 4 * kSlice + 12 * kUnitBudget + 5 * (N + kSlice)
//
// nodes (step 3 comes at most a turn after kUnitsAfter): a board is slow only if it is slow in
// every later order, in the restarts and from the locked root at once, and neither its subsets nor
// a band or stack alone show a contradiction.
// A walk ends on its own (each option narrows the candidates), so the
// schedule does too, and "none" is only ever the verdict of a walk that ran
// to its end, of the board or of a relaxation of it, or of the subsets,
// which keep every solution.
//
// The answer is deterministic: orders, seeds, budgets and turns are fixed,
// and so is the walk that answers a puzzle. tuned_ways is the order the search
// had alone before; on every board where it needs at most kFirstBudget
// nodes (every board of the collections with several solutions, and
// nearly all with one) it answers with the solution it gave before. The
// budget weighs the collections (where tuned_ways needs the fewest nodes)
// against boards climbed to just above it, which pay it in full.
#include "solver/complete_search.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "solver/search_schedule.h"

namespace tesura {

namespace search {

namespace {

// Whether a band or stack alone has no solution, walked for kUnitBudget
// nodes in each of two orders (one refutes in a dozen nodes what the other
// takes hundreds for); adds the nodes visited.
bool refuted_alone(const State& root, long& nodes) {
  for (int unit = 0; unit < 6; ++unit) {
    const State alone = unit_alone(root, unit);
    for (const Order order : {Order::last_cell, Order::fewest_ways}) {
      Walker walk(alone, 1, order, unit_cells(unit));
      const bool finished = walk.walk(kUnitBudget);
      nodes += walk.nodes();
      if (finished && walk.found() == 0) return true;
      if (finished) break;  // the unit can be filled
    }
  }
  return false;
}

}  // namespace

static_assert(luby(1) == 1 && luby(3) == 2 && luby(6) == 2 && luby(7) == 4 && luby(8) == 1 &&
              luby(15) == 8);

bool Restarts::walk(long budget) {
  while (budget > 0) {
    if (!walk_ || left_ == 0) {
      ++number_;  // each walk starts from the puzzle
      walk_.emplace(root_, limit_, Order::fewest_ways, kWholeBoard, static_cast<u32>(number_));
      left_ = kSlice * luby(number_);
    }
    Walker& w = *walk_;
    const long before = w.nodes();
    const bool finished = w.walk(std::min(budget, left_));
    const long used = w.nodes() - before;
    nodes_ += used;
    budget -= used;
    left_ -= used;
    if (finished) return true;
  }
  return false;
}

Outcome run_schedule(const Puzzle& puzzle, int limit, Puzzle* first) {
  Outcome out;
  // Walks w for budget more nodes, counted in out; true when it finished.
  const auto turn = [&out](auto& w, long budget) {
    const long before = w.nodes();
    const bool finished = w.walk(budget);
    out.nodes += w.nodes() - before;
    return finished;
  };
  const auto answer = [&](const Walker& w) {
    out.found = std::min(w.found(), limit);
    if (first && w.found() > 0) *first = w.first();
    return out;
  };
  Walker lead(puzzle, limit, Order::tuned_ways);
  if (turn(lead, kFirstBudget)) return answer(lead);
  // The lead loaded the puzzle, so it loads.
  State start;
  load(puzzle, start);
  std::vector<Walker> later;
  later.reserve(kLaterOrders.size());
  for (const Order order : kLaterOrders) later.emplace_back(start, limit, order, kWholeBoard);
  Restarts restarts(start, limit);
  // The walk from the locked root counts up to two solutions, so that its
  // answer is the board's own: none, or the only one. On a board with
  // several it leaves the answer to the others, whose solution it would not
  // be, unless only the count is asked for.
  std::optional<Walker> locked;
  bool locked_tried = false;
  for (;;) {
    if (!locked_tried && out.nodes >= kUnitsAfter) {
      locked_tried = true;
      State root = start;
      if (!lock_subsets(root) || refuted_alone(root, out.nodes)) return out;
      locked.emplace(root, first ? std::max(limit, 2) : limit, kLockedOrder, kWholeBoard);
    }
    for (Walker& w : later)
      if (turn(w, kSlice)) return answer(w);
    if (turn(restarts, kSlice)) return answer(restarts.last());
    if (locked && turn(*locked, kSlice)) {
      if (locked->found() <= 1 || !first) return answer(*locked);
      locked.reset();
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
