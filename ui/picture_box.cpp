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

void paint_frame(QPainter& painter, const QRect& rect, const QColor& colour) {
  // Dark outside, bright inside: visible on light tiles and dark ones alike.
  painter.setPen(QPen(QColor(0, 0, 0), 1));
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
  painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.drawRect(QRectF(rect).adjusted(2, 2, -2, -2));
}

void paint_picture(QWidget* widget, const QPixmap& pixmap, bool dim, bool flagged) {
  QPainter painter(widget);
  if (dim) {
    QStyleOption option;
    option.initFrom(widget);
    painter.drawPixmap(0, 0,
                       widget->style()->generatedIconPixmap(QIcon::Disabled, pixmap, &option));
  } else {
    painter.drawPixmap(0, 0, pixmap);
  }
  const bool focus = focus_mark_shown(widget);
  if (flagged) paint_frame(painter, widget->rect(), QColor(220, 0, 0));
  // Both at once: the focus frame inside the repeat frame.
  if (focus)
    paint_frame(painter,
                widget->rect().adjusted(flagged ? 3 : 0, flagged ? 3 : 0, flagged ? -3 : 0,
                                        flagged ? -3 : 0),
                QColor(255, 140, 0));
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

void PictureBox::set_flagged(bool flagged) {
  if (flagged_ == flagged) return;
  flagged_ = flagged;
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  paint_picture(this, pixmap_, dim_when_disabled_ && !isEnabled(), flagged_);
}

}  // namespace tesura::ui
