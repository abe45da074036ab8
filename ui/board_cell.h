#pragma once
// A cell of the board: element `index` of block `block`. It reports mouse
// presses with their button and drops of a palette digit. Only drags that
// started on a palette tile of this same window are taken; a file or text
// dragged in from another program is refused, since it carries no digit.
#include "ui/picture_box.h"

namespace tesura::ui {

class PaletteTile;

class BoardCell : public PictureBox {
  Q_OBJECT
 public:
  BoardCell(QWidget* parent, const QRect& geometry, int block, int index);
  int block() const { return block_; }
  int index() const { return index_; }

 signals:
  void pressed(int index, Qt::MouseButton button);
  void dropped(int index, PaletteTile* source);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The palette tile behind an acceptable drag, or nullptr.
  PaletteTile* palette_source(const QDropEvent* event) const;

  int block_;
  int index_;
};

}  // namespace tesura::ui
