// SPDX-License-Identifier: MIT
#pragma once
// The second level's cache of what a nested first-level trial made of its
// snapshot with one cell guessed.
//
// Why it changes nothing: trial_one depends on nothing but the board it is
// given, and on the snapshot a guess of digit d in cell c makes the same
// board each time. The three parts of trial_two guess many of the same
// cells on the same snapshot, so each outcome is worked out once per
// trial_two and read back for the others. Only outcomes on the snapshot are
// kept, and trial_two clears the cache when it takes its snapshot.
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "solver/board.h"

namespace tesura {

// What the first level made of the snapshot with the guess.
enum class TrialOutcome : std::uint8_t {
  unknown,    // not worked out yet
  unchanged,  // it ended on the board the guess made
  changed,    // it ended on an accepted guess, which decided more cells
  solved,     // it completed the board (never kept: the search ends)
};

class NestedOutcomes {
 public:
  // Every outcome unknown; the storage stays.
  void clear() {
    std::memset(kind_.data(), 0, sizeof kind_);
    boards_.clear();
  }
  TrialOutcome outcome(int at, int digit) const { return kind_[at * 10 + digit].kind; }
  // The board a changed outcome ended on.
  const Board& board(int at, int digit) const { return boards_[kind_[at * 10 + digit].board]; }
  // Keeps an unchanged or changed outcome, with the board it ended on.
  void keep(int at, int digit, TrialOutcome outcome, const Board& end) {
    Entry& e = kind_[at * 10 + digit];
    e.kind = outcome;
    if (outcome != TrialOutcome::changed) return;
    e.board = static_cast<std::uint16_t>(boards_.size());
    boards_.push_back(end);
  }

 private:
  // Plain data, cleared before use: a solve that ends before the second
  // level pays nothing for the table.
  struct Entry {
    TrialOutcome kind;
    std::uint16_t board;  // index into boards_ when changed
  };
  std::array<Entry, 81 * 10> kind_;
  std::vector<Board> boards_;
};

}  // namespace tesura
