// SPDX-License-Identifier: MIT
#pragma once
// Works out the second trial level's guesses on its snapshot ahead of time,
// on a second core. What a first-level trial makes of the snapshot with one
// cell guessed depends on nothing but that board, so a helper thread can
// take the guesses from the far end of the list while the solver works from
// the front. The solver still reads every outcome in its own order, so
// nothing it decides changes; it only waits less.
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "solver/board.h"

namespace tesura {

// One guess on the snapshot: a digit in a cell, with the first-level scans
// of the board it makes (see OneGoSolver::entry_pairs_).
struct SnapshotTrial {
  std::uint8_t at;
  std::uint8_t digit;
  std::array<unsigned, 3> pairs;
};

// What the first level made of the snapshot with the guess.
enum class TrialOutcome : std::uint8_t {
  unchanged,  // it ended on the board the guess made
  changed,    // it ended on an accepted guess, which decided more cells
  solved,     // it completed the board
};

class Lookahead {
 public:
  // The calling thread's helper; its thread starts with the first
  // hand-over and ends with the calling thread.
  static Lookahead& instance();
  ~Lookahead();
  Lookahead(const Lookahead&) = delete;
  Lookahead& operator=(const Lookahead&) = delete;

  // Whether second levels on this thread hand over at all. A batch run
  // over many puzzles turns it off: it is measured by the whole run, and
  // work done ahead that turns out not to be needed only adds to that.
  bool enabled = true;

  // Hands the guesses over, in the order the solver will come to them.
  // Precondition: no hand-over is running. False, with nothing handed over,
  // when no thread can be started.
  bool start(const Board& snapshot, Digit fill_target, std::vector<SnapshotTrial> trials);
  // For the solver, before it works out a guess: true with the helper's
  // outcome (and, unless unchanged, its board), waiting for it if the helper
  // is at it; false when the guess is now the solver's to work out.
  bool take(int at, int digit, TrialOutcome& outcome, Board& board);
  // Ends the hand-over: on return the helper touches none of it any more.
  void stop();

 private:
  Lookahead() = default;
  void serve();
  void work();

  enum : std::uint8_t { kFree, kBusy, kDone };
  std::array<std::atomic<std::uint8_t>, 810> state_{};
  // Written by the helper before it marks the guess done.
  std::array<TrialOutcome, 810> outcome_{};
  std::array<std::uint16_t, 810> board_of_{};
  std::vector<Board> boards_;

  // The hand-over, fixed while it runs.
  Board snapshot_;
  Digit fill_target_ = 0;
  std::vector<SnapshotTrial> trials_;

  std::atomic<bool> cancel_{false};
  std::mutex mutex_;
  std::condition_variable changed_;
  bool running_ = false;    // a hand-over is waiting or in the helper's hands
  bool picked_up_ = false;  // the helper is working on it
  bool quit_ = false;
  std::thread thread_;
};

}  // namespace tesura
