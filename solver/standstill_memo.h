// SPDX-License-Identifier: MIT
#pragma once
// Remembers what propagation to a standstill made of a board.
//
// Why it changes nothing: the rounds depend on nothing but the cells they
// start from, and a trial search makes the same guess on the same board
// again and again: after every undo it is back on its snapshot, and an
// accepted guess leads to the same board each time it is accepted anew.
// Boards part of the way through a first round are kept too, each with its
// stage (where in the round it stands; see
// OneGoSolver::propagate_remembered): from there the rest of the way
// depends on nothing but the board and the stage, and guesses that differ
// often meet there. A board is found again only
// with its stage and its strings, compared in full; the hash only finds the
// slot. The strings decide the values too: within a solve a cell's value
// changes only when its string narrows to one character, which it then
// shows, and a given keeps its empty string and its value.
#include <array>
#include <cstdint>
#include <vector>

#include "solver/board.h"

namespace tesura {

class StandstillMemo {
 public:
  // Forgets every board; the storage stays, so that a solve after the
  // first pays neither the allocation nor the page faults again, and the
  // slots of earlier solves count as free without a wipe.
  void clear();

  // The end of the way from `board` at `stage` (0 for a board no round has
  // started on), when known; it is then taken as the end of the way begun,
  // which finish need not store again. Otherwise `board` is begun as a board
  // on the way, and nullptr.
  const Board* look(const Board& board, std::uint8_t stage) {
    const std::uint64_t hash = hash_of(board, stage);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask; taken(slots_[i]); i = (i + 1) & mask) {
      const Entry& e = entries_[static_cast<std::uint32_t>(slots_[i])];
      if (e.hash == hash && e.stage == stage && e.from_cand == board.cand) {
        found_ = e.result;
        return &results_[e.result];
      }
    }
    if (entries_.size() < kCapacity) entries_.emplace_back(hash, stage, board.cand);
    return nullptr;
  }
  // Takes `to` as what the rounds made of every board begun since the last
  // finish (or the board look found): the boards on one way share it.
  void finish(const Board& to);

 private:
  static constexpr std::size_t kCapacity = 16384;
  static constexpr std::uint32_t kNone = 0xFFFFFFFF;

  struct Entry {
    // Built in place: a board filled only to be overwritten costs as much
    // as the copy.
    Entry(std::uint64_t h, std::uint8_t s, const std::array<Cands, 81>& c)
        : hash(h), stage(s), from_cand(c) {}
    std::uint64_t hash;
    std::uint8_t stage;
    std::uint32_t result = 0;  // index into results_
    std::array<Cands, 81> from_cand;
  };

  static std::uint64_t hash_of(const Board& board, std::uint8_t stage);
  bool taken(std::uint64_t slot) const { return slot >> 32 == solve_; }
  void put(std::size_t entry);
  // Only the finished entries are in the table.
  void grow();

  // The solve's number in the high half, the entry's index in the low one;
  // a power of two of them, at most half taken.
  std::vector<std::uint64_t> slots_ = std::vector<std::uint64_t>(64);
  std::uint32_t solve_ = 1;     // slots start as 0: free
  std::vector<Entry> entries_;  // the finished ones first, then those begun since
  std::size_t committed_ = 0;   // how many entries are finished
  std::vector<Board> results_;
  std::uint32_t found_ = kNone;  // the result look found, if any
};

}  // namespace tesura
