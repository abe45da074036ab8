#include "ui/picture_button.h"

#include <QMouseEvent>

namespace tesura::ui {

PictureButton::PictureButton(QWidget* parent, const QRect& geometry)
    : PictureBox(parent, geometry, /*dim_when_disabled=*/true) {}

void PictureButton::mousePressEvent(QMouseEvent* event) {
  armed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
  const bool fire = armed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
  armed_ = false;
  event->accept();
  if (fire) emit clicked();
}

}  // namespace tesura::ui
