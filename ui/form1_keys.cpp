// SPDX-License-Identifier: MIT
// The window's keys that stand for its mouse gestures: a digit key is a drop,
// a blanking key the press to the blank, Tab walks board, palette and buttons,
// and the clipboard takes and gives a puzzle's text.
#include <QApplication>
#include <QClipboard>

#include "model/cell_index.h"
#include "model/puzzle.h"
#include "ui/board_cell.h"
#include "ui/form1.h"
#include "ui/palette_tile.h"
#include "ui/picture_button.h"

namespace tesura::ui {

void Form1::type_in_cell(int block, int index, int digit) {
  // A digit key is a drop of that palette tile.
  if (digit != 0) {
    if (palette_tile(digit)->isEnabled())
      (this->*kDropHandlers[block - 1])(index, palette_tile(digit));
    return;
  }
  // A blanking key is the press that brings the digit to the blank: the
  // digits on the way are stepped in the block view alone, the last step is
  // the press itself.
  if (grid_.gs_val(block, index) == 0) return;
  while (grid_.gs_val(block, index) > 1) grid_.step_digit(block, index, /*down=*/true);
  (this->*kPressHandlers[block - 1])(index, Qt::RightButton);
}

void Form1::move_in_palette(int index, int step) {
  for (int d = index + step; d >= 1 && d <= 9; d += step)
    if (palette_tile(d)->isEnabled()) {
      palette_tile(d)->setFocus(Qt::TabFocusReason);
      return;
    }
}

bool Form1::focusNextPrevChild(bool next) {
  QWidget* current = focusWidget();
  if (auto* c = qobject_cast<BoardCell*>(current)) board_focus_ = c;
  if (auto* t = qobject_cast<PaletteTile*>(current)) palette_focus_ = t;
  // The board and the palette are one stop each: back to where the focus
  // was, or else to their first enabled control.
  auto first_enabled = [](QWidget* remembered, const auto& controls) -> QWidget* {
    if (remembered != nullptr && remembered->isEnabled()) return remembered;
    for (QWidget* w : controls)
      if (w->isEnabled()) return w;
    return nullptr;
  };
  std::array<BoardCell*, 81> board{};
  for (int i = 0; i < 81; ++i) {
    const auto [b, k] = block_of(i / 9 + 1, i % 9 + 1);
    board[i] = cell(b, k);
  }
  const std::array<QWidget*, 5> stops = {first_enabled(board_focus_, board),
                                         first_enabled(palette_focus_, palette_), btninput, btnans,
                                         btnrestart};
  int at = -1;
  if (qobject_cast<BoardCell*>(current)) at = 0;
  if (qobject_cast<PaletteTile*>(current)) at = 1;
  for (int i = 2; i < 5; ++i)
    if (current == stops[i]) at = i;
  if (at < 0) at = next ? 4 : 0;
  for (int i = 1; i <= 5; ++i) {
    QWidget* stop = stops[(at + (next ? i : 5 - i)) % 5];
    if (stop != nullptr && stop->isEnabled()) {
      // A control that is being disabled passes its focus on here too; that
      // is no key of the user's.
      if (current == nullptr || current->isEnabled()) show_focus_marks(true);
      stop->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return true;
    }
  }
  return false;
}

void Form1::paste_puzzle() {
  // Every form the batch command reads: a line, a grid, grouped rows, full
  // width.
  const std::optional<Puzzle> puzzle =
      parse_puzzle(QApplication::clipboard()->text().toStdString());
  if (!puzzle) {
    // The one place a paste is refused: nothing changes.
    QApplication::beep();
    announce_rejected_paste();
    return;
  }
  // Cell by cell, as a drop or as the press to the blank would enter it.
  for (int i = 0; i < 81; ++i) {
    const auto [b, k] = block_of(i / 9 + 1, i % 9 + 1);
    type_in_cell(b, k, (*puzzle)[i]);
  }
}

void Form1::copy_board() {
  Puzzle shown{};
  for (int i = 0; i < 81; ++i) {
    const auto [b, k] = block_of(i / 9 + 1, i % 9 + 1);
    shown[i] = static_cast<Digit>(cell(b, k)->shown_digit());
  }
  QApplication::clipboard()->setText(QString::fromStdString(puzzle_text(shown)));
}

}  // namespace tesura::ui
