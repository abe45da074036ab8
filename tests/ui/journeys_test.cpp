// SPDX-License-Identifier: MIT
// One journey per road through the window: start-up, entry by presses and
// drops, refusal and acceptance, a solved and an unsolvable puzzle, the
// return to the first problem, self-solve mode and the version box.
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "window_harness.h"

using namespace tesura;
using namespace tesura::ui;
using namespace tesura::ui::testing;

namespace {

// 20 digits, no repeat in any unit; row 1 starts with the 5.
const std::string kTwenty =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6" + std::string(27, '.');
const std::string kPuzzle =
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
const std::string kUnsolvable =
    "4.......1....3.6.9.....2...8....6...2.....415.5...1.7.....197..36..47.....8...3..";

std::string with(std::string s, int row, int col, char digit) {
  s[(row - 1) * 9 + col - 1] = digit;
  return s;
}

}  // namespace

class JourneysTest : public QObject {
  Q_OBJECT
 private slots:
  void startUpLayoutAndCentring();
  void entryByPressesAndDrops();
  void refusalsThenAcceptance();
  void solveReturnAndSolveAgain();
  void unsolvableComesBackAsEntered();
  void selfSolveMode();
  void versionBoxThenSound();
};

void JourneysTest::startUpLayoutAndCentring() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  QCOMPARE(w.windowTitle(), "Tesura");
  QCOMPARE(w.centralWidget()->geometry(), QRect(0, w.menuBar()->height(), 250, 319));
  QCOMPARE(w.minimumSize(), w.maximumSize());
  QCOMPARE(w.findChild<BoardCell*>("pnl3_7")->geometry(), QRect(167, 59, 25, 25));  // row 3, col 7
  QCOMPARE(cell_at(w, 9, 9)->geometry(), QRect(219, 219, 25, 25));
  QCOMPARE(palette(w, 1)->geometry(), QRect(7, 260, 25, 25));
  QCOMPARE(button(w, "btnans")->geometry(), QRect(75, 292, 100, 27));
  QCOMPARE(button(w, "btnrestart")->geometry(), QRect(175, 292, 75, 27));
  QCOMPARE(w.findChild<QWidget*>("Line1")->geometry(), QRect(0, 251, 250, 1));

  QStringList menus;
  for (QAction* top : w.menuBar()->actions()) {
    menus << top->text();
    for (QAction* a : top->menu()->actions())
      menus << a->objectName() + "=" + (a->isSeparator() ? "-" : a->text()) +
                   a->shortcut().toString();
  }
  QCOMPARE(menus.join(' '),
           "ファイル(&F) mnuend=終了(&E) 問題(&I) mnuconf=入力終了 mnuippatu=一発解答 "
           "mnureset=再入力 mnuline1=- mnujirikistart=自力解答モード開始 "
           "mnujirikiend=自力解答モード終了 mnuline2=- mnusaisyo=最初の問題に戻る "
           "ヘルプ(&H) mnuver=バージョン情報");
  QCOMPARE(tiles(w), expected_tiles(std::string(81, '.'), "R"));
  QCOMPARE(state_mismatches(w, State::input), QString());
  QCOMPARE(h.warnings.str(), "");

  // Centred once; a reset leaves the window where the user put it.
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  QVERIFY((w.frameGeometry().center() - screen.center()).manhattanLength() <= 2);
  w.move(20, 30);
  const QPoint moved = w.pos();
  press(cell_at(w, 5, 5));
  press(button(w, "btnrestart"));
  QCOMPARE(w.pos(), moved);
  QCOMPARE(digits(w), std::string(81, '.'));
}

void JourneysTest::entryByPressesAndDrops() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  const Grid& g = w.grid();
  BoardCell* c = cell_at(w, 2, 2);  // block 1, cell 5
  // Up with left and middle, down with right, through the blank both ways.
  const std::pair<Qt::MouseButton, int> steps[] = {{Qt::LeftButton, 1},  {Qt::MiddleButton, 2},
                                                   {Qt::RightButton, 1}, {Qt::RightButton, 0},
                                                   {Qt::RightButton, 9}, {Qt::LeftButton, 0}};
  for (const auto& [b, v] : steps) {
    press(c, b);
    QCOMPARE(g.gs_val(1, 5), Digit(v));
    QCOMPARE(g.gs_cand(1, 5), v == 0 ? kAllCands : cands_of(v));
    QCOMPARE(c->picture_name(), QString("G00%1.bmp").arg(v));
  }

  // A drop over a digit puts the tile's picture and digit in its place.
  c = w.findChild<BoardCell*>("pnl3_4");  // row 2, column 7
  press(c);
  QVERIFY(drag_digit(w, 7, c));
  QCOMPARE(w.current_drag_num(), Digit{7});
  QCOMPARE(c->picture_name(), "pnl0_7");
  QCOMPARE(c->picture().toImage(), palette(w, 7)->picture().toImage());
  QCOMPARE(g.gs_cand(3, 4), cands_of(7));
  QVERIFY(drag_digit(w, 2, c));
  press(c);  // steps from the dropped digit
  QCOMPARE(g.gs_val(3, 4), Digit{3});
  QCOMPARE(c->picture_name(), "G003.bmp");
  QCOMPARE(g.ygs_cand(2, 7), kAllCands);  // entry writes the block view only

  // Drops not from this window's palette change nothing: a file, text, a
  // forged digit and a tile of another window.
  QMimeData file, text, forged;
  file.setUrls({QUrl::fromLocalFile("/tmp/G005.bmp")});
  text.setText("5");
  forged.setData(kDigitMimeType, "5");
  Harness other;
  std::unique_ptr<QMimeData> elsewhere(palette(other.window, 5)->drag_data());
  for (QMimeData* data : {&file, &text, &forged, elsewhere.get()}) QVERIFY(!offer_drop(c, data));
  QCOMPARE(g.gs_val(3, 4), Digit{3});
  QCOMPARE(c->picture_name(), "G003.bmp");
  QCOMPARE(state_mismatches(w, State::input), QString());
}

