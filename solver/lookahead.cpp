// SPDX-License-Identifier: MIT
#include "solver/lookahead.h"

#include <system_error>

#include "solver/one_go_solver.h"

namespace tesura {

Lookahead& Lookahead::instance() {
  // One per solving thread, so that two solves never share a hand-over.
  thread_local Lookahead lookahead;
  return lookahead;
}

Lookahead::~Lookahead() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

bool Lookahead::start(const Board& snapshot, Digit fill_target, std::vector<SnapshotTrial> trials) {
  for (auto& state : state_) state.store(kFree, std::memory_order_relaxed);
  {
    std::lock_guard lock(mutex_);
    snapshot_ = snapshot;
    fill_target_ = fill_target;
    trials_ = std::move(trials);
    if (boards_.size() < trials_.size()) boards_.resize(trials_.size());
    cancel_.store(false, std::memory_order_relaxed);
    if (!thread_.joinable()) {
      try {
        thread_ = std::thread([this] { serve(); });
      } catch (const std::system_error&) {
        return false;  // the solver goes on alone
      }
    }
    running_ = true;
  }
  changed_.notify_all();
  return true;
}

bool Lookahead::take(int at, int digit, TrialOutcome& outcome, Board& board) {
  auto& state = state_[at * 10 + digit];
  std::uint8_t s = kFree;
  if (state.compare_exchange_strong(s, kBusy, std::memory_order_acq_rel)) return false;
  // The helper is at it: one first-level trial at most.
  while (s != kDone) {
    std::this_thread::yield();
    s = state.load(std::memory_order_acquire);
  }
  outcome = outcome_[at * 10 + digit];
  if (outcome != TrialOutcome::unchanged) board = boards_[board_of_[at * 10 + digit]];
  return true;
}

void Lookahead::stop() {
  cancel_.store(true, std::memory_order_relaxed);
  std::unique_lock lock(mutex_);
  // A hand-over the helper has not woken up for yet is simply taken back.
  if (!picked_up_) {
    running_ = false;
    return;
  }
  changed_.wait(lock, [this] { return !running_; });
}

void Lookahead::serve() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return quit_ || running_; });
    if (quit_) return;
    picked_up_ = true;
    lock.unlock();
    work();
    lock.lock();
    picked_up_ = false;
    running_ = false;
    changed_.notify_all();
  }
}

void Lookahead::work() {
  OneGoSolver s(snapshot_, fill_target_);
  s.cancel = &cancel_;
  std::uint16_t stored = 0;
  // From the far end, where the solver comes last.
  for (auto t = trials_.rbegin(); t != trials_.rend(); ++t) {
    if (cancel_.load(std::memory_order_relaxed)) return;
    const int key = t->at * 10 + t->digit;
    std::uint8_t s_free = kFree;
    if (!state_[key].compare_exchange_strong(s_free, kBusy, std::memory_order_acq_rel)) continue;
    const TrialOutcome outcome = s.trial_on_snapshot(t->at, t->digit, t->pairs);
    // A trial cut short by the stop says nothing.
    if (cancel_.load(std::memory_order_relaxed)) return;
    outcome_[key] = outcome;
    if (outcome != TrialOutcome::unchanged) {
      boards_[stored] = s.gs;
      board_of_[key] = stored++;
    }
    state_[key].store(kDone, std::memory_order_release);
    s.load_sv2();
  }
}

}  // namespace tesura
