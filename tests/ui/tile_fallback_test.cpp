// Runs in a folder without tile files: the board still shows every tile,
// from the copies built into the program, and says so once per file.
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
QImage built_in(const char* name) {
  return rgb(TileLoader::built_in(name));
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
  QFile junk("G001.bmp");
  QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("not a picture") > 0);
  junk.close();
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

QTEST_MAIN(TileFallbackTest)
#include "tile_fallback_test.moc"
