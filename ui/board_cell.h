// SPDX-License-Identifier: MIT
#pragma once
// A cell of the board: element `index` of its block. It reports mouse
// presses with their button, drops of a palette digit, and the keys a user
// types on it. A press also gives it the keyboard focus. Only drags that started on a palette tile
// of this same window are taken; a file or text dragged in from another program is refused, since
// it carries no digit.
#include "ui/picture_box.h"

namespace tesura::ui {

class PaletteTile;

// Where a key moves the focus from a cell. The arrows wrap round within their
// row or column; the others name a cell of the row or of the board.
enum class CellMove { left, right, up, down, row_start, row_end, board_start, board_end };

class BoardCell : public PictureBox {
  Q_OBJECT
 public:
  // place: where the cell stands, as a screen reader says it ("3行7列").
  BoardCell(QWidget* parent, const QRect& geometry, int index, const QString& place);

  // Shows a tile of `digit` (0: the blank tile), in the given look or not;
  // the accessible name follows.
  void show_tile(const QPixmap& pixmap, const QString& name, int digit, bool given);
  // The digit the cell shows, 0 for blank, and whether in the given look.
  int shown_digit() const { return digit_; }
  bool shown_given() const { return given_; }
  // The red frame and the screen reader's word for a digit that repeats.
  void set_repeated(bool repeated);

 signals:
  void pressed(int index, Qt::MouseButton button);
  void dropped(int index, PaletteTile* source);
  // A digit key (1 to 9), or 0 for a key that blanks the cell; move_on for
  // the keys after which the focus goes on to the next cell.
  void typed(int index, int digit, bool move_on);
  // Backspace: back to the cell before, and blank it.
  void erased_back(int index);
  void move_requested(int index, CellMove where);

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
  bool given_ = false;
};

}  // namespace tesura::ui
