#include "cli/puzzle_run.h"

#include <chrono>

#include "model/input_completion.h"
#include "solver/complete_search.h"
#include "solver/solve_command.h"

namespace tesura::cli {

namespace {

// Appends one step line per drawing of the board; draws nothing without out.
class StepLines final : public SolveObserver {
 public:
  explicit StepLines(std::string* out) : out_(out) {}
  void show_board(const Grid& grid) override {
    if (!out_) return;
    out_->append("step\t");
    out_->append(shown_board(grid));
    out_->push_back('\n');
  }
  void unsolvable(const Grid&) override {}

 private:
  std::string* out_;
};

Verdict verdict_of(SolveStage stage) {
  switch (stage) {
    case SolveStage::given:
      return Verdict::given;
    case SolveStage::propagation:
      return Verdict::propagation;
    case SolveStage::trial1:
      return Verdict::trial1;
    case SolveStage::trial2:
      return Verdict::trial2;
    case SolveStage::search:
      return Verdict::search;
    case SolveStage::unsolvable:
      return Verdict::unsolvable;
  }
  return Verdict::unsolvable;
}

void append_digits(const Puzzle& digits, std::string& out) {
  for (const Digit d : digits) out.push_back(d == 0 ? '.' : static_cast<char>('0' + d));
  out.push_back('\n');
}

template <class F>
std::int64_t time_ns(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  const auto stop = std::chrono::steady_clock::now();
  return std::chrono::duration_cast<std::chrono::nanoseconds>(stop - start).count();
}

}  // namespace

const char* verdict_name(Verdict verdict) {
  switch (verdict) {
    case Verdict::given:
      return stage_name(SolveStage::given);
    case Verdict::propagation:
      return stage_name(SolveStage::propagation);
    case Verdict::trial1:
      return stage_name(SolveStage::trial1);
    case Verdict::trial2:
      return stage_name(SolveStage::trial2);
    case Verdict::search:
      return stage_name(SolveStage::search);
    case Verdict::unsolvable:
      return stage_name(SolveStage::unsolvable);
    case Verdict::refused:
      return "refused";
    case Verdict::malformed:
      return "malformed";
  }
  return "malformed";
}

LineKind read_line(const Line& line, Puzzle& puzzle, std::string& reason) {
  if (line.trimmed_length == 0 || line.text.front() == '#') return LineKind::skipped;
  if (line.trimmed_length > line.text.size()) {
    // Only a prefix was kept; the parser would say the same of the whole line.
    reason = "expected 81 cells, found " + std::to_string(line.trimmed_length) + " characters";
    return LineKind::malformed;
  }
  if (auto parsed = parse_puzzle(line.text, &reason)) {
    puzzle = *parsed;
    return LineKind::puzzle;
  }
  return LineKind::malformed;
}

void PuzzleRun::put_stage(Verdict verdict, std::string& out) const {
  if (options_.stage) {
    out.append(verdict_name(verdict));
    out.push_back('\t');
  }
}

void PuzzleRun::malformed(std::string& out) const {
  put_stage(Verdict::malformed, out);
  out.append("malformed\n");
}

RunResult PuzzleRun::run(const Puzzle& puzzle, std::string& out) {
  RunResult result;
  // The window's checks decide the refusals in both modes.
  enter_puzzle(grid_, puzzle);
  const InputVerdict input = check_input(grid_, options_.any_count ? 0 : kMinEntries);
  if (input != InputVerdict::accepted) {
    result.verdict = Verdict::refused;
    put_stage(result.verdict, out);
    out.append(refusal_message(input));
    out.push_back('\n');
    return result;
  }
  result.solved = true;
  Puzzle answer{};
  bool answered = false;
  if (options_.search_only) {
    result.solve_ns = time_ns([&] { answered = complete_search(puzzle, answer); });
    bool full = true;
    for (const Digit d : puzzle) full = full && d != 0;
    result.verdict = !answered ? Verdict::unsolvable : full ? Verdict::given : Verdict::search;
  } else {
    accept_input(grid_);
    StepLines steps(options_.steps ? &out : nullptr);
    SolveStage stage{};
    result.solve_ns = time_ns([&] { stage = solve_command(grid_, steps); });
    result.verdict = verdict_of(stage);
    answered = stage != SolveStage::unsolvable;
    if (answered) answer = board_digits(grid_);
  }
  put_stage(result.verdict, out);
  if (answered)
    append_digits(answer, out);
  else
    out.append("unsolvable\n");
  return result;
}

}  // namespace tesura::cli
