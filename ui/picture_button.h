#pragma once
// A picture that acts as a command button: a press and a release over it.
#include "ui/picture_box.h"

namespace tesura::ui {

class PictureButton : public PictureBox {
  Q_OBJECT
 public:
  PictureButton(QWidget* parent, const QRect& geometry);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool armed_ = false;
};

}  // namespace tesura::ui
