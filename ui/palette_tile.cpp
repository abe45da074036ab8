#include "ui/palette_tile.h"

#include <QMouseEvent>

namespace tesura::ui {

PaletteTile::PaletteTile(QWidget* parent, const QRect& geometry, int index)
    : PictureBox(parent, geometry, /*dim_when_disabled=*/true), index_(index) {
  setMouseTracking(true);
}

void PaletteTile::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  emit moved(index_);
}

void PaletteTile::mousePressEvent(QMouseEvent* event) {
  event->accept();
  emit pressed(index_);
}

}  // namespace tesura::ui
