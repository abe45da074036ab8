// SPDX-License-Identifier: MIT
#include "model/input_completion.h"

#include "model/cell_index.h"
#include "model/entry_check.h"

namespace tesura {

InputVerdict check_input(Grid& grid, int min_entries) {
  grid.sync_views();
  grid.count_cand();
  // The entered digits are the one-character strings; "0" is no digit, but
  // counts as an entry as count_cand counts it.
  Puzzle entered{};
  for (int i = 0; i < 81; ++i) {
    const Cands c = grid.gs_cand.flat()[kBlockEntry[i]];
    entered[i] = one_cand(c) ? static_cast<Digit>(first_cand(c)) : Digit{0};
  }
  return check_puzzle(entered, grid.decided_cnt, min_entries);
}

void accept_input(Grid& grid) {
  grid.clear_given_cand();
  grid.sync_views();
  grid.save_sv0();
}

const char* refusal_message(InputVerdict verdict) {
  switch (verdict) {
    case InputVerdict::too_few:
      return texts::kTooFew;
    case InputVerdict::repeated:
      return texts::kRepeat;
    case InputVerdict::accepted:
      break;
  }
  return nullptr;
}

}  // namespace tesura
