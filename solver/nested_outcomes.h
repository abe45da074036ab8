// SPDX-License-Identifier: MIT
#pragma once
// The second level's cache of the nested first-level trials it has run on
// its snapshot: a guess of digit d in cell c, tried once, is not tried again.
//
// Why it changes nothing: trial_one depends on nothing but the board it is
// given, and on the snapshot a guess makes the same board each time. A
// nested trial that completes the board ends the search; any other ends on
// the board the guess made (solution_knowledge.h), which the second level
// then undoes. The three parts of trial_two guess many of the same cells on
// the same snapshot, so a guess already tried there would only come to the
// same end again. trial_two clears the cache when it takes its snapshot.
#include <bitset>

namespace tesura {

class NestedOutcomes {
 public:
  void clear() { tried_.reset(); }
  // Whether the guess was tried on the snapshot, or ruled out.
  bool tried(int at, int digit) const { return tried_[at * 10 + digit]; }
  void keep(int at, int digit) { tried_[at * 10 + digit] = true; }

 private:
  std::bitset<81 * 10> tried_;
};

}  // namespace tesura
