// SPDX-License-Identifier: MIT
#include "ui/puzzle_line.h"

namespace tesura::ui {

std::optional<Puzzle> read_puzzle_line(const QString& text) {
  qsizetype at = 0;
  while (at < text.size() && (text[at].isSpace() || text[at] == QChar(0xFEFF))) ++at;
  if (text.size() - at < 81) return std::nullopt;
  Puzzle puzzle{};
  for (int i = 0; i < 81; ++i, ++at) {
    const char16_t c = text[at].unicode();
    if (c >= u'1' && c <= u'9')
      puzzle[i] = static_cast<Digit>(c - u'0');
    else if (!QStringView(u"._0*-").contains(QChar(c)))
      return std::nullopt;
  }
  if (at < text.size() && !text[at].isSpace() && !QStringView(u",;#|").contains(text[at]))
    return std::nullopt;
  return puzzle;
}

}  // namespace tesura::ui
