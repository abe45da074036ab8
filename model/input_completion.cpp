// SPDX-License-Identifier: MIT
#include "model/input_completion.h"

namespace tesura {

InputVerdict check_input(Grid& grid, int min_entries) {
  grid.sync_views();
  grid.count_cand();
  if (grid.decided_cnt < min_entries) return InputVerdict::too_few;
  grid.validate_input();
  if (grid.conflict_flag != 0) {
    grid.conflict_flag = 0;
    return InputVerdict::repeated;
  }
  return InputVerdict::accepted;
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
