// SPDX-License-Identifier: MIT
#include "ui/version_text.h"

#include "model/texts.h"

#ifndef TESURA_VERSION_MAJOR
#error "the build passes the program's version as TESURA_VERSION_MAJOR/MINOR/TWEAK"
#endif

namespace tesura::ui {

namespace {

// U+2060 WORD JOINER between the characters of a phrase: a box too narrow for
// the line then breaks it between phrases only. A closing mark ends its
// phrase, so it never starts a line.
template <std::size_t N>
QString phrases(const char* const (&parts)[N]) {
  QString line;
  for (const char* part : parts) {
    const QString p = QString::fromUtf8(part);
    for (qsizetype i = 0; i < p.size(); ++i) {
      // Keep a surrogate pair together.
      if (i > 0 && !p[i].isLowSurrogate()) line += QChar(0x2060);
      line += p[i];
    }
  }
  return line;
}

}  // namespace

QString version_box_text() {
  // The third field of the version (patch) is not shown; the fourth is the
  // revision.
  return QStringLiteral("   Tesura  Ver.  %1.%2.%3")
             .arg(TESURA_VERSION_MAJOR)
             .arg(TESURA_VERSION_MINOR)
             .arg(TESURA_VERSION_TWEAK) +
         QStringLiteral("\r\r\n") + phrases(texts::kVersionLine1) + QStringLiteral("\r\n") +
         phrases(texts::kVersionLine2);
}

}  // namespace tesura::ui