void JourneysTest::refusalsThenAcceptance() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  const std::string nineteen = with(kTwenty, 5, 4, '.');
  const std::pair<std::string, const char*> refusals[] = {
      {with(nineteen, 1, 2, '5'), "入力個所が少な過ぎます"},   // the repeat is not looked for
      {with(kTwenty, 9, 1, '5'), "入力数値にミスがあります"},  // column only
  };
  for (const auto& [puzzle, message] : refusals) {
    paste(w, QString::fromStdString(puzzle));
    const QString shown = tiles(w);
    const Grid before = w.grid();
    item(w, "mnuconf")->trigger();
    QCOMPARE(h.said.log.takeFirst(), QString("Tesura: ") + message);
    QVERIFY(w.grid().gs_cand == before.gs_cand && w.grid().gs_val == before.gs_val);
    QCOMPARE(tiles(w), shown);
    QCOMPARE(state_mismatches(w, State::input), QString());
  }
  press(cell_at(w, 9, 1), Qt::RightButton);  // still editable: the repeated 5 goes
  QCOMPARE(digits(w), kTwenty.substr(0, 72) + "4" + std::string(8, '.'));
  for (int n = 0; n < 4; ++n) press(cell_at(w, 9, 1), Qt::RightButton);
  press(button(w, "btninput"));

  QVERIFY(h.said.log.isEmpty());
  QCOMPARE(tiles(w), expected_tiles(kTwenty, "R"));
  QCOMPARE(state_mismatches(w, State::ready), QString());
  const Grid& g = w.grid();
  for (int i = 0; i < 81; ++i) {
    const auto [b, k] = block_of(i / 9 + 1, i % 9 + 1);
    QCOMPARE(g.sv0_cand(b, k), kTwenty[i] == '.' ? kAllCands : kNoCands);
    QCOMPARE(g.tgs_cand(i % 9 + 1, i / 9 + 1), g.gs_cand(b, k));
  }
  // Nothing on the board answers, and the input cannot finish twice.
  const Grid before = g;
  press(cell_at(w, 1, 1));
  press(cell_at(w, 1, 3));
  QVERIFY(!drag_digit(w, 1, cell_at(w, 1, 3)));
  press(button(w, "btninput"));
  item(w, "mnuconf")->trigger();
  QVERIFY(g.gs_cand == before.gs_cand && g.gs_val == before.gs_val && g.sv0_val == before.sv0_val);
  QVERIFY(h.said.log.isEmpty());
  QCOMPARE(tiles(w), expected_tiles(kTwenty, "R"));
}

void JourneysTest::solveReturnAndSolveAgain() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  paste(w, QString::fromStdString(kPuzzle));
  press(button(w, "btninput"));
  item(w, "mnuippatu")->trigger();
  const std::string answer = digits(w);
  const Puzzle givens = *parse_puzzle(kPuzzle);
  QVERIFY(tesura::testing::is_completion_of(board_digits(w.grid()), givens));
  QCOMPARE(answer, puzzle_text(tesura::testing::run_solve(givens).answer));
  QVERIFY(h.said.log.isEmpty());
  QCOMPARE(tiles(w), expected_tiles(kPuzzle, "R", answer));
  QCOMPARE(state_mismatches(w, State::answered), QString());
  press(button(w, "btnans"));  // not twice on one input
  QCOMPARE(digits(w), answer);

  item(w, "mnusaisyo")->trigger();
  QCOMPARE(digits(w), kPuzzle);
  QCOMPARE(tiles(w), expected_tiles(kPuzzle, "G"));
  QCOMPARE(state_mismatches(w, State::input), QString());
  // Finished again at once, the same puzzle passes and solves the same way.
  press(button(w, "btninput"));
  QCOMPARE(tiles(w), expected_tiles(kPuzzle, "R"));
  press(button(w, "btnans"));
  QCOMPARE(digits(w), answer);
  // Back again, a given is an ordinary digit to change.
  item(w, "mnusaisyo")->trigger();
  press(cell_at(w, 1, 3));
  QCOMPARE(cell_at(w, 1, 3)->picture_name(), "G004.bmp");
  QVERIFY(h.said.log.isEmpty());
}

