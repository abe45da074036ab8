// SPDX-License-Identifier: MIT
#pragma once
// From one puzzle to its output: the puzzle is entered and checked as the
// window does, then solved by the solve command or the complete search.
#include <cstdint>
#include <string>
#include <string_view>

#include "cli/options.h"
#include "model/grid.h"
#include "model/puzzle.h"
#include "model/puzzle_text.h"
#include "solver/solve_command.h"

namespace tesura::cli {

// How a line ended: a solve (stage says which stage ended it), a refusal of
// the entry, or a malformed line.
enum class Outcome : std::uint8_t { solve, refusal, malformed };

struct RunResult {
  Outcome outcome = Outcome::malformed;
  SolveStage stage = SolveStage::unsolvable;  // for a solve
  std::int64_t solve_ns = 0;                  // steady_clock, around the solve alone; --stats only
};

// The outcomes in --stage and --stats order: the solve stages (unsolvable
// is the last), then "refused" and "malformed".
inline constexpr int kStageCount = static_cast<int>(SolveStage::unsolvable) + 1;
inline constexpr int kOutcomeCount = kStageCount + 2;
int outcome_index(const RunResult& result);
const char* outcome_name(int index);

// What one thread needs to answer readings: a PuzzleRun is used by one
// thread at a time.
class PuzzleRun {
 public:
  explicit PuzzleRun(const Options& options) : options_(options) {}

  // Appends the reading's output to out: for a puzzle its steps, then its
  // answer. The one place where the batch command solves a puzzle.
  RunResult answer(const Reading& reading, std::string& out);

 private:
  RunResult run(const Puzzle& puzzle, std::string& out);
  void put_result(const RunResult& result, std::string_view body, bool board,
                  std::string& out) const;

  Options options_;
  Grid grid_;
};

}  // namespace tesura::cli
