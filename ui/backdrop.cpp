// SPDX-License-Identifier: MIT
#include "ui/backdrop.h"

#include <QPaintEvent>
#include <QPainter>

namespace tesura::ui {

Backdrop::Backdrop(QWidget* parent, const QPixmap& pixmap) : QWidget(parent), pixmap_(pixmap) {}

void Backdrop::paintEvent(QPaintEvent* event) {
  // A rectangle of the update at a time. Under a clip of many rectangles
  // (a few cells repainted over it), Qt's raster engine blends a picture
  // this tall on a pool of helper threads, each of which takes a malloc
  // arena of its own: 200 MB of address space for a repaint of the board.
  QPainter painter(this);
  for (const QRect& rect : event->region()) {
    painter.setClipRect(rect);
    painter.drawPixmap(0, 0, pixmap_);
  }
}

}  // namespace tesura::ui
