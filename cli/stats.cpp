// SPDX-License-Identifier: MIT
#include "cli/stats.h"

#include <algorithm>
#include <bit>
#include <cstdio>

namespace tesura::cli {

namespace {

// Log-linear buckets: exact below 2^kBits ns, then 2^(kBits-1) buckets per
// power of two, which bounds the relative error by 2^-(kBits-1).
constexpr int kBits = 11;
constexpr std::uint64_t kExact = std::uint64_t{1} << kBits;
constexpr std::uint64_t kHalf = kExact / 2;
constexpr std::size_t kBuckets = kExact + (64 - kBits) * kHalf;

std::size_t bucket_of(std::uint64_t ns) {
  if (ns < kExact) return ns;
  const int shift = std::bit_width(ns) - kBits;
  return kExact + (shift - 1) * kHalf + ((ns >> shift) - kHalf);
}

// The middle of the bucket.
std::uint64_t value_of(std::size_t bucket) {
  if (bucket < kExact) return bucket;
  const std::size_t shift = (bucket - kExact) / kHalf + 1;
  const std::uint64_t low = ((bucket - kExact) % kHalf + kHalf) << shift;
  return low + (std::uint64_t{1} << shift) / 2;
}

}  // namespace

Stats::Stats() : buckets_(kBuckets) {}

void Stats::add(const RunResult& result) {
  ++counts_[outcome_index(result)];
  if (result.outcome != Outcome::solve) return;
  const std::int64_t ns = std::max<std::int64_t>(result.solve_ns, 0);
  ++buckets_[bucket_of(static_cast<std::uint64_t>(ns))];
  min_ns_ = timed_ == 0 ? ns : std::min(min_ns_, ns);
  max_ns_ = std::max(max_ns_, ns);
  sum_ns_ += ns;
  ++timed_;
}

std::int64_t Stats::value_at(std::uint64_t rank) const {
  std::uint64_t seen = 0;
  for (std::size_t b = 0; b < buckets_.size(); ++b) {
    seen += buckets_[b];
    if (seen >= rank) return std::clamp(static_cast<std::int64_t>(value_of(b)), min_ns_, max_ns_);
  }
  return max_ns_;
}

std::string Stats::summary() const {
  std::uint64_t puzzles = 0;
  for (const auto n : counts_) puzzles += n;
  double median_ns = 0, mean_ns = 0;
  if (timed_ > 0) {
    median_ns = (static_cast<double>(value_at((timed_ + 1) / 2)) +
                 static_cast<double>(value_at(timed_ / 2 + 1))) /
                2;
    mean_ns = static_cast<double>(sum_ns_) / static_cast<double>(timed_);
  }
  std::string text = "stats: puzzles=" + std::to_string(puzzles);
  for (int i = 0; i < kOutcomeCount; ++i) {
    text += ' ';
    text += outcome_name(i);
    text += '=';
    text += std::to_string(counts_[i]);
  }
  char times[160];
  std::snprintf(times, sizeof times, " median_us=%.2f mean_us=%.2f max_us=%.2f total_s=%.3f",
                median_ns / 1e3, mean_ns / 1e3, static_cast<double>(max_ns_) / 1e3,
                static_cast<double>(sum_ns_) / 1e9);
  return text + times;
}

}  // namespace tesura::cli
