// SPDX-License-Identifier: MIT
#pragma once
// The first level's index of the guesses it has made on its entry snapshot,
// with the count each one's propagation reached.
//
// Why it changes nothing: a guess is a set of cells fixed to one of their
// two digits, and what propagation makes of the snapshot with that guess
// depends on nothing but the board, so the same guess on the snapshot
// reaches the same count every time. The count alone decides between an
// undo and an acceptance; a guess whose known count undoes it would only be
// propagated and undone again, leaving the board on the snapshot as it is.
#include <array>
#include <cstddef>
#include <cstdint>

#include "model/cands.h"

namespace tesura {

// A first-level guess: the two-candidate cells it fixes, as store indices,
// and those of them given their larger digit.
struct SnapshotGuess {
  std::array<std::uint64_t, 2> cells{};
  std::array<std::uint64_t, 2> larger{};

  bool empty() const { return (cells[0] | cells[1]) == 0; }
  void add(int at, bool take_larger) {
    cells[at / 64] |= 1ull << (at % 64);
    if (take_larger) larger[at / 64] |= 1ull << (at % 64);
  }
  bool operator==(const SnapshotGuess&) const = default;
};

class TriedGuesses {
 public:
  // Forgets every guess: a new snapshot.
  void clear() { ++snapshot_; }
  // The count the guess reached on the snapshot, or nullptr when not known.
  const Digit* find(const SnapshotGuess& guess) const {
    const Entry& e = slots_[home(guess)];
    return e.snapshot == snapshot_ && e.guess == guess ? &e.decided : nullptr;
  }
  // Keeps a guess, in place of one kept before in the same slot.
  void keep(const SnapshotGuess& guess, Digit decided) {
    slots_[home(guess)] = {guess, decided, snapshot_};
  }

 private:
  static std::size_t home(const SnapshotGuess& guess) {
    const std::uint64_t key = guess.cells[0] ^ guess.cells[1] * 0x9E3779B97F4A7C15ull ^
                              guess.larger[0] * 0xC4CEB9FE1A85EC53ull ^
                              guess.larger[1] * 0xFF51AFD7ED558CCDull;
    return static_cast<std::size_t>((key * 0xD6E8FEB86659FD93ull) >> 57);
  }

  struct Entry {
    SnapshotGuess guess;
    Digit decided = 0;
    std::uint64_t snapshot = 0;  // the snapshot it was made on
  };
  // One guess per slot, found in one probe; a snapshot has at most 54
  // guesses (one per unit and first character), so few push others out.
  std::array<Entry, 128> slots_{};
  std::uint64_t snapshot_ = 1;
};

}  // namespace tesura
