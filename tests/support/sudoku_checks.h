// SPDX-License-Identifier: MIT
#pragma once
// Shared helpers for the tests: grid validity, random puzzles and a run of
// input completion and the solve command through their public path.
#include <algorithm>
#include <array>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/input_completion.h"
#include "model/puzzle.h"
#include "solver/solve_command.h"

namespace tesura::testing {

// Every row, column and block holds 1 to 9 once, and the givens stand.
inline bool is_completion_of(const Puzzle& answer, const Puzzle& givens) {
  for (int i = 0; i < 81; ++i)
    if (givens[i] != 0 && answer[i] != givens[i]) return false;
  for (int u = 0; u < 9; ++u) {
    unsigned row = 0, col = 0, box = 0;
    for (int j = 0; j < 9; ++j) {
      row |= 1u << answer[u * 9 + j];
      col |= 1u << answer[j * 9 + u];
      box |= 1u << answer[(u / 3 * 3 + j / 3) * 9 + u % 3 * 3 + j % 3];
    }
    if (row != 0x3FE || col != 0x3FE || box != 0x3FE) return false;
  }
  return true;
}

// A random solved grid: a pattern grid under random relabelling and
// row, column, band and stack permutations.
inline Puzzle random_solution(std::mt19937& rng) {
  std::array<int, 9> digit{}, rows{}, cols{};
  std::iota(digit.begin(), digit.end(), 1);
  std::shuffle(digit.begin(), digit.end(), rng);
  for (std::array<int, 9>* lines : {&rows, &cols}) {
    std::array<int, 3> bands{0, 1, 2};
    std::shuffle(bands.begin(), bands.end(), rng);
    for (int b = 0; b < 3; ++b) {
      std::array<int, 3> in{0, 1, 2};
      std::shuffle(in.begin(), in.end(), rng);
      for (int i = 0; i < 3; ++i) (*lines)[b * 3 + i] = bands[b] * 3 + in[i];
    }
  }
  Puzzle grid{};
  for (int i = 0; i < 81; ++i) {
    const int r = rows[i / 9], c = cols[i % 9];
    grid[i] = static_cast<Digit>(digit[(r * 3 + r / 3 + c) % 9]);
  }
  return grid;
}

// Keeps `keep` cells of the grid at random.
inline Puzzle with_givens(const Puzzle& grid, int keep, std::mt19937& rng) {
  std::array<int, 81> order{};
  std::iota(order.begin(), order.end(), 0);
  std::shuffle(order.begin(), order.end(), rng);
  Puzzle puzzle{};
  for (int i = 0; i < keep; ++i) puzzle[order[i]] = grid[order[i]];
  return puzzle;
}

struct SolveRun {
  InputVerdict verdict = InputVerdict::accepted;
  SolveStage stage = SolveStage::unsolvable;
  std::vector<std::string> drawings;  // shown_board at every drawing
  int unsolvable_reports = 0;
  std::string board_at_report;  // what the board showed when unsolvable was reported
  Puzzle answer{};              // the block view's digits after the command
  std::string views;            // all three views after the command, as views_text gives them
  std::string returned;         // the views after a later return to the first problem
};

// All three views, cell by cell: "candidates/value " in view order.
inline std::string views_text(const Grid& grid) {
  std::string out;
  for (const auto& [cand, val] :
       {std::pair(&grid.gs_cand, &grid.gs_val), std::pair(&grid.ygs_cand, &grid.ygs_val),
        std::pair(&grid.tgs_cand, &grid.tgs_val)})
    for (int i = 1; i <= 9; ++i)
      for (int j = 1; j <= 9; ++j)
        out += cands_text((*cand)(i, j)) + "/" + std::to_string((*val)(i, j)) + " ";
  return out;
}

// Enters the puzzle, finishes the input and, when it is accepted, solves it;
// an unsolvable puzzle goes back to the first problem, as the window does,
// and an answered one is taken back there afterwards.
// A solve gets `context` where given, else a fresh one of its own.
inline SolveRun run_solve(const Puzzle& puzzle, int min_entries = kMinEntries,
                          SolveContext* context = nullptr) {
  struct Recorder : SolveObserver {
    SolveRun* run;
    void show_board(const Grid& grid) override { run->drawings.push_back(shown_board(grid)); }
    void unsolvable(const Grid& grid) override {
      ++run->unsolvable_reports;
      run->board_at_report = shown_board(grid);
    }
  };
  SolveRun run;
  Grid grid;
  enter_puzzle(grid, puzzle);
  run.verdict = check_input(grid, min_entries);
  if (run.verdict == InputVerdict::accepted) {
    accept_input(grid);
    Recorder recorder;
    recorder.run = &run;
    SolveContext own;
    run.stage = solve_command(grid, recorder, context != nullptr ? *context : own);
    if (run.stage == SolveStage::unsolvable) grid.return_to_first_problem();
  }
  run.answer = board_digits(grid);
  run.views = views_text(grid);
  if (run.verdict == InputVerdict::accepted && run.stage != SolveStage::unsolvable) {
    grid.return_to_first_problem();
    run.returned = views_text(grid);
  }
  return run;
}

}  // namespace tesura::testing
