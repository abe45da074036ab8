// SPDX-License-Identifier: MIT
#pragma once
// A cell of the board: element `index` of its block. It reports mouse
// presses with their button, drops of a palette digit, and the keys a user
// types on it. Only drags that started on a palette tile of this same window
// are taken; a file or text dragged in from another program is refused,
// since it carries no digit.
#include "ui/picture_box.h"

namespace tesura::ui {

class PaletteTile;

class BoardCell : public PictureBox {
  Q_OBJECT
 public:
  // place: where the cell stands, as a screen reader says it ("3行7列").
  BoardCell(QWidget* parent, const QRect& geometry, int index, const QString& place);

  // Shows a tile of `digit` (0: the blank tile), in the given look or not;
  // the accessible name follows.
  void show_tile(const QPixmap& pixmap, const QString& name, int digit, bool given);
  // The digit the cell shows, 0 for blank.
  int shown_digit() const { return digit_; }

 signals:
  void pressed(int index, Qt::MouseButton button);
  void dropped(int index, PaletteTile* source);
  // A digit key (1 to 9), or 0 for a key that blanks the cell.
  void typed(int index, int digit);
  // An arrow key: one step along the row (column) of the board.
  void arrow(int index, int row_step, int column_step);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The palette tile behind an acceptable drag, or nullptr.
  PaletteTile* palette_source(const QDropEvent* event) const;

  int index_;
  QString place_;
  int digit_ = 0;
};

}  // namespace tesura::ui
