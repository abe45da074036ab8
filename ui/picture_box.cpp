#include "ui/picture_box.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace tesura::ui {

PictureBox::PictureBox(QWidget* parent, const QRect& geometry, bool dim_when_disabled)
    : QWidget(parent), dim_when_disabled_(dim_when_disabled) {
  setGeometry(geometry);
  setFixedSize(geometry.size());
}

void PictureBox::set_picture(const QPixmap& pixmap, const QString& name) {
  pixmap_ = pixmap;
  name_ = name;
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (dim_when_disabled_ && !isEnabled()) {
    QStyleOption option;
    option.initFrom(this);
    painter.drawPixmap(0, 0, style()->generatedIconPixmap(QIcon::Disabled, pixmap_, &option));
  } else {
    painter.drawPixmap(0, 0, pixmap_);
  }
}

}  // namespace tesura::ui
