// Journeys through the window up to a fixed puzzle: start-up, entry by
// presses and drops, refused and accepted input, self-solve mode and the
// version box.
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <memory>

#include "window_harness.h"

using namespace tesura;
using namespace tesura::ui;
using namespace tesura::ui::testing;

namespace {

// 20 givens, no repeat in any unit.
constexpr std::string_view kTwenty =
    "53..7...."
    "6..195..."
    ".98....6."
    "8...6...3"
    "4..8.3..1"
    "7...2...6"
    "........."
    "........."
    ".........";

std::string with_cell(std::string_view puzzle, int row, int col, char digit) {
  std::string s(puzzle);
  s[(row - 1) * 9 + (col - 1)] = digit;
  return s;
}

}  // namespace

class EntryTest : public QObject {
  Q_OBJECT
 private slots:
  void startUpLayoutAndCentring();
  void entryByPressesAndDrops();
  void foreignDropsAreRefused();
  void refusalsLeaveTheEntryEditable();
  void acceptanceLocksTheBoard();
  void selfSolveMode();
  void versionBoxThenSound();
};

void EntryTest::startUpLayoutAndCentring() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  QCOMPARE(w.windowTitle(), QStringLiteral("Tesura"));
  QVERIFY(!w.windowIcon().isNull());

  // The client area below the menu bar, and the controls on it.
  QWidget* client = w.centralWidget();
  QCOMPARE(client->geometry(), QRect(0, w.menuBar()->geometry().bottom() + 1, 250, 319));
  QCOMPARE(w.size(), QSize(250, w.menuBar()->height() + 319));
  QCOMPARE(w.minimumSize(), w.maximumSize());
  QCOMPARE(cell_at(w, 1, 1)->geometry(), QRect(7, 7, 25, 25));
  QCOMPARE(w.findChild<BoardCell*>("pnl3_7")->geometry(), QRect(167, 59, 25, 25));
  QCOMPARE(cell_at(w, 4, 4)->geometry(), QRect(87, 87, 25, 25));
  QCOMPARE(cell_at(w, 9, 9)->geometry(), QRect(219, 219, 25, 25));
  QCOMPARE(cell_at(w, 9, 1)->objectName(), QStringLiteral("pnl7_7"));
  QCOMPARE(palette(w, 1)->geometry(), QRect(7, 260, 25, 25));
  QCOMPARE(palette(w, 9)->geometry(), QRect(219, 260, 25, 25));
  QCOMPARE(button(w, "btninput")->geometry(), QRect(0, 292, 75, 27));
  QCOMPARE(button(w, "btnans")->geometry(), QRect(75, 292, 100, 27));
  QCOMPARE(button(w, "btnrestart")->geometry(), QRect(175, 292, 75, 27));
  QCOMPARE(w.findChild<QWidget*>("Line1")->geometry(), QRect(0, 251, 250, 1));

  // Menus in order, separators included; no shortcut keys.
  QStringList bar;
  for (QAction* a : w.menuBar()->actions()) bar << a->menu()->objectName() + "=" + a->text();
  QCOMPARE(bar, QStringList({"mnufile=ファイル(&F)", "mnuprog=問題(&I)", "mnuhelp=ヘルプ(&H)"}));
  QStringList items;
  for (const char* menu : {"mnufile", "mnuprog", "mnuhelp"})
    for (QAction* a : w.findChild<QMenu*>(menu)->actions()) {
      items << a->objectName() + "=" + (a->isSeparator() ? QStringLiteral("-") : a->text());
      QVERIFY(a->shortcut().isEmpty());
    }
  QCOMPARE(items, QStringList({"mnuend=終了(&E)", "mnuconf=入力終了", "mnuippatu=一発解答",
                               "mnureset=再入力", "mnuline1=-", "mnujirikistart=自力解答モード開始",
                               "mnujirikiend=自力解答モード終了", "mnuline2=-",
                               "mnusaisyo=最初の問題に戻る", "mnuver=バージョン情報"}));

  // Empty board in the input state, every tile read from its file.
  QCOMPARE(shown_tiles(w), expected_tiles(std::string(81, '.'), ""));
  QCOMPARE(state_mismatches(w, State::input), QString());
  QCOMPARE(h.warnings.str(), std::string());
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) {
      QCOMPARE(w.grid().gs_cand(b, k), kAllCands);
      QCOMPARE(w.grid().ygs_cand(b, k), kAllCands);
      QCOMPARE(w.grid().tgs_val(b, k), Digit{0});
    }

  // Centred once on the primary screen; a reset leaves the window alone.
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  QVERIFY(qAbs(w.frameGeometry().center().x() - screen.center().x()) <= 1);
  QVERIFY(qAbs(w.frameGeometry().center().y() - screen.center().y()) <= 1);
  w.move(20, 30);
  const QPoint moved = w.pos();
  press(cell_at(w, 5, 5));
  press(button(w, "btnrestart"));
  QCOMPARE(w.pos(), moved);
  QCOMPARE(board_digits_text(w), std::string(81, '.'));
  menu_item(w, "mnureset")->trigger();
  QCOMPARE(w.pos(), moved);
}

