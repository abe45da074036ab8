// SPDX-License-Identifier: MIT
// Runs in a folder without tile files: the board still shows every tile,
// from the copies built into the program, and says so once per file. The
// same holds for files that are there but damaged; twice-size siblings are
// taken on high-resolution screens only.
#include <QDir>
#include <QTemporaryDir>

#include "window_harness.h"

using namespace tesura::ui;
using namespace tesura::ui::testing;

namespace {

int count_of(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}
QImage rgb(const QPixmap& p) {
  return p.toImage().convertToFormat(QImage::Format_RGB32);
}
QImage built_in(const char* name, qreal ratio = 1) {
  return rgb(TileLoader::built_in(name, ratio));
}
QImage solid(QColor colour, int side = 25, qreal ratio = 1) {
  QImage img(side, side, QImage::Format_RGB32);
  img.fill(colour);
  img.setDevicePixelRatio(ratio);
  return img;
}
bool write(const char* name, const QByteArray& bytes) {
  QFile file(name);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

class TileFallbackTest : public QObject {
  Q_OBJECT
 private slots:
  void missingFilesDrawTheBuiltInTiles();
  void unreadableFilesAndFreshReads();
  void damagedFilesAndTwiceSizeSiblings();
};

void TileFallbackTest::missingFilesDrawTheBuiltInTiles() {
  QVERIFY2(!QFile::exists("G000.bmp"), "this test runs where there are no tile files");
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) QCOMPARE(rgb(w.cell(b, k)->picture()), built_in("G000.bmp"));

  // A whole entry and its acceptance, as with the files.
  const std::string puzzle =
      "53..7....6..195....98....6.8...6...34..8.3..17...2...6" + std::string(27, '.');
  enter_by_presses(w, puzzle);
  QCOMPARE(rgb(cell_at(w, 1, 1)->picture()), built_in("G005.bmp"));
  press(button(w, "btninput"));
  QCOMPARE(state_mismatches(w, State::ready), QString());
  QCOMPARE(tiles(w), expected_tiles(puzzle, "R"));
  QCOMPARE(rgb(cell_at(w, 1, 1)->picture()), built_in("R005.bmp"));
  QVERIFY(built_in("R005.bmp") != built_in("G005.bmp"));

  // One line per file name, however often the file was wanted.
  const std::string said = h.warnings.str();
  for (const char* name : {"G000.bmp", "G001.bmp", "G009.bmp", "R005.bmp", "R008.bmp"})
    QCOMPARE(count_of(said, name), 1);
  QCOMPARE(count_of(said, "\n"), 19);  // G000 to G009 and the nine given tiles
}

void TileFallbackTest::unreadableFilesAndFreshReads() {
  const QString home = QDir::currentPath();
  QTemporaryDir dir;
  QVERIFY(dir.isValid() && QDir::setCurrent(dir.path()));
  QVERIFY(write("G001.bmp", "not a picture"));
  QVERIFY(solid(Qt::red).save("G002.bmp"));

  Harness h;
  QVERIFY(h.ready);
  BoardCell* c = cell_at(h.window, 1, 1);
  press(c);
  QCOMPARE(rgb(c->picture()), built_in("G001.bmp"));
  press(c);
  QCOMPARE(rgb(c->picture()), solid(Qt::red));
  // Read afresh on every display: a changed file shows the next time.
  QVERIFY(solid(Qt::green).save("G002.bmp"));
  press(c, Qt::RightButton);
  press(c);
  QCOMPARE(rgb(c->picture()), solid(Qt::green));
  QCOMPARE(count_of(h.warnings.str(), "G001.bmp"), 1);
  QCOMPARE(count_of(h.warnings.str(), "G002.bmp"), 0);
  QVERIFY(QDir::setCurrent(home));
}

void TileFallbackTest::damagedFilesAndTwiceSizeSiblings() {
  const QString home = QDir::currentPath();
  QTemporaryDir dir;
  QVERIFY(dir.isValid() && QDir::setCurrent(dir.path()));
  // Qt decodes a cut-off file without complaint, rows missing.
  for (const char* name : {"G007.bmp", "G006.bmp"})
    QVERIFY(QFile::copy(":/tiles/G007.bmp", name) && QFile(name).setPermissions(QFile::WriteOwner));
  QVERIFY(QFile::resize("G007.bmp", 100) && QFile::resize("G006.bmp", 1953));  // one byte short
  QVERIFY(write("G003.bmp", "BM" + QByteArray(80, '\x01')));
  QVERIFY(solid(Qt::red, 10).save("G001.bmp"));
  QImage huge(3000, 3000, QImage::Format_Mono);
  huge.fill(0);
  QVERIFY(huge.save("G002.bmp"));
  QVERIFY(solid(Qt::green, 50).save("G004@2x.bmp") && solid(Qt::blue).save("G004.bmp"));
  QVERIFY(solid(Qt::green).save("G005@2x.bmp") && solid(Qt::blue).save("G005.bmp"));

  std::ostringstream said;
  TileLoader tiles(said);
  const char* const damaged[] = {"G007.bmp", "G006.bmp", "G003.bmp", "G001.bmp", "G002.bmp"};
  for (int again = 0; again < 2; ++again)
    for (const char* name : damaged) {
      QCOMPARE(rgb(tiles.load(name, 1)), built_in(name));
      QCOMPARE(rgb(tiles.load(name, 2)), built_in(name, 2));
    }
  QCOMPARE(TileLoader::built_in("G007.bmp", 2).size(), QSize(50, 50));
  QCOMPARE(rgb(tiles.load("G004.bmp", 1.25)), solid(Qt::blue));
  QCOMPARE(rgb(tiles.load("G004.bmp", 2)), solid(Qt::green, 50, 2));
  QCOMPARE(rgb(tiles.load("G005.bmp", 2)), solid(Qt::blue));  // a damaged twin gives way

  const std::string text = said.str();
  for (const char* name : damaged) QCOMPARE(count_of(text, name), 1);
  QCOMPARE(count_of(text, "\n"), 6);                       // and one for G005@2x.bmp
  QVERIFY(text.find("3000 x 3000") != std::string::npos);  // judged by its header alone
  QVERIFY(QDir::setCurrent(home));
}

QTEST_MAIN(TileFallbackTest)
#include "tile_fallback_test.moc"
