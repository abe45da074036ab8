// SPDX-License-Identifier: MIT
#include "ui/tile_loader.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <cstdlib>
#include <ostream>

namespace tesura::ui {

namespace {

// The file header (14 bytes) and the fields of the picture header we need.
constexpr qint64 kHeadBytes = 38;

// How long a BMP file must be to hold all the pixel data its header promises,
// or -1 if the header cannot tell. Qt's decoder accepts a file that ends
// early and leaves the missing rows as whatever memory held before, often
// another tile, so the length is checked before decoding.
qint64 promised_length(const QByteArray& head) {
  if (head.size() < 26) return -1;
  const auto* h = reinterpret_cast<const uchar*>(head.constData());
  const qint64 data_start = qFromLittleEndian<quint32>(h + 10);
  const quint32 header_size = qFromLittleEndian<quint32>(h + 14);
  qint64 width = 0;
  qint64 height = 0;
  qint64 bits = 0;
  if (header_size == 12) {  // the oldest header, with 16-bit sizes
    width = qFromLittleEndian<quint16>(h + 18);
    height = qFromLittleEndian<quint16>(h + 20);
    bits = qFromLittleEndian<quint16>(h + 24);
  } else {
    if (head.size() < kHeadBytes) return -1;
    width = qFromLittleEndian<qint32>(h + 18);
    height = std::abs(static_cast<qint64>(qFromLittleEndian<qint32>(h + 22)));  // < 0: top down
    bits = qFromLittleEndian<quint16>(h + 28);
    const quint32 compression = qFromLittleEndian<quint32>(h + 30);
    constexpr quint32 kRle8 = 1;
    constexpr quint32 kRle4 = 2;
    // Run-length data has no fixed size; its header gives it.
    if (compression == kRle8 || compression == kRle4)
      return data_start + qFromLittleEndian<quint32>(h + 34);
  }
  const qint64 row_bytes = (width * bits + 31) / 32 * 4;  // rows are padded to 4 bytes
  return data_start + row_bytes * height;
}

// Decodes the whole of `file` as a BMP of exactly `wanted` pixels; returns
// what is wrong with it, or an empty string and the picture in `image`.
QString decode(QFile& file, const QSize& wanted, QImage& image) {
  const QByteArray head = file.peek(kHeadBytes);
  QImageReader reader(&file, "bmp");
  reader.setAutoDetectImageFormat(false);
  // The size comes from the header alone, so a huge picture is turned away
  // before any of it is decoded.
  const QSize size = reader.size();
  if (!size.isValid()) return QStringLiteral("not a BMP picture");
  if (size != wanted)
    return QStringLiteral("%1 x %2 pixels, not %3 x %4")
        .arg(size.width())
        .arg(size.height())
        .arg(wanted.width())
        .arg(wanted.height());
  const qint64 promised = promised_length(head);
  if (promised < 0) return QStringLiteral("a header that does not say how long the file is");
  if (file.size() < promised)
    return QStringLiteral("cut short: %1 bytes where the header promises %2")
        .arg(file.size())
        .arg(promised);
  image = reader.read();
  if (image.isNull()) return reader.errorString();
  if (image.size() != wanted) return QStringLiteral("decodes to the wrong size");
  return {};
}

}  // namespace

TileLoader::TileLoader(std::ostream& warnings) : warnings_(warnings) {
  init_resources();
}

QPixmap TileLoader::built_in(const QString& name, qreal device_pixel_ratio) {
  QPixmap pixmap = resource_picture(QStringLiteral(":/tiles/") + name, device_pixel_ratio);
  if (pixmap.isNull()) {
    // Not one of ours: still draw something the size of a cell.
    pixmap = QPixmap(kSide, kSide);
    pixmap.fill(Qt::white);
  }
  return pixmap;
}

QPixmap TileLoader::load(const QString& name, qreal device_pixel_ratio) {
  if (device_pixel_ratio >= kHighResolution) {
    const QString sharp_name = twice_size_name(name);
    if (QFile::exists(sharp_name)) {
      QImage sharp = read(sharp_name, 2 * kSide, "the 25 x 25 tile");
      if (!sharp.isNull()) {
        sharp.setDevicePixelRatio(2);
        return QPixmap::fromImage(sharp);
      }
    }
  }
  QImage plain = read(name, kSide, "the built-in tile");
  if (plain.isNull()) return built_in(name, device_pixel_ratio);
  plain.setDevicePixelRatio(1);
  return QPixmap::fromImage(plain);
}

QImage TileLoader::read(const QString& name, int side, const char* instead) {
  QFile file(name);
  QImage image;
  const QString problem =
      file.open(QIODevice::ReadOnly) ? decode(file, QSize(side, side), image) : file.errorString();
  if (problem.isEmpty()) return image;
  if (!warned_.contains(name)) {
    warned_.insert(name);
    warnings_ << "tesura: cannot use the tile file " << name.toStdString() << " in "
              << QDir::currentPath().toStdString() << " (" << problem.toStdString() << "); drawing "
              << instead << " instead" << std::endl;
  }
  return {};
}

}  // namespace tesura::ui
