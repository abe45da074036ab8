// SPDX-License-Identifier: MIT
#pragma once
// Remembers what propagation to a standstill made of a board. The rounds
// depend on nothing but the cells they start from, and a trial search makes
// the same guess on the same board again and again: after every undo it is
// back on its snapshot, and an accepted guess leads to the same board each
// time it is accepted anew. Boards part of the way through the first round
// are kept too, each with its stage: guesses that differ often meet there.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "solver/board.h"

namespace tesura {

class StandstillMemo {
 public:
  // A hash of the strings alone: within a solve they decide the values too.
  // A cell's value changes only when its string narrows to one character,
  // which it then shows; a given, a cell with one character or none, keeps
  // its string and its value.
  // `stage` tells where on the way the board stands, 0 for its start.
  static std::uint64_t hash_of(const Board& board, std::uint8_t stage = 0) {
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ stage;
    mix(h, board.cand.data(), sizeof board.cand);
    return h;
  }

  // The memo of the calling thread. What it holds is true within one solve,
  // which clears it first; keeping it spares each solve the allocation and
  // the page faults of a fresh one.
  static StandstillMemo& of_this_thread() {
    thread_local StandstillMemo memo;
    return memo;
  }

  // Forgets every board; the storage stays.
  void clear() {
    if (entries_.empty()) return;
    if (8 * committed_ < slots_.size()) {
      // The table stays as large as the largest solve made it: with few
      // entries, freeing their own slots is cheaper than wiping it.
      const std::size_t mask = slots_.size() - 1;
      for (std::size_t e = 0; e < committed_; ++e) {
        std::size_t i = entries_[e].hash & mask;
        while (slots_[i] != e + 1) i = (i + 1) & mask;
        slots_[i] = 0;
      }
    } else {
      std::fill(slots_.begin(), slots_.end(), 0);
    }
    entries_.clear();
    results_.clear();
    committed_ = 0;
    found_ = kNone;
  }

  // The board that propagation made of `from`, or nullptr.
  const Board* find(const Board& from, std::uint64_t hash, std::uint8_t stage = 0) const {
    if (slots_.empty()) return nullptr;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      if (slots_[i] == 0) return nullptr;
      const Entry& e = entries_[slots_[i] - 1];
      // The strings alone, for the reason given at hash_of.
      if (e.hash == hash && e.stage == stage && e.from_cand == from.cand)
        return &results_[e.result];
    }
  }

  // Takes `from` as a board on the way to the standstill: the one about to
  // be propagated, or one a round made of it ...
  void begin(const Board& from, std::uint64_t hash, std::uint8_t stage = 0) {
    if (entries_.size() >= kCapacity) return;
    // Reserved whole at once: growing would copy every entry again, and
    // pages not yet written cost nothing.
    if (entries_.capacity() == 0) {
      entries_.reserve(kCapacity);
      results_.reserve(kCapacity);
    }
    entries_.emplace_back(hash, stage, from.cand);
  }
  // ... and `to` as what the rounds made of each: the boards on one way
  // share it.
  void finish(const Board& to) {
    std::uint32_t result = found_;
    found_ = kNone;
    if (committed_ == entries_.size()) return;
    if (result == kNone) {
      result = static_cast<std::uint32_t>(results_.size());
      results_.push_back(to);
    }
    for (; committed_ < entries_.size(); ++committed_) {
      entries_[committed_].result = result;
      // Half the slots at most are taken, so a probe ends soon.
      if (2 * (committed_ + 1) > slots_.size()) grow();
      put(committed_);
    }
  }
  // Takes a board that find returned as the end of the way begun, which
  // finish then need not store again.
  void reached(const Board* found) { found_ = static_cast<std::uint32_t>(found - results_.data()); }

 private:
  static constexpr std::size_t kCapacity = 16384;

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

  static void mix(std::uint64_t& h, const void* data, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    // Four chains of products side by side, each waiting only for its own
    // previous product.
    std::uint64_t lane[4] = {h, h ^ 0x2545F4914F6CDD1Dull, h ^ 0x94D049BB133111EBull,
                             h ^ 0xBF58476D1CE4E5B9ull};
    for (; size >= 32; size -= 32, p += 32) {
      std::uint64_t w[4] = {};
      std::memcpy(w, p, 32);
      for (int k = 0; k < 4; ++k) lane[k] = (lane[k] ^ w[k]) * 0xFF51AFD7ED558CCDull;
    }
    h = lane[0] ^ (lane[1] >> 1) ^ (lane[2] >> 2) ^ (lane[3] >> 3);
    for (; size >= 8; size -= 8, p += 8) {
      std::uint64_t w = 0;
      std::memcpy(&w, p, 8);
      h = (h ^ w) * 0xFF51AFD7ED558CCDull;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, p, size);
    h = (h ^ tail) * 0xC4CEB9FE1A85EC53ull;
    // The products carry low bits upwards only; the slot is taken from the
    // low bits, so the high ones are folded down before and after a last
    // product.
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
  }

  void put(std::size_t entry) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = entries_[entry].hash & mask;
    while (slots_[i] != 0) i = (i + 1) & mask;
    slots_[i] = static_cast<std::uint32_t>(entry + 1);
  }
  // Only the finished entries are in the table.
  void grow() {
    slots_.assign(slots_.empty() ? 64 : 2 * slots_.size(), 0);
    for (std::size_t e = 0; e < committed_; ++e) put(e);
  }

  std::vector<std::uint32_t> slots_;  // 1 + the entry's index; 0 where free
  std::vector<Entry> entries_;        // the finished ones first, then those begun since
  std::size_t committed_ = 0;         // how many entries are finished
  std::vector<Board> results_;
  static constexpr std::uint32_t kNone = 0xFFFFFFFF;
  std::uint32_t found_ = kNone;  // the result reached, if find gave it
};

}  // namespace tesura
