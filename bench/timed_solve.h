// SPDX-License-Identifier: MIT
#pragma once
// One puzzle solved and timed the way the benchmark tools share: the
// window's way (entry, input checks with no minimum of givens, acceptance,
// solve command) or through the complete search alone.
#include <chrono>

#include "model/input_completion.h"
#include "model/puzzle.h"
#include "solver/complete_search.h"
#include "solver/solve_command.h"

namespace tesura::bench {

// Takes the solve command's drawings and says nothing.
class NoDrawing final : public SolveObserver {
 public:
  void show_board(const Grid&) override {}
  void unsolvable(const Grid&) override {}
};

// The time of one solve, in microseconds.
inline double solve_us(bool search, const Puzzle& p) {
  static Grid grid;
  static NoDrawing observer;
  static SolveContext context;
  const auto start = std::chrono::steady_clock::now();
  if (search) {
    Puzzle solution;
    complete_search(p, solution);
  } else {
    enter_puzzle(grid, p);
    if (check_input(grid, 0) == InputVerdict::accepted) {
      accept_input(grid);
      solve_command(grid, observer, context);
    }
  }
  const auto stop = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::micro>(stop - start).count();
}

}  // namespace tesura::bench
