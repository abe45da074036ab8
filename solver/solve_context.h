// SPDX-License-Identifier: MIT
#pragma once
// What a solve keeps besides its boards: the storage of the shortcuts that
// spare the trial searches work. The caller owns it and passes it to each
// solve (the window holds one, each thread of the batch command its own),
// so that the storage is reused from solve to solve; every solve starts it
// afresh, and nothing in it outlives the solve's meaning.
#include <atomic>
#include <cstdint>

#include "solver/nested_outcomes.h"
#include "solver/solution_knowledge.h"
#include "solver/standstill_memo.h"
#include "solver/tried_guesses.h"

namespace tesura {

// How often each shortcut spared work, summed over the solves of a context:
// a shortcut that only saves time shows nowhere else.
struct ShortcutCounts {
  std::int64_t memo_hits = 0;    // propagations the standstill memo answered
  std::int64_t tried_hits = 0;   // first-level guesses known to be undone
  std::int64_t nested_hits = 0;  // nested trials read back from the cache
  std::int64_t ruled_out = 0;    // nested trials the solutions ruled out
  std::int64_t searches = 0;     // searches run to rule a guess out
};

// Neither copied nor moved, as its flag is not.
struct SolveContext {
  StandstillMemo memo;
  TriedGuesses tried;
  NestedOutcomes nested;
  SolutionKnowledge knowledge;
  ShortcutCounts counts;

  // Whether a solve is using the context; one that starts while another
  // does (a solve from an observer, another thread) gets storage of its
  // own instead, so that no two solves share it.
  std::atomic<bool> in_use{false};
};

}  // namespace tesura
