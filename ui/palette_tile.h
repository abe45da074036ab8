// SPDX-License-Identifier: MIT
#pragma once
// A digit tile of the palette. It follows the pointer without a button held,
// so the window always knows which tile the pointer is over, and reports a
// press, on which the window starts dragging the tile. Its accessible name
// is its digit; the left and right arrows move the focus along the palette,
// and Space or Enter asks for its digit to be put in the board's last cell.
#include <QByteArray>

#include "ui/picture_box.h"

class QMimeData;

namespace tesura::ui {

// The drag format of a palette digit; nothing else is accepted on the board.
inline constexpr const char* kDigitMimeType = "application/x-tesura-digit";

class PaletteTile : public PictureBox {
  Q_OBJECT
 public:
  PaletteTile(QWidget* parent, const QRect& geometry, int index);
  int index() const { return index_; }

  // What a drag of this tile carries: its digit and a token that names this
  // very tile in this run of the program, so that data made elsewhere (by
  // another program, or another copy of this one) is never taken for it.
  QMimeData* drag_data() const;
  // The palette tile of `window` that `data` came from, or nullptr.
  static PaletteTile* from_drag_data(const QMimeData* data, const QWidget* window);

 signals:
  void moved(int index);
  void pressed(int index);
  void arrow(int index, int step);
  void activated(int index);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QByteArray token() const;

  int index_;
};

}  // namespace tesura::ui
