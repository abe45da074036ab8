#pragma once
// A fixed-size picture, the building block of the board, the palette and the
// picture buttons. It remembers the name of what it shows, so that the window
// (and its tests) can tell which tile a cell carries without comparing pixels.
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace tesura::ui {

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

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap pixmap_;
  QString name_;
  bool dim_when_disabled_;
};

}  // namespace tesura::ui
