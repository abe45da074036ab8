// SPDX-License-Identifier: MIT
#pragma once
// Remembers what propagation to a standstill made of a board. The rounds
// depend on nothing but the cells they start from, and a trial search makes
// the same guess on the same board again and again: after every undo it is
// back on its snapshot, and an accepted guess leads to the same board each
// time it is accepted anew.
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "solver/board.h"

namespace tesura {

class StandstillMemo {
 public:
  // A hash of the cells alone: the bookkeeping follows from them.
  static std::uint64_t hash_of(const Board& board) {
    std::uint64_t h = 0x9E3779B97F4A7C15ull;
    mix(h, board.cand.data(), sizeof board.cand);
    mix(h, board.val.data(), sizeof board.val);
    return h;
  }

  // The board that propagation made of `from`, or nullptr.
  const Board* find(const Board& from, std::uint64_t hash) const {
    const auto it = index_.find(hash);
    if (it == index_.end()) return nullptr;
    const Entry& e = entries_[it->second];
    return e.from_cand == from.cand && e.from_val == from.val ? &e.to : nullptr;
  }

  // Keeps `to` as what propagation made of `from`. A full memo, or a hash
  // already taken by other cells, keeps nothing more.
  void store(const Board& from, std::uint64_t hash, const Board& to) {
    if (entries_.size() >= kCapacity) return;
    if (!index_.emplace(hash, static_cast<std::uint32_t>(entries_.size())).second) return;
    entries_.push_back(Entry{from.cand, from.val, to});
  }

 private:
  static constexpr std::size_t kCapacity = 4096;

  struct Entry {
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
      h ^= h >> 32;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, p, size);
    h = (h ^ tail) * 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 29;
  }

  std::unordered_map<std::uint64_t, std::uint32_t> index_;
  std::vector<Entry> entries_;
};

}  // namespace tesura
