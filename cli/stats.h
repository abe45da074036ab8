// SPDX-License-Identifier: MIT
#pragma once
// The --stats summary: counts per outcome and the solve times. The times go
// into a histogram rather than a list, so memory stays flat on any input.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/puzzle_run.h"

namespace tesura::cli {

class Stats {
 public:
  Stats();

  void add(const RunResult& result);

  // "stats: puzzles=N given=N ... malformed=N median_us=X mean_us=X max_us=Y total_s=Z"
  // without a newline, the counts in outcome order. puzzles counts every
  // line that was not skipped, so it is the sum of the other counts. The times cover the puzzles
  // that were solved (answered or unsolvable): microseconds with two decimals, the total in seconds
  // with three; the median is within 0.1% of the true one.
  std::string summary() const;

 private:
  std::int64_t value_at(std::uint64_t rank) const;  // rank 1 = the fastest

  std::array<std::uint64_t, kOutcomeCount> counts_{};
  std::vector<std::uint64_t> buckets_;
  std::uint64_t timed_ = 0;
  std::int64_t sum_ns_ = 0, min_ns_ = 0, max_ns_ = 0;
};

}  // namespace tesura::cli
