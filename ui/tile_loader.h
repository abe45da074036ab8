// SPDX-License-Identifier: MIT
#pragma once
// Board tiles are read from files by bare name, so from the current
// directory, afresh on every display: a user may swap the tile files while
// the program runs. A file counts only if all of it decodes to a bitmap of
// the tile's size; a missing, cut-off, wrongly sized or unreadable file must
// not leave a cell blank or showing something else, so the built-in copy of
// that tile is drawn instead, and the problem is reported once per file name.
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QString>
#include <iosfwd>

#include "ui/resources.h"

namespace tesura::ui {

class TileLoader {
 public:
  static constexpr int kSide = 25;

  explicit TileLoader(std::ostream& warnings);
  TileLoader(const TileLoader&) = delete;
  TileLoader& operator=(const TileLoader&) = delete;

  // The tile "G007.bmp" as drawn at this device-pixel ratio. From 1.5 on, a
  // sibling file of twice the size ("G007@2x.bmp", 50 x 50) comes first when
  // there is one; if it is damaged, the 25 x 25 file is next in line.
  QPixmap load(const QString& name, qreal device_pixel_ratio = screen_ratio());

  // The copy compiled into the program ("G007.bmp" and so on).
  static QPixmap built_in(const QString& name, qreal device_pixel_ratio = 1);

 private:
  // The picture in the file, or a null image (after the file's one warning)
  // when the file is not a whole side x side bitmap.
  QImage read(const QString& name, int side, const char* instead);

  std::ostream& warnings_;
  QSet<QString> warned_;
};

}  // namespace tesura::ui
