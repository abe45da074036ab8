// SPDX-License-Identifier: MIT
#include "model/cands.h"

namespace tesura {

std::string cands_text(Cands c) {
  std::string text;
  for (int d = 0; d <= 9; ++d)
    if (c & cands_of(d)) text += static_cast<char>('0' + d);
  return text;
}

}  // namespace tesura
