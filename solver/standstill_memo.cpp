// SPDX-License-Identifier: MIT
#include "solver/standstill_memo.h"

#include <algorithm>
#include <cstring>

namespace tesura {

void StandstillMemo::clear() {
  found_ = kNone;
  if (entries_.empty()) return;
  if (++solve_ == 0) {  // the numbers start again: the old ones must go
    std::fill(slots_.begin(), slots_.end(), 0);
    solve_ = 1;
  }
  entries_.clear();
  results_.clear();
  committed_ = 0;
}

void StandstillMemo::finish(const Board& to) {
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

std::uint64_t StandstillMemo::hash_of(const Board& board, std::uint8_t stage) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(board.cand.data());
  constexpr std::size_t kWords = sizeof board.cand / 8;
  std::uint64_t h = 0x9E3779B97F4A7C15ull ^ stage;
  for (std::size_t i = 0; i < kWords; ++i) {
    std::uint64_t w = 0;
    std::memcpy(&w, bytes + 8 * i, 8);
    h = (h ^ w) * 0xFF51AFD7ED558CCDull;
  }
  std::uint64_t tail = 0;
  std::memcpy(&tail, bytes + 8 * kWords, sizeof board.cand % 8);
  h = (h ^ tail) * 0xC4CEB9FE1A85EC53ull;
  // The products carry low bits upwards only; the slot is taken from the
  // low bits, so the high ones are folded down before and after a last
  // product.
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  return h;
}

void StandstillMemo::put(std::size_t entry) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = entries_[entry].hash & mask;
  while (taken(slots_[i])) i = (i + 1) & mask;
  slots_[i] = std::uint64_t{solve_} << 32 | entry;
}

void StandstillMemo::grow() {
  slots_.assign(2 * slots_.size(), 0);
  for (std::size_t e = 0; e < committed_; ++e) put(e);
}

}  // namespace tesura
