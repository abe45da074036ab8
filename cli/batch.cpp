// SPDX-License-Identifier: MIT
#include "cli/batch.h"

#include <cstdio>

#include "cli/parallel_batch.h"
#include "solver/lookahead.h"

namespace tesura::cli {

namespace {

// One job: each reading answered straight into the output.
class SerialBatch final : public Batch {
 public:
  SerialBatch(const Options& options, Output& out, Stats& stats)
      : run_(options), out_(out), stats_(stats) {}

  void take(const Reading& reading, std::string_view where) override {
    if (reading.kind == ReadingKind::malformed) {
      out_.flush();
      std::fputs(complaint(reading, where).c_str(), stderr);
    }
    stats_.add(run_.answer(reading, out_.buffer()));
    out_.line_done();
  }
  void reader_waits() override { out_.flush(); }
  void drain() override { out_.flush(); }
  bool ok() override { return out_.ok(); }

 private:
  PuzzleRun run_;
  Output& out_;
  Stats& stats_;
};

}  // namespace

std::string complaint(const Reading& reading, std::string_view where) {
  return std::string(where) + "line " + std::to_string(reading.line) + ": " + reading.reason + "\n";
}

void prepare_solve_thread() {
  // A batch is measured by the whole run, not by one puzzle's wait.
  Lookahead::instance().enabled = false;
}

std::unique_ptr<Batch> make_batch(const Options& options, int jobs, Output& out, Stats& stats) {
  if (jobs == 1) {
    prepare_solve_thread();
    return std::make_unique<SerialBatch>(options, out, stats);
  }
  return std::make_unique<ParallelBatch>(options, jobs, out, stats);
}

}  // namespace tesura::cli
