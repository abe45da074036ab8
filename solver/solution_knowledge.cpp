// SPDX-License-Identifier: MIT
#include "solver/solution_knowledge.h"

#include "model/cell_index.h"
#include "solver/complete_search.h"

namespace tesura {

void SolutionKnowledge::know(const Puzzle& givens, const Puzzle& solution) {
  givens_ = givens;
  for (int at = 0; at < 81; ++at) possible_[at] = cands_of(solution[kBlockEntry[at]]);
  uniqueness_ = Uniqueness::not_known;
  other_found_ = none_found_ = 0;
  known_ = true;
}

bool SolutionKnowledge::rules_out(int at, int digit) {
  if (!known_ || (possible_[at] & cands_of(digit)) != 0) return false;
  if (uniqueness_ == Uniqueness::unique) return true;
  // Where solutions are so many that most searches find one more, the
  // searches cost more than the trials they spare.
  if (other_found_ > 2 * none_found_ + 1) return false;
  // One count settles every guess of a puzzle with a single solution; it is
  // made at the first guess that needs it.
  if (uniqueness_ == Uniqueness::not_known) {
    uniqueness_ = count_solutions(givens_, 2) == 1 ? Uniqueness::unique : Uniqueness::several;
    if (uniqueness_ == Uniqueness::unique) return true;
  }
  Puzzle with_guess = givens_;
  with_guess[kBlockEntry[at]] = static_cast<Digit>(digit);
  Puzzle other;
  if (!complete_search(with_guess, other)) {
    ++none_found_;
    return true;
  }
  // Each solution found vouches for all of its digits at once.
  ++other_found_;
  uniqueness_ = Uniqueness::several;
  for (int k = 0; k < 81; ++k) possible_[k] |= cands_of(other[kBlockEntry[k]]);
  return false;
}

}  // namespace tesura
