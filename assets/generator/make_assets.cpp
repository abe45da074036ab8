// SPDX-License-Identifier: MIT
// Writes every picture and the sound the program ships, into the folder named
// on the command line (normally assets/):
//   images/  background, icon, palette tiles, button faces (compiled in)
//   tiles/   the 25 x 25 tile files the program reads from its folder
//   sound/   the short notification played after the version box
// Every picture is drawn twice: at its own size and, under the same name with
// "@2x", at twice the size for high-resolution screens. The larger one is
// drawn afresh at that size rather than enlarged, so edges and digits stay
// sharp.
// The labels need the IPA Gothic font; the output is committed so that a
// normal build needs no font at all.
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QtEndian>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr int kTile = 25;
const char* const kFontFamily = "IPAGothic";

struct TileLook {
  QColor face;
  QColor light;  // top and left edge
  QColor dark;   // bottom and right edge
  QColor ink;
  bool bold;
};

// Entered and solved digits: dark ink on a pale face.
const TileLook kNormal{QColor(0xfa, 0xf8, 0xee), QColor(0xff, 0xff, 0xff), QColor(0x8a, 0x8f, 0xa8),
                       QColor(0x1c, 0x24, 0x48), false};
// Givens: a tinted face and red ink, so they stand out from the answer.
const TileLook kGiven{QColor(0xdc, 0xe4, 0xf4), QColor(0xf4, 0xf7, 0xfd), QColor(0x6c, 0x78, 0x9c),
                      QColor(0xa8, 0x14, 0x14), true};

QFont label_font(int pixel_size, bool bold) {
  QFont font(kFontFamily);
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

// A raised edge `scale` pixels thick: light top and left, dark bottom and
// right, the dark edges drawn last so that they own two of the corners.
void bevel(QPainter& p, const QRect& r, int scale, const QColor& light, const QColor& dark) {
  p.fillRect(r.left(), r.top(), r.width(), scale, light);
  p.fillRect(r.left(), r.top(), scale, r.height(), light);
  p.fillRect(r.left(), r.bottom() - scale + 1, r.width(), scale, dark);
  p.fillRect(r.right() - scale + 1, r.top(), scale, r.height(), dark);
}

QImage tile(const TileLook& look, int digit, int scale) {
  const int side = kTile * scale;
  QImage img(side, side, QImage::Format_RGB32);
  img.fill(look.face);
  QPainter p(&img);
  bevel(p, img.rect(), scale, look.light, look.dark);
  if (digit > 0) {
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(label_font(19 * scale, look.bold));
    p.setPen(look.ink);
    p.drawText(QRect(0, scale, side, side - scale), Qt::AlignCenter, QString::number(digit));
  }
  return img;
}

// Blue, finely striped: alternating lines one window pixel high with a faint
// diagonal weave so the gaps between the cells do not look flat. At a larger
// scale the stripes keep their height and the weave its slope and weight.
QImage background(int scale) {
  QImage img(250 * scale, 253 * scale, QImage::Format_RGB32);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      int shade = ((y / scale) % 2 == 0) ? 0 : 22;
      if ((x + y) % (6 * scale) < scale) shade += 10;
      img.setPixelColor(x, y, QColor(0x18 + shade / 2, 0x38 + shade, 0x88 + shade));
    }
  return img;
}

QImage icon(int scale) {
  QImage img(32 * scale, 32 * scale, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x20, 0x48, 0xa0));
  p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 4, 4);
  // Three blocks of three, with a few cells filled in as on a board.
  const int filled[9] = {1, 0, 0, 0, 1, 0, 1, 0, 1};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      const QRectF cell(3 + c * 9 + (c > 0 ? 0.5 : 0), 3 + r * 9 + (r > 0 ? 0.5 : 0), 8, 8);
      p.setBrush(filled[r * 3 + c] ? QColor(0xa8, 0x14, 0x14) : QColor(0xfa, 0xf8, 0xee));
      p.drawRect(cell);
    }
  return img;
}

