// SPDX-License-Identifier: MIT
#pragma once
// What a screen reader is told the board, its cells, the palette tiles and
// the announcer are. The board is a 9 x 9 table in reading order with row
// and column headers ("3行", "7列"); a cell's name says its place, its digit
// or 空白, and 問題の数字 for a given, and its description says when its
// digit repeats. Names and enabled states come from the controls themselves.

namespace tesura::ui {

// Once per program, before the first window is shown.
void install_accessible_roles();

}  // namespace tesura::ui
