// Runs in a folder without tile files: the board must still show every
// tile, from the copies built into the program, and say so once per file.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "window_harness.h"

using namespace tesura;
using namespace tesura::ui;
using namespace tesura::ui::testing;

namespace {

int count_of(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

QImage image_of(const BoardCell* c) {
  return c->picture().toImage().convertToFormat(QImage::Format_RGB32);
}
QImage built_in(const char* name) {
  return TileLoader::built_in(QString::fromLatin1(name))
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

QImage solid(QColor colour) {
  QImage img(25, 25, QImage::Format_RGB32);
  img.fill(colour);
  return img;
}

}  // namespace

class TileFallbackTest : public QObject {
  Q_OBJECT
 private slots:
  void missingFilesDrawTheBuiltInTiles();
  void unreadableFilesAndFreshReads();
};

void TileFallbackTest::missingFilesDrawTheBuiltInTiles() {
  QVERIFY2(!QFile::exists(QStringLiteral("G000.bmp")), "this test runs where no tile files are");
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;

  // 81 blank cells drawn, one warning.
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) QCOMPARE(image_of(w.cell(b, k)), built_in("G000.bmp"));
  QCOMPARE(count_of(h.warnings.str(), "G000.bmp"), 1);

  // A whole entry and its acceptance work as with the files.
  const std::string puzzle =
      "53..7....6..195....98....6.8...6...34..8.3..17...2...6" + std::string(27, '.');
  enter_by_presses(w, puzzle);
  QCOMPARE(image_of(cell_at(w, 1, 1)), built_in("G005.bmp"));
  QCOMPARE(cell_at(w, 1, 1)->picture_name(), QStringLiteral("G005.bmp"));
  press(button(w, "btninput"));
  QCOMPARE(state_mismatches(w, State::ready), QString());
  QCOMPARE(image_of(cell_at(w, 1, 1)), built_in("R005.bmp"));
  QVERIFY(built_in("R005.bmp") != built_in("G005.bmp"));
  QCOMPARE(shown_tiles(w), expected_tiles(puzzle, ""));

  // Once per file name, however often it was wanted.
  const std::string said = h.warnings.str();
  for (const char* name : {"G000.bmp", "G001.bmp", "G005.bmp", "G009.bmp", "R005.bmp", "R008.bmp"})
    QCOMPARE(count_of(said, name), 1);
  QCOMPARE(count_of(said, "\n"), 19);  // G000..G009 and the nine given tiles
}

void TileFallbackTest::unreadableFilesAndFreshReads() {
  const QString home = QDir::currentPath();
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  QVERIFY(QDir::setCurrent(dir.path()));
  {
    QFile junk(QStringLiteral("G001.bmp"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
  }
  QVERIFY(solid(Qt::red).save(QStringLiteral("G002.bmp")));

  Harness h;
  QVERIFY(h.ready);
  BoardCell* c = cell_at(h.window, 1, 1);
  press(c);
  QCOMPARE(image_of(c), built_in("G001.bmp"));
  QCOMPARE(count_of(h.warnings.str(), "G001.bmp"), 1);
  press(c);
  QCOMPARE(image_of(c), solid(Qt::red));
  QCOMPARE(count_of(h.warnings.str(), "G002.bmp"), 0);

  // Read afresh on every display: a changed file shows the next time.
  QVERIFY(solid(Qt::green).save(QStringLiteral("G002.bmp")));
  press(c, Qt::RightButton);
  press(c);
  QCOMPARE(image_of(c), solid(Qt::green));
  QCOMPARE(count_of(h.warnings.str(), "G001.bmp"), 1);
  QVERIFY(QDir::setCurrent(home));
}

QTEST_MAIN(TileFallbackTest)
#include "tile_fallback_test.moc"
