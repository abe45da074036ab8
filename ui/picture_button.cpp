// SPDX-License-Identifier: MIT
#include "ui/picture_button.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace tesura::ui {

PictureButton::PictureButton(QWidget* parent, const QRect& geometry, const QString& caption)
    : QAbstractButton(parent) {
  setGeometry(geometry);
  setFixedSize(geometry.size());
  setAccessibleName(caption);
  // Reached by Tab; a mouse click leaves the focus where it was.
  setFocusPolicy(Qt::TabFocus);
}

void PictureButton::set_picture(const QPixmap& pixmap) {
  pixmap_ = pixmap;
  update();
}

void PictureButton::paintEvent(QPaintEvent*) {
  paint_picture(this, pixmap_, !isEnabled());
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
  show_focus_marks(false);
  QAbstractButton::mousePressEvent(event);
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
  show_focus_marks(true);
  // Space is the toolkit's own; Enter presses the button as well.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    click();
    return;
  }
  QAbstractButton::keyPressEvent(event);
}

}  // namespace tesura::ui
