// SPDX-License-Identifier: MIT
// Writes the program's desktop icons into the folder named on the command line
// (normally assets/icons/), laid out as the hicolor theme wants them:
//   hicolor/<n>x<n>/apps/org.tesura.Tesura.png  for n = 16 ... 256
//   hicolor/scalable/apps/org.tesura.Tesura.svg
// The look is the window icon's: a blue rounded square holding three rows of
// three cells, some filled in red as givens on a board. Each size is laid out
// on whole pixels so that the small icons stay sharp.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>

namespace {

const char* const kAppId = "org.tesura.Tesura";
const QColor kFrame(0x20, 0x48, 0xa0);
const QColor kGiven(0xa8, 0x14, 0x14);
const QColor kOpen(0xfa, 0xf8, 0xee);
constexpr std::array<bool, 9> kFilled = {true, false, false, false, true, false, true, false, true};

// The geometry of one size: the frame's corner radius and, per row or column,
// where the cells start and how wide they are.
struct Layout {
  double radius;
  int cell;
  std::array<int, 3> start;
};

Layout layout(int size) {
  const int gap = std::max(1, size / 32);
  const int margin = (size * 3 + 16) / 32;
  const int cell = (size - 2 * margin - 2 * gap) / 3;
  const int left = (size - 3 * cell - 2 * gap) / 2;
  return {size * 4.0 / 32.0, cell, {left, left + cell + gap, left + 2 * (cell + gap)}};
}

QImage png_icon(int size) {
  const Layout l = layout(size);
  QImage img(size, size, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(kFrame);
  p.drawRoundedRect(QRectF(0, 0, size, size), l.radius, l.radius);
  p.setRenderHint(QPainter::Antialiasing, false);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      p.fillRect(l.start[c], l.start[r], l.cell, l.cell, kFilled[r * 3 + c] ? kGiven : kOpen);
  return img;
}

// The same drawing on the 32-pixel grid, for any size.
QByteArray svg_icon() {
  const int size = 32;
  const Layout l = layout(size);
  QString svg = QStringLiteral(
                    "<!-- SPDX-License-Identifier: MIT -->\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                    "viewBox=\"0 0 %1 %1\">\n"
                    "  <rect width=\"%1\" height=\"%1\" rx=\"%2\" fill=\"%3\"/>\n")
                    .arg(size)
                    .arg(l.radius)
                    .arg(kFrame.name());
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      svg += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%3\" fill=\"%4\"/>\n")
                 .arg(l.start[c])
                 .arg(l.start[r])
                 .arg(l.cell)
                 .arg((kFilled[r * 3 + c] ? kGiven : kOpen).name());
  svg += QStringLiteral("</svg>\n");
  return svg.toUtf8();
}

bool write(const QDir& root, const QString& sub, const QString& file,
           const std::function<bool(const QString&)>& save) {
  if (!root.mkpath(sub)) {
    std::fprintf(stderr, "cannot create %s\n", qPrintable(root.filePath(sub)));
    return false;
  }
  const QString path = root.filePath(sub + QLatin1Char('/') + file);
  if (!save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
    return 2;
  }
  const QDir root(QString::fromLocal8Bit(argv[1]));
  const QString app_id = QString::fromLatin1(kAppId);
  bool ok = true;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    const QImage img = png_icon(size);
    ok &= write(root, QStringLiteral("hicolor/%1x%1/apps").arg(size), app_id + ".png",
                [&img](const QString& path) { return img.save(path, "PNG"); });
  }
  ok &= write(root, QStringLiteral("hicolor/scalable/apps"), app_id + ".svg",
              [](const QString& path) {
                QFile file(path);
                return file.open(QIODevice::WriteOnly) && file.write(svg_icon()) >= 0;
              });
  return ok ? 0 : 1;
}
