// SPDX-License-Identifier: MIT
#pragma once
// Remembers what propagation to a standstill made of a board. The rounds
// depend on nothing but the cells they start from, and a trial search makes
// the same guess on the same board again and again: after every undo it is
// back on its snapshot, and an accepted guess leads to the same board each
// time it is accepted anew.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "solver/board.h"

namespace tesura {

class StandstillMemo {
 public:
  // A hash of the strings alone: within a solve they decide the values too
  // (a given keeps its own, every other cell shows its one character or
  // none), and a lookup compares both in full anyway.
  static std::uint64_t hash_of(const Board& board) {
    std::uint64_t h = 0x9E3779B97F4A7C15ull;
    mix(h, board.cand.data(), sizeof board.cand);
    return h;
  }

  // The memo of the calling thread. What it holds is true of every board,
  // so solvers may share it; keeping it spares each solve the allocation
  // and the page faults of a fresh one.
  static StandstillMemo& of_this_thread() {
    thread_local StandstillMemo memo;
    return memo;
  }

  // Forgets every board; the storage stays.
  void clear() {
    if (entries_.empty()) return;
    if (8 * entries_.size() < slots_.size()) {
      // The table stays as large as the largest solve made it: with few
      // entries, freeing their own slots is cheaper than wiping it.
      const std::size_t mask = slots_.size() - 1;
      for (std::size_t e = 0; e < entries_.size(); ++e) {
        std::size_t i = entries_[e].hash & mask;
        while (slots_[i] != e + 1) i = (i + 1) & mask;
        slots_[i] = 0;
      }
    } else {
      std::fill(slots_.begin(), slots_.end(), 0);
    }
    entries_.clear();
  }

  // The board that propagation made of `from`, or nullptr.
  const Board* find(const Board& from, std::uint64_t hash) const {
    if (slots_.empty()) return nullptr;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      if (slots_[i] == 0) return nullptr;
      const Entry& e = entries_[slots_[i] - 1];
      if (e.hash == hash && e.from_cand == from.cand && e.from_val == from.val) return &e.to;
    }
  }

  // Takes `from` as a board on the way to the standstill: the one about to
  // be propagated, or one a round made of it ...
  void begin(const Board& from, std::uint64_t hash) {
    if (pending_count_ == kMaxPending) return;
    Pending& p = pending_[pending_count_++];
    p.hash = hash;
    p.cand = from.cand;
    p.val = from.val;
  }
  // ... and `to` as what the rounds made of each. A full memo keeps nothing.
  void finish(const Board& to) {
    for (std::size_t i = 0; i < pending_count_; ++i) {
      if (entries_.size() >= kCapacity) break;
      // Reserved whole at once: growing would copy every entry again, and
      // pages not yet written cost nothing.
      if (entries_.capacity() == 0) entries_.reserve(kCapacity);
      // Half the slots at most are taken, so a probe ends soon.
      if (2 * (entries_.size() + 1) > slots_.size()) grow();
      entries_.emplace_back(pending_[i].hash, pending_[i].cand, pending_[i].val, to);
      put(entries_.size() - 1);
    }
    pending_count_ = 0;
  }

 private:
  static constexpr std::size_t kCapacity = 8192;

  struct Entry {
    // Built in place: a board filled only to be overwritten costs as much
    // as the copy.
    Entry(std::uint64_t h, const std::array<Cands, 81>& c, const std::array<Digit, 81>& v,
          const Board& b)
        : hash(h), from_cand(c), from_val(v), to(b) {}
    std::uint64_t hash;
    std::array<Cands, 81> from_cand;
    std::array<Digit, 81> from_val;
    Board to;
  };

  static void mix(std::uint64_t& h, const void* data, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
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
  void grow() {
    slots_.assign(slots_.empty() ? 64 : 2 * slots_.size(), 0);
    for (std::size_t e = 0; e < entries_.size(); ++e) put(e);
  }

  struct Pending {
    std::uint64_t hash;
    std::array<Cands, 81> cand;
    std::array<Digit, 81> val;
  };
  static constexpr std::size_t kMaxPending = 2;
  std::array<Pending, kMaxPending> pending_{};
  std::size_t pending_count_ = 0;
  std::vector<std::uint32_t> slots_;  // 1 + the entry's index; 0 where free
  std::vector<Entry> entries_;
};

}  // namespace tesura
