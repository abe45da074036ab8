// SPDX-License-Identifier: MIT
#pragma once
// A fixed-size picture, the building block of the board and the palette. It
// remembers the name of what it shows, so that the window (and its tests)
// can tell which tile a cell carries without comparing pixels.
#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QPainter;

namespace tesura::ui {

// The keyboard focus mark is drawn over the focused control from the first
// key that moves or uses the focus until the next mouse press, so that a
// user of the mouse sees the pictures exactly as they always were.
void show_focus_marks(bool on);
bool focus_mark_shown(const QWidget* widget);

// Draws pixmap at the top-left of widget, greyed when dim, the red repeat
// mark when flagged, and the focus mark over it where it is shown.
void paint_picture(QWidget* widget, const QPixmap& pixmap, bool dim, bool flagged = false);
// A frame drawn as the focus mark is, in colour, inside rect of painter.
void paint_frame(QPainter& painter, const QRect& rect, const QColor& colour);

class PictureBox : public QWidget {
  Q_OBJECT
 public:
  // dim_when_disabled: commands grey out when unavailable; board cells keep
  // their tile unchanged, since a locked given must stay readable.
  PictureBox(QWidget* parent, const QRect& geometry, bool dim_when_disabled);

  void set_picture(const QPixmap& pixmap, const QString& name);
  const QPixmap& picture() const { return pixmap_; }
  // The tile file name ("G007.bmp"), or the object name of the control the
  // picture was copied from ("pnl0_7").
  const QString& picture_name() const { return name_; }
  // The red frame of a repeated digit.
  void set_flagged(bool flagged);
  bool flagged() const { return flagged_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap pixmap_;
  QString name_;
  bool dim_when_disabled_;
  bool flagged_ = false;
};

}  // namespace tesura::ui
