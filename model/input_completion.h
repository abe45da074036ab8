// SPDX-License-Identifier: MIT
#pragma once
// Declaring the entry finished: the two checks and the fixing of the givens.
// The window shows the pictures and the messages; this layer never does.
#include "model/grid.h"
#include "model/texts.h"

namespace tesura {

inline constexpr int kMinEntries = 20;

enum class InputVerdict {
  accepted,  // at least min_entries digits and no repeat: ready to fix the givens
  too_few,   // fewer than min_entries digits entered (the repeat test did not run)
  repeated,  // some digit stands twice in a block, row or column
};

// The two tests, in order: sync_views, count_cand against min_entries, then
// validate_input. A refusal changes nothing the user sees; conflict_flag is
// back at 0 afterwards.
InputVerdict check_input(Grid& grid, int min_entries = kMinEntries);

// Fixes an entry that check_input accepted: the givens' strings become empty,
// the views are synchronised and the puzzle is saved into sv0. The window
// draws the given tiles from the one-character strings before calling this.
void accept_input(Grid& grid);

// The refusal's message (texts::kTooFew, texts::kRepeat), or nullptr for an accepted entry.
const char* refusal_message(InputVerdict verdict);

}  // namespace tesura
