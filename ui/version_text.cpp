// SPDX-License-Identifier: MIT
#include "ui/version_text.h"

#ifndef TESURA_VERSION_MAJOR
#error "the build passes the program's version as TESURA_VERSION_MAJOR/MINOR/TWEAK"
#endif

namespace tesura::ui {

QString version_box_text() {
  // The third field of the version (patch) is not shown; the fourth is the
  // revision.
  return QStringLiteral("   Tesura  Ver.  %1.%2.%3")
             .arg(TESURA_VERSION_MAJOR)
             .arg(TESURA_VERSION_MINOR)
             .arg(TESURA_VERSION_TWEAK) +
         QStringLiteral("\r\r\n") +
         QStringLiteral(
             "9×9 の数字配置パズルの入力と一発解答\r\n"
             "盤面へ数字をドラッグするか、クリックで数字を送ります。");
}

}  // namespace tesura::ui
