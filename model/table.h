// SPDX-License-Identifier: MIT
#pragma once
// A 9 x 9 table indexed from 1, unit first and position second, the way the
// board's control arrays and every routine over the grid count.
#include <array>
#include <cassert>

namespace tesura {

template <class T>
class Table9 {
 public:
  T& operator()(int i, int j) {
    assert(i >= 1 && i <= 9 && j >= 1 && j <= 9);
    return cells_[(i - 1) * 9 + (j - 1)];
  }
  const T& operator()(int i, int j) const {
    assert(i >= 1 && i <= 9 && j >= 1 && j <= 9);
    return cells_[(i - 1) * 9 + (j - 1)];
  }
  bool operator==(const Table9&) const = default;

  // All 81 entries, unit by unit: entry (i, j) at (i - 1) * 9 + j - 1.
  std::array<T, 81>& flat() { return cells_; }
  const std::array<T, 81>& flat() const { return cells_; }

 private:
  std::array<T, 81> cells_{};
};

}  // namespace tesura
