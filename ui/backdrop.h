// SPDX-License-Identifier: MIT
#pragma once
// The picture behind the board.
#include <QPixmap>
#include <QWidget>

namespace tesura::ui {

class Backdrop : public QWidget {
 public:
  Backdrop(QWidget* parent, const QPixmap& pixmap);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap pixmap_;
};

}  // namespace tesura::ui
