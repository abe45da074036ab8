// SPDX-License-Identifier: MIT
#include "ui/picture_box.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace tesura::ui {

namespace {
bool marks_on = false;
}  // namespace

void show_focus_marks(bool on) {
  if (marks_on == on) return;
  marks_on = on;
  if (QWidget* focused = QApplication::focusWidget()) focused->update();
}

bool focus_mark_shown(const QWidget* widget) {
  return marks_on && widget->hasFocus();
}

void paint_picture(QWidget* widget, const QPixmap& pixmap, bool dim) {
  QPainter painter(widget);
  if (dim) {
    QStyleOption option;
    option.initFrom(widget);
    painter.drawPixmap(0, 0,
                       widget->style()->generatedIconPixmap(QIcon::Disabled, pixmap, &option));
  } else {
    painter.drawPixmap(0, 0, pixmap);
  }
  if (!focus_mark_shown(widget)) return;
  // Dark outside, bright inside: visible on light tiles and dark ones alike.
  const QRect edge = widget->rect();
  painter.setPen(QPen(QColor(0, 0, 0), 1));
  painter.drawRect(edge.adjusted(0, 0, -1, -1));
  painter.setPen(QPen(QColor(255, 140, 0), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.drawRect(QRectF(edge).adjusted(2, 2, -2, -2));
}

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
  paint_picture(this, pixmap_, dim_when_disabled_ && !isEnabled());
}

}  // namespace tesura::ui
