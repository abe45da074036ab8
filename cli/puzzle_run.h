#pragma once
// From one input line to its output: the puzzle is read, entered and checked
// as the window does, then solved by the solve command or the complete search.
#include <cstdint>
#include <string>

#include "cli/line_reader.h"
#include "cli/options.h"
#include "model/grid.h"
#include "model/puzzle.h"

namespace tesura::cli {

// How a line ended: the solve stages, then the two ends without a solve.
enum class Verdict : std::uint8_t {
  given,
  propagation,
  trial1,
  trial2,
  search,
  unsolvable,
  refused,
  malformed,
};
inline constexpr int kVerdictCount = 8;

// The --stage word and the --stats key.
const char* verdict_name(Verdict verdict);

enum class LineKind { skipped, puzzle, malformed };

// Blank and "#" lines are skipped (white space before the "#" allowed).
// For a malformed line, reason says why.
LineKind read_line(const Line& line, Puzzle& puzzle, std::string& reason);

struct RunResult {
  Verdict verdict = Verdict::malformed;
  bool solved = false;        // a solve ran; solve_ns is its time
  std::int64_t solve_ns = 0;  // steady_clock, around the solve alone
};

class PuzzleRun {
 public:
  explicit PuzzleRun(const Options& options) : options_(options) {}

  // Appends the puzzle's output to out: its step lines, then its line.
  RunResult run(const Puzzle& puzzle, std::string& out);
  // Appends the output line of a malformed line to out.
  void malformed(std::string& out) const;

 private:
  void put_stage(Verdict verdict, std::string& out) const;

  Options options_;
  Grid grid_;
};

}  // namespace tesura::cli