QImage button_face(int width, const QString& label, int scale) {
  QImage img(width * scale, 27 * scale, QImage::Format_RGB32);
  img.fill(QColor(0xd8, 0xd4, 0xcc));
  QPainter p(&img);
  const QRect r = img.rect();
  bevel(p, r, scale, QColor(0xff, 0xff, 0xff), QColor(0x40, 0x40, 0x40));
  bevel(p, r.adjusted(scale, scale, -scale, -scale), scale, QColor(0xee, 0xec, 0xe8),
        QColor(0x90, 0x8c, 0x84));
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setFont(label_font(14 * scale, false));
  p.setPen(QColor(0x10, 0x10, 0x10));
  p.drawText(r, Qt::AlignCenter, label);
  return img;
}

// Two short bell-like tones, 16-bit mono PCM.
QByteArray notification_wav() {
  constexpr int rate = 22050;
  constexpr double tone_s = 0.16;
  const double freqs[2] = {880.0, 1318.5};
  std::vector<qint16> samples;
  for (double f : freqs) {
    const int n = static_cast<int>(rate * tone_s);
    for (int i = 0; i < n; ++i) {
      const double t = static_cast<double>(i) / rate;
      const double attack = std::min(1.0, i / (rate * 0.004));
      const double env = attack * std::exp(-t * 18.0);
      const double s =
          std::sin(2 * std::numbers::pi * f * t) + 0.3 * std::sin(4 * std::numbers::pi * f * t);
      samples.push_back(static_cast<qint16>(std::lround(s / 1.3 * env * 0.6 * 32767)));
    }
  }
  const quint32 data_bytes = static_cast<quint32>(samples.size() * 2);
  QByteArray wav;
  auto u32 = [&wav](quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    wav.append(b, 4);
  };
  auto u16 = [&wav](quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    wav.append(b, 2);
  };
  wav.append("RIFF");
  u32(36 + data_bytes);
  wav.append("WAVEfmt ");
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(rate);
  u32(rate * 2);
  u16(2);
  u16(16);
  wav.append("data");
  u32(data_bytes);
  for (qint16 s : samples) u16(static_cast<quint16>(s));
  return wav;
}

bool save(const QImage& img, const QString& path) {
  if (!img.save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: tesura-make-assets ASSETS_DIR\n");
    return 2;
  }
  if (!QFontDatabase::families().contains(kFontFamily)) {
    std::fprintf(stderr, "the %s font is missing (Debian package fonts-ipafont-gothic)\n",
                 kFontFamily);
    return 1;
  }
  const QDir root(QString::fromLocal8Bit(argv[1]));
  for (const char* sub : {"images", "tiles", "sound"})
    if (!root.mkpath(sub)) {
      std::fprintf(stderr, "cannot create %s/%s\n", argv[1], sub);
      return 1;
    }

  bool ok = true;
  for (const int scale : {1, 2}) {
    // "name@2x.png" is the name Qt looks for beside "name.png".
    const QString at = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
    auto path = [&root, &at](const QString& folder, const QString& stem, const char* type) {
      return root.filePath(folder + QLatin1Char('/') + stem + at + QLatin1String(type));
    };
    const QString images = QStringLiteral("images");
    const QString tiles = QStringLiteral("tiles");
    ok &= save(background(scale), path(images, QStringLiteral("background"), ".png"));
    ok &= save(icon(scale), path(images, QStringLiteral("icon"), ".png"));
    ok &= save(button_face(75, QStringLiteral("入力終了"), scale),
               path(images, QStringLiteral("btninput"), ".png"));
    ok &= save(button_face(100, QStringLiteral("一発解答"), scale),
               path(images, QStringLiteral("btnans"), ".png"));
    ok &= save(button_face(75, QStringLiteral("再入力"), scale),
               path(images, QStringLiteral("btnrestart"), ".png"));
    for (int d = 1; d <= 9; ++d)
      ok &= save(tile(kNormal, d, scale), path(images, QStringLiteral("palette%1").arg(d), ".png"));
    for (int d = 0; d <= 9; ++d)
      ok &= save(tile(kNormal, d, scale), path(tiles, QStringLiteral("G00%1").arg(d), ".bmp"));
    for (int d = 1; d <= 9; ++d)
      ok &= save(tile(kGiven, d, scale), path(tiles, QStringLiteral("R00%1").arg(d), ".bmp"));
  }

  QFile wav(root.filePath("sound/notify.wav"));
  if (!wav.open(QIODevice::WriteOnly) || wav.write(notification_wav()) < 0) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(wav.fileName()));
    ok = false;
  }
  return ok ? 0 : 1;
}
