#pragma once
// Board tiles are read from files by bare name, so from the current
// directory, afresh on every display: a user may swap the tile files while
// the program runs. A missing or unreadable file must not leave a cell blank
// or stale, so the built-in copy of that tile is drawn instead, and the
// problem is reported once per file name.
#include <QPixmap>
#include <QSet>
#include <QString>
#include <iosfwd>

namespace tesura::ui {

class TileLoader {
 public:
  explicit TileLoader(std::ostream& warnings);
  TileLoader(const TileLoader&) = delete;
  TileLoader& operator=(const TileLoader&) = delete;

  QPixmap load(const QString& name);

  // The copy compiled into the program ("G007.bmp" and so on).
  static QPixmap built_in(const QString& name);

 private:
  std::ostream& warnings_;
  QSet<QString> warned_;
};

}  // namespace tesura::ui
