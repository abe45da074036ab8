// SPDX-License-Identifier: MIT
#pragma once
// Readings answered on threads of their own, written in input order.
//
// The reading thread puts each reading into a ring of slots and hands them
// over a few at a time; a solving thread takes the oldest readings nobody
// has taken, answers them in their slots, and writes out every answer that
// is next in input order. A reader
// that gets a whole ring ahead of the writing waits, so memory stays flat
// on any input. Each thread has its own PuzzleRun: no solver state is
// shared.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cli/batch.h"

namespace tesura::cli {

class ParallelBatch final : public Batch {
 public:
  // Throws std::system_error when a thread cannot be started.
  ParallelBatch(const Options& options, int jobs, Output& out, Stats& stats);
  ~ParallelBatch() override;
  ParallelBatch(const ParallelBatch&) = delete;
  ParallelBatch& operator=(const ParallelBatch&) = delete;

  void take(const Reading& reading, std::string_view where) override;
  void reader_waits() override;
  void drain() override;
  bool ok() override { return !stopped_; }

 private:
  struct Slot {
    Reading reading;
    std::string complaint;  // for a malformed reading
    std::string out;
    RunResult result;
    bool done = false;
  };

  void solve_loop();
  void stop_threads();
  // With the lock held: writes out the answers that are next in turn.
  void write_ready();
  void flush();
  // Hands the filled slots to the solving threads; with wait_for_room,
  // returns when a slot is free for the reader.
  void publish(bool wait_for_room);
  Slot& slot(std::uint64_t n) { return slots_[n % slots_.size()]; }

  const Options options_;
  const std::uint64_t jobs_;
  Output& out_;
  Stats& stats_;
  std::mutex mutex_;
  std::condition_variable work_;  // a reading to take, or the end
  std::condition_variable room_;  // answers written out
  std::vector<Slot> slots_;
  // Readings taken from the reader, taken by a solving thread, written out.
  std::uint64_t taken_ = 0, started_ = 0, written_ = 0;
  // The reader's own: slots filled past taken_, and free for it to fill.
  std::size_t filled_ = 0, free_ = 0;
  bool reader_waiting_ = false;
  bool quit_ = false;
  std::atomic<bool> stopped_{false};  // a write error
  std::vector<std::thread> threads_;
};

}  // namespace tesura::cli