void EntryTest::entryByPressesAndDrops() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  const Grid& g = w.grid();
  BoardCell* c = cell_at(w, 2, 2);  // block 1, cell 5

  press(c);
  QCOMPARE(c->picture_name(), QStringLiteral("G001.bmp"));
  QCOMPARE(g.gs_cand(1, 5), cands_of(1));
  QCOMPARE(g.gs_val(1, 5), Digit{1});
  press(c, Qt::MiddleButton);
  QCOMPARE(c->picture_name(), QStringLiteral("G002.bmp"));
  QCOMPARE(g.gs_val(1, 5), Digit{2});
  press(c, Qt::RightButton);
  press(c, Qt::RightButton);
  QCOMPARE(c->picture_name(), QStringLiteral("G000.bmp"));
  QCOMPARE(g.gs_cand(1, 5), kAllCands);
  QCOMPARE(g.gs_val(1, 5), Digit{0});
  press(c, Qt::RightButton);  // down through the blank
  QCOMPARE(c->picture_name(), QStringLiteral("G009.bmp"));
  QCOMPARE(g.gs_val(1, 5), Digit{9});
  press(c);  // 9 up to blank
  QCOMPARE(c->picture_name(), QStringLiteral("G000.bmp"));
  QCOMPARE(g.gs_cand(1, 5), kAllCands);

  // The palette knows the tile under the pointer without a button held.
  QTest::mouseMove(palette(w, 4), QPoint(5, 5));
  QTest::mouseMove(palette(w, 4), QPoint(8, 8));
  QCOMPARE(w.current_drag_num(), Digit{4});

  // Drops: a drop over a digit replaces it with the tile's picture.
  BoardCell* d = w.findChild<BoardCell*>("pnl3_4");  // row 2, column 7
  press(d);
  press(d);
  press(d);
  QCOMPARE(g.gs_val(3, 4), Digit{3});
  QVERIFY(drag_digit(w, 7, d));
  QCOMPARE(w.current_drag_num(), Digit{7});
  QCOMPARE(d->picture_name(), QStringLiteral("pnl0_7"));
  QCOMPARE(d->picture().toImage(), palette(w, 7)->picture().toImage());
  QCOMPARE(g.gs_cand(3, 4), cands_of(7));
  QCOMPARE(g.gs_val(3, 4), Digit{7});
  QVERIFY(drag_digit(w, 2, d));
  QCOMPARE(g.gs_val(3, 4), Digit{2});
  QCOMPARE(d->picture_name(), QStringLiteral("pnl0_2"));
  press(d);  // a press steps from the dropped digit
  QCOMPARE(g.gs_val(3, 4), Digit{3});
  QCOMPARE(d->picture_name(), QStringLiteral("G003.bmp"));

  // Entry writes the block view only; the other views follow at input finished.
  QCOMPARE(g.ygs_cand(2, 7), kAllCands);
  QCOMPARE(g.tgs_val(7, 2), Digit{0});
  QCOMPARE(state_mismatches(w, State::input), QString());
}

