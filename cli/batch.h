// SPDX-License-Identifier: MIT
#pragma once
// Where the readings of the input go to be answered: on the reading thread,
// or on threads of their own. Either way the output is the same: each
// answer in input order, a malformed line's complaint on standard error
// after the lines before it, and what is answered written out before the
// reader waits for more input.
#include <memory>
#include <string>
#include <string_view>

#include "cli/options.h"
#include "cli/output.h"
#include "cli/puzzle_run.h"
#include "cli/stats.h"
#include "model/puzzle_text.h"

namespace tesura::cli {

class Batch {
 public:
  virtual ~Batch() = default;
  // Answers a reading after those taken before; where names its file in a
  // complaint ("" or "FILE: ").
  virtual void take(const Reading& reading, std::string_view where) = 0;
  // Called before the reader waits for input.
  virtual void reader_waits() = 0;
  // Returns when every reading taken is written out.
  virtual void drain() = 0;
  // False after a write error, which stops the run: nothing more is written.
  virtual bool ok() = 0;
};

// jobs threads, or the reading thread alone for 1. out and stats must
// outlive the batch.
std::unique_ptr<Batch> make_batch(const Options& options, int jobs, Output& out, Stats& stats);

// The line of standard error for a malformed reading.
std::string complaint(const Reading& reading, std::string_view where);

// Makes the calling thread ready to solve for a batch.
void prepare_solve_thread();

}  // namespace tesura::cli
