// SPDX-License-Identifier: MIT
#pragma once
// What the complete search has told of a puzzle's solutions, for the second
// trial level: which guesses on its snapshot cannot lead anywhere, so that
// their nested first-level trials need not run.
//
// Why it changes nothing: trial_one never ends on an accepted guess. Every
// board it reaches from its entry board lists a subset of each cell's
// candidates there, so a unit whose open cells list two digits each stays
// such a unit (or loses its open cells), and the scan after an accepted
// guess finds a unit to guess in again. Each phase thus ends back on the
// board it started from, and trial_one on its entry board, unless it
// completes the board; that takes a solution with the guessed digit in the
// guessed cell. A guess that no solution has is therefore sure to leave the
// board as the guess made it.
#include <array>
#include <cstdint>

#include "model/cands.h"
#include "model/puzzle.h"

namespace tesura {

class SolutionKnowledge {
 public:
  // Nothing known: every guess must be tried.
  void forget() { known_ = false; }
  // The givens and a solution of the puzzle.
  void know(const Puzzle& givens, const Puzzle& solution);
  // True when no solution has `digit` in the cell at store index `at`, so
  // that a trial on the snapshot with that guess ends unchanged. May run a
  // count or a search of the solutions, and remembers what it finds.
  bool rules_out(int at, int digit);
  // The searches for a guess's digit run so far.
  int searches() const { return other_found_ + none_found_; }

 private:
  Puzzle givens_{};
  // Per cell, in the store's order: the digits of the solutions found so
  // far.
  std::array<Cands, 81> possible_{};
  int other_found_ = 0;  // searches for a guess's digit that found a solution
  int none_found_ = 0;   // and that found none
  enum class Uniqueness : std::uint8_t { not_known, unique, several } uniqueness_{};
  bool known_ = false;
};

}  // namespace tesura