void EntryTest::foreignDropsAreRefused() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  BoardCell* c = cell_at(w, 5, 5);
  QVERIFY(drag_digit(w, 6, c));
  const Grid before = w.grid();

  // A file, some text, a forged digit, and a tile of another window.
  QMimeData file;
  file.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/x.bmp"))});
  QMimeData text;
  text.setText(QStringLiteral("3"));
  QMimeData forged;
  forged.setData(QString::fromLatin1(kDigitMimeType), "3");
  Harness other;
  std::unique_ptr<QMimeData> elsewhere(palette(other.window, 3)->drag_data());
  const QMimeData* offers[] = {&file, &text, &forged, elsewhere.get()};
  for (const QMimeData* data : offers) {
    QVERIFY(!offer_drop(c, data));
    QCOMPARE(c->picture_name(), QStringLiteral("pnl0_6"));
  }
  QVERIFY(w.grid().gs_cand == before.gs_cand);
  QVERIFY(w.grid().gs_val == before.gs_val);
}

void EntryTest::refusalsLeaveTheEntryEditable() {
  struct Case {
    const char* what;
    std::string puzzle;
    const char* message;
  };
  const std::string nineteen = with_cell(kTwenty, 5, 4, '.');
  const std::vector<Case> cases = {
      {"19 digits", nineteen, "入力個所が少な過ぎます"},
      // The repeat test does not run on too few digits.
      {"19 digits with a repeat", with_cell(nineteen, 1, 2, '5'), "入力個所が少な過ぎます"},
      {"row, different blocks", with_cell(kTwenty, 1, 9, '5'), "入力数値にミスがあります"},
      {"column only", with_cell(kTwenty, 9, 1, '5'), "入力数値にミスがあります"},
      {"block only", with_cell(kTwenty, 3, 2, '5'), "入力数値にミスがあります"},
  };
  for (const Case& cs : cases) {
    Harness h;
    QVERIFY(h.ready);
    Form1& w = h.window;
    enter_by_presses(w, cs.puzzle);
    const auto tiles = shown_tiles(w);
    const Grid before = w.grid();
    if (std::string_view(cs.what) == "column only")
      menu_item(w, "mnuconf")->trigger();
    else
      press(button(w, "btninput"));
    QCOMPARE(h.dialogs.boxes.size(), size_t{1});
    QCOMPARE(h.dialogs.boxes[0].text, QString::fromUtf8(cs.message));
    QCOMPARE(h.dialogs.boxes[0].caption, QStringLiteral("Tesura"));
    QCOMPARE(w.grid().gs_cand, before.gs_cand);
    QCOMPARE(w.grid().gs_val, before.gs_val);
    QCOMPARE(w.grid().conflict_flag, Digit{0});
    QCOMPARE(shown_tiles(w), tiles);
    QCOMPARE(state_mismatches(w, State::input), QString());
    // Still editable: fix the entry by blanking one cell.
    BoardCell* c = cell_at(w, 1, 1);
    press(c, Qt::RightButton);
    QCOMPARE(w.grid().gs_val(1, 1), Digit{4});
  }
}

void EntryTest::acceptanceLocksTheBoard() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  // Half by presses, the rest by drops.
  enter_by_presses(w, std::string(kTwenty.substr(0, 36)) + std::string(45, '.'));
  for (int i = 36; i < 81; ++i)
    if (kTwenty[i] != '.')
      QVERIFY(drag_digit(w, kTwenty[i] - '0', cell_at(w, i / 9 + 1, i % 9 + 1)));
  press(button(w, "btninput"));

  QVERIFY(h.dialogs.boxes.empty());
  QCOMPARE(shown_tiles(w), expected_tiles(kTwenty, ""));
  QCOMPARE(state_mismatches(w, State::ready), QString());
  const Grid& g = w.grid();
  for (int i = 0; i < 81; ++i) {
    const auto [b, k] = block_of(i / 9 + 1, i % 9 + 1);
    const bool given = kTwenty[i] != '.';
    QCOMPARE(g.sv0_cand(b, k), given ? kNoCands : kAllCands);
    QCOMPARE(g.sv0_val(b, k), Digit(given ? kTwenty[i] - '0' : 0));
    QCOMPARE(g.ygs_cand(i / 9 + 1, i % 9 + 1), g.gs_cand(b, k));
  }

  // Nothing on the board answers any more, and input cannot finish twice.
  const Grid before = g;
  press(cell_at(w, 1, 1));
  press(cell_at(w, 1, 3));
  QVERIFY(
      !offer_drop(cell_at(w, 1, 3), std::unique_ptr<QMimeData>(palette(w, 1)->drag_data()).get()));
  press(button(w, "btninput"));
  menu_item(w, "mnuconf")->trigger();
  QCOMPARE(g.gs_cand, before.gs_cand);
  QCOMPARE(g.gs_val, before.gs_val);
  QCOMPARE(g.sv0_cand, before.sv0_cand);
  QVERIFY(h.dialogs.boxes.empty());
  QCOMPARE(shown_tiles(w), expected_tiles(kTwenty, ""));
}

