#include "model/cands.h"

namespace tesura {

std::string cands_text(Cands c) {
  std::string text;
  for (int d = 0; d <= 9; ++d)
    if (c & cands_of(d)) text += static_cast<char>('0' + d);
  return text;
}

bool parse_cands(std::string_view text, Cands& out) {
  Cands c = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') return false;
    c |= cands_of(ch - '0');
  }
  out = c;
  return true;
}

}  // namespace tesura
