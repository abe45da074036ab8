// SPDX-License-Identifier: MIT
#pragma once
// A command button drawn as a picture: a press and a release of the left
// button over it, or Space or Enter while it has the keyboard focus.
#include <QAbstractButton>
#include <QPixmap>

#include "ui/picture_box.h"

namespace tesura::ui {

class PictureButton : public QAbstractButton {
  Q_OBJECT
 public:
  // caption: what the picture says, which is also the button's accessible name.
  PictureButton(QWidget* parent, const QRect& geometry, const QString& caption);

  void set_picture(const QPixmap& pixmap);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QPixmap pixmap_;
};

}  // namespace tesura::ui
