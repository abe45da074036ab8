// SPDX-License-Identifier: MIT
#pragma once
#include <QString>

namespace tesura::ui {

// The version box's text: "   Tesura  Ver.  " and major.minor.revision of
// the program's own version, then CR CR LF and the further lines.
QString version_box_text();

}  // namespace tesura::ui
