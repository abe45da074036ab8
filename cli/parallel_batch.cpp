// SPDX-License-Identifier: MIT
#include "cli/parallel_batch.h"

#include <algorithm>
#include <cstdio>

namespace tesura::cli {

namespace {
// Readings in flight: enough that the other threads go on while one works
// on a slow puzzle, few enough that memory does not matter.
constexpr std::size_t kRing = 1024;
// A slot whose answer (steps of a slow puzzle) grew beyond this gives the
// memory back.
constexpr std::size_t kKeepCapacity = std::size_t{1} << 16;
// Readings handed to the solving threads at once, and taken by one at most.
constexpr std::size_t kPublish = 32;
constexpr std::uint64_t kClaim = 16;
}  // namespace

ParallelBatch::ParallelBatch(const Options& options, int jobs, Output& out, Stats& stats)
    : options_(options),
      jobs_(static_cast<std::uint64_t>(jobs)),
      out_(out),
      stats_(stats),
      slots_(kRing) {
  threads_.reserve(static_cast<std::size_t>(jobs));
  try {
    for (int i = 0; i < jobs; ++i) threads_.emplace_back([this] { solve_loop(); });
  } catch (...) {
    stop_threads();  // those already started
    throw;
  }
}

ParallelBatch::~ParallelBatch() {
  stop_threads();
}

void ParallelBatch::stop_threads() {
  {
    const std::lock_guard lock(mutex_);
    quit_ = true;
  }
  work_.notify_all();
  for (auto& thread : threads_) thread.join();
}

void ParallelBatch::solve_loop() {
  prepare_solve_thread();
  PuzzleRun run(options_);
  std::unique_lock lock(mutex_);
  for (;;) {
    work_.wait(lock, [this] { return quit_ || started_ < taken_; });
    if (started_ == taken_) return;
    // A few readings at once, a fair share of those waiting: one lock
    // for several puzzles, while no thread takes work another could do.
    const std::uint64_t first = started_;
    const std::uint64_t count = std::clamp<std::uint64_t>((taken_ - first) / jobs_, 1, kClaim);
    started_ += count;
    lock.unlock();
    // The slots are this thread's until they are marked done.
    for (std::uint64_t n = first; n < first + count; ++n) {
      Slot& s = slot(n);
      s.out.clear();
      s.result = RunResult{};
      if (!stopped_) s.result = run.answer(s.reading, s.out);
    }
    lock.lock();
    for (std::uint64_t n = first; n < first + count; ++n) slot(n).done = true;
    if (first == written_) write_ready();
  }
}

void ParallelBatch::write_ready() {
  const std::uint64_t before = written_;
  for (; written_ < taken_ && slot(written_).done; ++written_) {
    Slot& s = slot(written_);
    s.done = false;
    if (!out_.ok()) continue;
    if (!s.complaint.empty()) {
      out_.flush();
      std::fputs(s.complaint.c_str(), stderr);
    }
    out_.buffer().append(s.out);
    if (s.out.capacity() > kKeepCapacity) std::string().swap(s.out);
    stats_.add(s.result);
    out_.line_done();
  }
  // A co-process gets its answers as soon as all it wrote is answered.
  if (reader_waiting_ && written_ == taken_) out_.flush();
  if (!out_.ok()) stopped_ = true;
  if (written_ != before) room_.notify_all();
}

void ParallelBatch::take(const Reading& reading, std::string_view where) {
  // Filled without the lock: the slots past taken_ are the reader's alone.
  if (filled_ == free_) publish(true);
  Slot& s = slot(taken_ + filled_);
  s.reading = reading;
  s.complaint = reading.kind == ReadingKind::malformed ? complaint(reading, where) : std::string();
  if (++filled_ == kPublish) publish(false);
}

void ParallelBatch::publish(bool wait_for_room) {
  std::unique_lock lock(mutex_);
  taken_ += filled_;
  if (filled_ > 0) reader_waiting_ = false;
  filled_ = 0;
  if (wait_for_room) room_.wait(lock, [this] { return taken_ - written_ < slots_.size(); });
  free_ = slots_.size() - (taken_ - written_);
  lock.unlock();
  work_.notify_all();
}

void ParallelBatch::flush() {
  out_.flush();
  if (!out_.ok()) stopped_ = true;
}

void ParallelBatch::reader_waits() {
  publish(false);
  const std::lock_guard lock(mutex_);
  reader_waiting_ = true;
  if (written_ == taken_) flush();
}

void ParallelBatch::drain() {
  publish(false);
  std::unique_lock lock(mutex_);
  room_.wait(lock, [this] { return written_ == taken_; });
  flush();
}

}  // namespace tesura::cli
