#pragma once
// A digit tile of the palette. It follows the pointer without a button held,
// so the window always knows which tile the pointer is over, and reports a
// press, on which the window starts dragging the tile.
#include "ui/picture_box.h"

namespace tesura::ui {

// The drag format of a palette digit; nothing else is accepted on the board.
inline constexpr const char* kDigitMimeType = "application/x-tesura-digit";

class PaletteTile : public PictureBox {
  Q_OBJECT
 public:
  PaletteTile(QWidget* parent, const QRect& geometry, int index);
  int index() const { return index_; }

 signals:
  void moved(int index);
  void pressed(int index);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int index_;
};

}  // namespace tesura::ui