void EntryTest::selfSolveMode() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  enter_by_presses(w, kTwenty);
  press(button(w, "btninput"));
  menu_item(w, "mnujirikistart")->trigger();
  QCOMPARE(state_mismatches(w, State::self_solve), QString());

  // A given ignores presses and drops.
  BoardCell* given = cell_at(w, 1, 1);
  press(given);
  press(given, Qt::RightButton);
  QVERIFY(!drag_digit(w, 2, given));
  QCOMPARE(given->picture_name(), QStringLiteral("R005.bmp"));
  QCOMPARE(w.grid().gs_cand(1, 1), kNoCands);
  QCOMPARE(w.grid().gs_val(1, 1), Digit{5});

  // Open cells work as during entry, unchecked: a repeat of the 5 in row 1.
  BoardCell* open = cell_at(w, 1, 3);
  press(open);
  QCOMPARE(open->picture_name(), QStringLiteral("G001.bmp"));
  QVERIFY(drag_digit(w, 5, open));
  QCOMPARE(w.grid().gs_val(1, 3), Digit{5});
  QVERIFY(h.dialogs.boxes.empty());
  BoardCell* other = cell_at(w, 9, 9);
  press(other);
  press(other, Qt::RightButton);  // back to blank: open again, still usable
  QCOMPARE(w.grid().gs_cand(9, 9), kAllCands);
  QVERIFY(other->isEnabled());
  QCOMPARE(state_mismatches(w, State::self_solve), QString());

  // The restart and the other commands are out of reach.
  press(button(w, "btnrestart"));
  press(button(w, "btnans"));
  QCOMPARE(w.grid().gs_val(1, 3), Digit{5});

  menu_item(w, "mnujirikiend")->trigger();
  QCOMPARE(board_digits_text(w), std::string(81, '.'));
  QCOMPARE(shown_tiles(w), expected_tiles(std::string(81, '.'), ""));
  QCOMPARE(state_mismatches(w, State::input), QString());
}

void EntryTest::versionBoxThenSound() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  // While the box is open, nothing has played yet.
  h.dialogs.while_open = [&h] { QCOMPARE(h.log.size(), size_t{1}); };
  enter_by_presses(w, kTwenty);
  for (State state : {State::input, State::ready}) {
    if (state == State::ready) press(button(w, "btninput"));
    h.log.clear();
    const auto tiles = shown_tiles(w);
    const Grid before = w.grid();
    menu_item(w, "mnuver")->trigger();

    const QString sound = QCoreApplication::applicationDirPath() + "/notify.wav";
    QCOMPARE(h.log.size(), size_t{2});
    QCOMPARE(h.log[1], "sound: " + sound);
    QCOMPARE(w.notification_path(), sound);
    const auto& box = h.dialogs.boxes.back();
    QCOMPARE(box.caption, QStringLiteral("バージョン情報"));
    QVERIFY2(box.text.startsWith(QStringLiteral("   Tesura  Ver.  2.2.20\r\r\n")),
             qPrintable(box.text));
    QVERIFY(box.text.size() > QStringLiteral("   Tesura  Ver.  2.2.20\r\r\n").size());
    QCOMPARE(shown_tiles(w), tiles);
    QCOMPARE(w.grid().gs_cand, before.gs_cand);
    QCOMPARE(state_mismatches(w, state), QString());
  }
}

QTEST_MAIN(EntryTest)
#include "entry_test.moc"
