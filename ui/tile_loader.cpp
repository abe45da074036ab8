#include "ui/tile_loader.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <ostream>

#include "ui/resources.h"

namespace tesura::ui {

TileLoader::TileLoader(std::ostream& warnings) : warnings_(warnings) {
  init_resources();
}

QPixmap TileLoader::built_in(const QString& name) {
  init_resources();
  QPixmap pixmap(QStringLiteral(":/tiles/") + name);
  if (pixmap.isNull()) {
    // Not one of ours: still draw something the size of a cell.
    pixmap = QPixmap(25, 25);
    pixmap.fill(Qt::white);
  }
  return pixmap;
}

QPixmap TileLoader::load(const QString& name) {
  QFile file(name);
  QString problem;
  if (!file.open(QIODevice::ReadOnly)) {
    problem = file.errorString();
  } else {
    QImageReader reader(&file);
    const QImage image = reader.read();
    if (!image.isNull()) return QPixmap::fromImage(image);
    problem = reader.errorString();
  }
  if (!warned_.contains(name)) {
    warned_.insert(name);
    warnings_ << "tesura: cannot read the tile file " << name.toStdString() << " in "
              << QDir::currentPath().toStdString() << " (" << problem.toStdString()
              << "); drawing the built-in tile instead" << std::endl;
  }
  return built_in(name);
}

}  // namespace tesura::ui
