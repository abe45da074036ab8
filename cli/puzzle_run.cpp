// SPDX-License-Identifier: MIT
#include "cli/puzzle_run.h"

#include <array>
#include <chrono>

#include "model/cell_index.h"
#include "model/entry_check.h"
#include "model/input_completion.h"
#include "solver/complete_search.h"

namespace tesura::cli {

namespace {

// Nine rows of "d d d | d d d | d d d", a rule after the third and sixth.
void append_grid(std::string_view cells, std::string& out) {
  for (int row = 0; row < 9; ++row) {
    if (row == 3 || row == 6) out.append("------+-------+------\n");
    for (int col = 0; col < 9; ++col) {
      if (col > 0) out.append(col % 3 == 0 ? " | " : " ");
      out.push_back(cells[row * 9 + col]);
    }
    out.push_back('\n');
  }
}

// One record: the heading (a tab after it on the line, or a line of its own
// above a grid), then the body: 81 cells drawn as a grid when asked, or a
// line of text. A blank line ends each record of the grid form.
void put_record(bool grid, const char* heading, std::string_view body, bool board,
                std::string& out) {
  if (heading) {
    out.append(heading);
    out.push_back(grid ? '\n' : '\t');
  }
  if (grid && board) {
    append_grid(body, out);
  } else {
    out.append(body);
    out.push_back('\n');
  }
  if (grid) out.push_back('\n');
}

// A step record per drawing of the board; draws nothing without out.
class StepRecords final : public SolveObserver {
 public:
  StepRecords(bool grid, std::string* out) : grid_(grid), out_(out) {}
  void show_board(const Grid& grid) override {
    if (out_) put_record(grid_, "step", shown_board(grid), true, *out_);
  }
  void unsolvable(const Grid&) override {}
  bool draws() const override { return out_ != nullptr; }

 private:
  bool grid_;
  std::string* out_;
};

// Runs f, timed only when the times are wanted: reading the clock twice
// costs about as much as entering the puzzle.
template <class F>
std::int64_t time_ns(bool timed, F&& f) {
  if (!timed) {
    f();
    return 0;
  }
  const auto start = std::chrono::steady_clock::now();
  f();
  const auto stop = std::chrono::steady_clock::now();
  return std::chrono::duration_cast<std::chrono::nanoseconds>(stop - start).count();
}

}  // namespace

int outcome_index(const RunResult& result) {
  switch (result.outcome) {
    case Outcome::solve:
      return static_cast<int>(result.stage);
    case Outcome::refusal:
      return kStageCount;
    case Outcome::malformed:
      break;
  }
  return kStageCount + 1;
}

const char* outcome_name(int index) {
  if (index < kStageCount) return stage_name(static_cast<SolveStage>(index));
  return index == kStageCount ? "refused" : "malformed";
}

void PuzzleRun::put_result(const RunResult& result, std::string_view body, bool board,
                           std::string& out) const {
  put_record(options_.grid, options_.stage ? outcome_name(outcome_index(result)) : nullptr, body,
             board, out);
}

RunResult PuzzleRun::answer(const Reading& reading, std::string& out) {
  if (reading.kind == ReadingKind::puzzle) return run(reading.puzzle, out);
  put_result(RunResult{}, "malformed", false, out);
  return RunResult{};
}

RunResult PuzzleRun::run(const Puzzle& puzzle, std::string& out) {
  RunResult result;
  // The window's verdicts in both modes; only the solve command needs the
  // board entered.
  const int givens = count_givens(puzzle);
  const int min_entries = options_.any_count ? 0 : kMinEntries;
  Puzzle answer{};
  bool answered = false;
  // The search takes no repeated given, so its answer passes the entry
  // check; the check runs after it only to tell a refusal from no solution.
  if (options_.search_only && givens >= min_entries)
    result.solve_ns = time_ns(options_.stats, [&] { answered = complete_search(puzzle, answer); });
  const InputVerdict input =
      answered ? InputVerdict::accepted : check_puzzle(puzzle, givens, min_entries);
  if (input != InputVerdict::accepted) {
    result.outcome = Outcome::refusal;
    put_result(result, refusal_message(input), false, out);
    return result;
  }
  result.outcome = Outcome::solve;
  if (options_.search_only) {
    result.stage = !answered      ? SolveStage::unsolvable
                   : givens == 81 ? SolveStage::given
                                  : SolveStage::search;
  } else {
    // Neither the steps nor the answer read the row and column views.
    enter_accepted(grid_, puzzle);
    StepRecords steps(options_.grid, options_.steps ? &out : nullptr);
    result.solve_ns =
        time_ns(options_.stats, [&] { result.stage = solve_in_block_view(grid_, steps); });
    answered = result.stage != SolveStage::unsolvable;
  }
  if (answered) {
    // As puzzle_text writes it, without a string of its own per answer;
    // the solve command's answer is read straight from the block view.
    std::array<char, 81> text{};
    for (int i = 0; i < 81; ++i) {
      const Digit d = options_.search_only ? answer[i] : grid_.gs_val.flat()[kBlockEntry[i]];
      text[i] = d == 0 ? '.' : static_cast<char>('0' + d);
    }
    put_result(result, std::string_view(text.data(), text.size()), true, out);
  } else {
    put_result(result, "unsolvable", false, out);
  }
  return result;
}

}  // namespace tesura::cli