void JourneysTest::unsolvableComesBackAsEntered() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  bool still_solving = false;  // the message comes before the board is put back
  h.said.while_open = [&] { still_solving = button(w, "btnans")->isEnabled(); };
  paste(w, QString::fromStdString(kUnsolvable));
  press(button(w, "btninput"));
  press(button(w, "btnans"));
  QCOMPARE(h.said.log, QStringList{"Tesura: これは解くことができない問題です"});
  QVERIFY(still_solving);

  // As entered: ordinary digit tiles, entry encoding, views in step.
  QCOMPARE(digits(w), kUnsolvable);
  QCOMPARE(tiles(w), expected_tiles(kUnsolvable, "G"));
  for (int r = 1; r <= 9; ++r)
    for (int c = 1; c <= 9; ++c) {
      const auto [b, k] = block_of(r, c);
      const char ch = kUnsolvable[(r - 1) * 9 + c - 1];
      QCOMPARE(w.grid().gs_cand(b, k), ch == '.' ? kAllCands : cands_of(ch - '0'));
      QCOMPARE(w.grid().ygs_cand(r, c), w.grid().gs_cand(b, k));
      QCOMPARE(w.grid().tgs_val(c, r), w.grid().gs_val(b, k));
    }
  QCOMPARE(state_mismatches(w, State::input), QString());
  press(cell_at(w, 1, 1));  // editable: 4 becomes 5, and it is accepted again
  press(button(w, "btninput"));
  QCOMPARE(state_mismatches(w, State::ready), QString());
}

void JourneysTest::selfSolveMode() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  paste(w, QString::fromStdString(kTwenty));
  press(button(w, "btninput"));
  item(w, "mnujirikistart")->trigger();
  QCOMPARE(state_mismatches(w, State::self_solve), QString());

  // A given ignores presses and drops.
  press(cell_at(w, 1, 1));
  press(cell_at(w, 1, 1), Qt::RightButton);
  QVERIFY(!drag_digit(w, 2, cell_at(w, 1, 1)));
  QCOMPARE(cell_at(w, 1, 1)->picture_name(), "R005.bmp");
  QCOMPARE(w.grid().gs_cand(1, 1), kNoCands);

  // Open cells work as during entry and are not checked: a second 5 in row 1.
  press(cell_at(w, 1, 3));
  QCOMPARE(cell_at(w, 1, 3)->picture_name(), "G001.bmp");
  QVERIFY(drag_digit(w, 5, cell_at(w, 1, 3)));
  press(cell_at(w, 9, 9));
  press(cell_at(w, 9, 9), Qt::RightButton);  // back to blank: still open
  QCOMPARE(w.grid().gs_cand(9, 9), kAllCands);
  QCOMPARE(state_mismatches(w, State::self_solve), QString());
  press(button(w, "btnrestart"));  // out of reach
  QCOMPARE(digits(w)[2], '5');
  QVERIFY(h.said.log.isEmpty());

  item(w, "mnujirikiend")->trigger();
  QCOMPARE(digits(w), std::string(81, '.'));
  QCOMPARE(tiles(w), expected_tiles(std::string(81, '.'), "R"));
  QCOMPARE(state_mismatches(w, State::input), QString());
}

void JourneysTest::versionBoxThenSound() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  h.said.while_open = [&h] { QCOMPARE(h.said.log.size(), 1); };  // no sound yet
  paste(w, QString::fromStdString(kTwenty));
  for (State state : {State::input, State::ready}) {
    if (state == State::ready) press(button(w, "btninput"));
    h.said.log.clear();
    const QString shown = tiles(w);
    item(w, "mnuver")->trigger();
    QCOMPARE(h.said.log.size(), 2);
    QVERIFY2(h.said.log[0].startsWith("バージョン情報:    Tesura  Ver.  2.2.20\r\r\n"),
             qPrintable(h.said.log[0]));
    QVERIFY(h.said.log[0].size() > 40);
    QVERIFY2(h.said.log[1].startsWith("sound: /") && h.said.log[1].endsWith("/notify.wav"),
             qPrintable(h.said.log[1]));
    QCOMPARE(tiles(w), shown);
    QCOMPARE(state_mismatches(w, state), QString());
  }
}

QTEST_MAIN(JourneysTest)
#include "journeys_test.moc"
