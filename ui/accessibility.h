// SPDX-License-Identifier: MIT
#pragma once
// What a screen reader is told a board cell and a palette tile are; their
// names and enabled states come from the controls themselves.

namespace tesura::ui {

// Once per program, before the first window is shown.
void install_accessible_roles();

}  // namespace tesura::ui
