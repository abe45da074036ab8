// SPDX-License-Identifier: MIT
// One journey per road through the window, by mouse, keyboard and clipboard:
// start-up, entry, refusal and acceptance, a solved and an unsolvable
// puzzle, the return to the first problem, self-solve mode and the version
// box; what a screen reader is told on the way; and the real message box
// and sound layer that the journeys replace.
#include <QAccessible>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryFile>

#include "model/texts.h"
#include "ui/version_text.h"
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
const std::string kBlank(81, '.');

std::string with(std::string s, int row, int col, char digit) {
  s[(row - 1) * 9 + col - 1] = digit;
  return s;
}
QString focused() {
  return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "none";
}
// Whether the focused control w shows the focus mark: it looks different
// without the focus.
bool marked(QWidget* w) {
  const QImage focused = w->grab().toImage();
  w->clearFocus();
  const bool differs = w->grab().toImage() != focused;
  w->setFocus();
  return differs;
}
QStringList messages;
void record(QtMsgType, const QMessageLogContext&, const QString& text) {
  messages << text;
}
// Whether w is drawn as its picture is, neither greyed nor marked.
bool as_picture(PictureBox* w) {
  auto rgb = [](const QPixmap& p) { return p.toImage().convertToFormat(QImage::Format_RGB32); };
  return rgb(w->grab()) == rgb(w->picture());
}
// The threads of this process, as the kernel lists them.
qsizetype threads() {
  return QDir(QStringLiteral("/proc/self/task"))
      .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
      .size();
}
// Name, role and disabled state, as a screen reader reads them.
QString spoken(QObject* o) {
  const QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
  const QMap<int, QString> roles = {{QAccessible::Cell, "cell"},
                                    {QAccessible::Graphic, "image"},
                                    {QAccessible::PushButton, "button"}};
  return a->text(QAccessible::Name) + "|" + roles.value(a->role(), "?") +
         (a->state().disabled ? "|off" : "");
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT
  std::unique_ptr<Harness> h;
 private slots:
  void init() {
    h = std::make_unique<Harness>();
    QVERIFY(h->ready);
  }
  void cleanup() { h.reset(); }

  void startUpLayoutAndCentring() {
    Form1& w = h->window;
    QCOMPARE(w.windowTitle(), "Tesura");
    QCOMPARE(w.centralWidget()->geometry(), QRect(0, w.menuBar()->height(), 250, 319));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    // 26 pixels apart within a block, 28 from one block to the next.
    auto at = [](int line) { return 7 + (line - 1) * 26 + (line - 1) / 3 * 2; };
    for (int i = 0; i < 81; ++i)
      QCOMPARE(cell_at(w, i / 9 + 1, i % 9 + 1)->geometry(),
               QRect(at(i % 9 + 1), at(i / 9 + 1), 25, 25));
    QCOMPARE(w.palette_tile(9)->geometry(), QRect(219, 260, 25, 25));
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
    QCOMPARE(tiles(w), expected_tiles(kBlank, "R"));
    QCOMPARE(state_mismatches(w, State::input), QString());
    QCOMPARE(h->warnings.str(), "");
    QVERIFY(QApplication::focusWidget() && !marked(QApplication::focusWidget()));
    QString said;
    for (QObject* o : QList<QObject*>{cell_at(w, 3, 7), w.palette_tile(4), button(w, "btninput"),
                                      button(w, "btnans"), button(w, "btnrestart")})
      said += spoken(o) + " ";
    QCOMPARE(said, "3行7列 空白|cell 4|image 入力終了|button 一発解答|button|off 再入力|button ");

    // Centred once; a reset leaves the window where the user put it.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY((w.frameGeometry().center() - screen.center()).manhattanLength() <= 2);
    w.move(20, 30);
    const QPoint moved = w.pos();
    press(cell_at(w, 5, 5));
    item(w, "mnureset")->trigger();
    QCOMPARE(digits(w), kBlank);
    press(cell_at(w, 5, 5));
    press(button(w, "btnrestart"));
    QCOMPARE(w.pos(), moved);
    QCOMPARE(digits(w), kBlank);
  }

  void entryByPressesAndDrops() {
    Form1& w = h->window;
    const Grid& g = w.grid();
    BoardCell* c = cell_at(w, 2, 2);  // block 1, cell 5
    // Up with left and middle, down with right, through the blank both ways.
    const std::pair<Qt::MouseButton, int> steps[] = {{Qt::LeftButton, 1},  {Qt::MiddleButton, 2},
                                                     {Qt::RightButton, 1}, {Qt::RightButton, 0},
                                                     {Qt::RightButton, 9}, {Qt::LeftButton, 0}};
    for (const auto& [b, v] : steps) {
      press(c, b);
      QCOMPARE(g.gs_val(1, 5), Digit(v));
      QCOMPARE(c->picture_name(), QString("G00%1.bmp").arg(v));
    }
    // A drop over a digit puts the tile's picture and digit in its place.
    c = w.findChild<BoardCell*>("pnl3_4");  // row 2, column 7
    press(c);
    QVERIFY(drag_digit(w, 7, c));
    QVERIFY(!marked(QApplication::focusWidget()));  // the mouse's user sees no mark
    QCOMPARE(c->picture().toImage(), w.palette_tile(7)->picture().toImage());
    QCOMPARE(spoken(c), "2行7列 7|cell");
    QVERIFY(drag_digit(w, 2, c));
    press(c);  // steps from the dropped digit
    QCOMPARE(g.gs_val(3, 4), Digit{3});

    // Drops not from this window's palette change nothing: a file, text, a
    // forged digit and a tile of another window.
    QMimeData file, text, forged;
    file.setUrls({QUrl::fromLocalFile("/tmp/G005.bmp")});
    text.setText("5");
    forged.setData(kDigitMimeType, "5");
    Harness other;
    std::unique_ptr<QMimeData> elsewhere(other.window.palette_tile(5)->drag_data());
    for (QMimeData* data : {&file, &text, &forged, elsewhere.get()}) QVERIFY(!offer_drop(c, data));
    QCOMPARE(g.gs_val(3, 4), Digit{3});
    QCOMPARE(c->picture_name(), "G003.bmp");
  }

  void entryByKeys() {
    Form1& w = h->window;
    BoardCell* c = cell_at(w, 1, 1);
    c->setFocus();
    QVERIFY(c->hasFocus() && !marked(c));  // no mark before a key
    c->clearFocus();
    QTest::keyClick(&w, Qt::Key_Tab);  // from nowhere to the board
    QVERIFY(c->hasFocus() && marked(c));
    keys({Qt::Key_5});  // a drop of tile 5, and on to the next cell
    keys({Qt::Key_Right, Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Down, Qt::Key_9,
          Qt::Key_7, Qt::Key_Delete, Qt::Key_Backspace});
    QCOMPARE(digits(w).substr(0, 12), "5.1........9");
    QCOMPARE(tiles(w).left(24), "P5. G1. . . . . . . . P9");
    QCOMPARE(w.grid().gs_cand(2, 4), kAllCands);  // row 2, column 4: blanked as a press does

    // Tab: the board, the palette, each enabled button, back where the board was.
    QStringList order;
    for (int i = 0; i < 5; ++i) {
      keys({Qt::Key_Tab});
      order << focused();
      if (i == 0) keys({Qt::Key_Right, Qt::Key_Right});
    }
    QCOMPARE(order.join(' '), "pnl0_1 btninput btnrestart pnl2_4 pnl0_3");
    keys({Qt::Key_Tab}, Qt::ShiftModifier);
    QCOMPARE(focused(), "pnl2_4");
    keys({Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space});  // too few digits
    keys({Qt::Key_Tab, Qt::Key_Return});
    QCOMPARE(h->said.log, QStringList{"Tesura: 入力個所が少な過ぎます"});
    QCOMPARE(digits(w), kBlank);  // restarted
  }

  void pasteAndCopy() {
    Form1& w = h->window;
    std::string odd = kPuzzle;  // every kind of blank
    odd[0] = '0', odd[1] = '_', odd[3] = '*', odd[5] = '-';
    for (const std::string& junk :
         {std::string("hello"), odd.substr(0, 80), odd + "x", with(odd, 1, 3, 'x')})
      paste(w, junk);
    QCOMPARE(digits(w), kBlank);
    paste(w, std::string(" \t") + odd + " # hardest\n" + std::string(81, '1'));
    QCOMPARE(digits(w), kPuzzle);
    QCOMPARE(tiles(w), expected_tiles(kPuzzle, "P"));
    QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), kPuzzle);
    // Over a board with digits: the blanks are pressed to the blank.
    paste(w, with(kBlank, 1, 1, '4') + ",solution");
    QCOMPARE(digits(w), with(kBlank, 1, 1, '4'));
    QCOMPARE(tiles(w), expected_tiles(digits(w), "P"));
    QCOMPARE(w.grid().gs_cand(1, 3), kAllCands);
  }

  void refusalsThenAcceptance() {
    Form1& w = h->window;
    const std::pair<std::string, const char*> refusals[] = {
        {with(with(kTwenty, 5, 4, '.'), 1, 2, '5'), "入力個所が少な過ぎます"},  // 19, a repeat
        {with(kTwenty, 9, 1, '5'), "入力数値にミスがあります"},                 // in a column only
    };
    for (const auto& [puzzle, message] : refusals) {
      paste(w, puzzle);
      const QString shown = tiles(w);
      item(w, "mnuconf")->trigger();
      QCOMPARE(h->said.log.takeFirst(), QString("Tesura: ") + message);
      QCOMPARE(digits(w), puzzle);
      QCOMPARE(tiles(w), shown);
      QCOMPARE(state_mismatches(w, State::input), QString());
    }
    for (int n = 0; n < 5; ++n) press(cell_at(w, 9, 1), Qt::RightButton);  // still editable
    QCOMPARE(digits(w), kTwenty);
    cell_at(w, 9, 9)->setFocus();
    keys({Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space});  // 入力終了 by keyboard

    QVERIFY(h->said.log.isEmpty());
    QCOMPARE(tiles(w), expected_tiles(kTwenty, "R"));
    QCOMPARE(state_mismatches(w, State::ready), QString());
    // Locked givens stay as readable as ever; the locked palette is greyed.
    QVERIFY(as_picture(cell_at(w, 1, 1)) && !as_picture(w.palette_tile(1)));
    QCOMPARE(spoken(cell_at(w, 1, 1)) + " " + spoken(cell_at(w, 1, 3)),
             "1行1列 5 問題の数字|cell|off 1行3列 空白|cell|off");
    const Grid& g = w.grid();
    // Keys and paste reach nothing on the locked board; the focus goes round
    // the two commands left.
    QCOMPARE(focused(), "btnans");
    keys({Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab});
    QCOMPARE(focused(), "btnrestart");
    const Grid before = g;
    cell_at(w, 1, 3)->setFocus();
    QTest::keyClick(cell_at(w, 1, 3), Qt::Key_4);
    paste(w, kPuzzle);
    QVERIFY(g.gs_cand == before.gs_cand && g.gs_val == before.gs_val);
    QVERIFY(h->said.log.isEmpty());
  }

  void solveReturnAndSolveAgain() {
    Form1& w = h->window;
    const qsizetype before = threads();
    paste(w, kPuzzle);
    press(button(w, "btninput"));
    QVERIFY(!marked(QApplication::focusWidget()));  // the mouse's user sees no mark
    item(w, "mnuippatu")->trigger();
    // The solve and the repaints of the cells over the backdrop run on this
    // thread alone: every other thread reserves address space of its own.
    QCoreApplication::processEvents();
    QCOMPARE(threads(), before);
    const std::string answer = digits(w);
    QCOMPARE(answer, puzzle_text(tesura::testing::run_solve(*parse_puzzle(kPuzzle)).answer));
    QVERIFY(answer.find('.') == std::string::npos);
    QCOMPARE(tiles(w), expected_tiles(kPuzzle, "R", answer));
    QCOMPARE(state_mismatches(w, State::answered), QString());
    QCOMPARE(spoken(cell_at(w, 1, 1)), QString("1行1列 %1|cell|off").arg(answer[0]));
    QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier);  // copied as shown
    QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), answer);

    item(w, "mnusaisyo")->trigger();
    QCOMPARE(digits(w), kPuzzle);
    QCOMPARE(tiles(w), expected_tiles(kPuzzle, "G"));
    QCOMPARE(state_mismatches(w, State::input), QString());
    // Finished again at once, the same puzzle passes and solves the same way.
    press(button(w, "btninput"));
    QCOMPARE(tiles(w), expected_tiles(kPuzzle, "R"));
    press(button(w, "btnans"));
    QCOMPARE(digits(w), answer);
    QVERIFY(h->said.log.isEmpty());
  }

  void unsolvableComesBackAsEntered() {
    Form1& w = h->window;
    bool still_solving = false;  // the message comes before the board is put back
    h->said.while_open = [&] { still_solving = button(w, "btnans")->isEnabled(); };
    paste(w, kUnsolvable);
    press(button(w, "btninput"));
    press(button(w, "btnans"));
    QCOMPARE(h->said.log, QStringList{"Tesura: これは解くことができない問題です"});
    QVERIFY(still_solving);
    // As entered, in ordinary digit tiles, and accepted again as it stands.
    QCOMPARE(digits(w), kUnsolvable);
    QCOMPARE(tiles(w), expected_tiles(kUnsolvable, "G"));
    QCOMPARE(state_mismatches(w, State::input), QString());
    press(button(w, "btninput"));
    QCOMPARE(tiles(w), expected_tiles(kUnsolvable, "R"));
    QCOMPARE(state_mismatches(w, State::ready), QString());
  }

  void selfSolveModeAndVersionBox() {
    Form1& w = h->window;
    paste(w, kTwenty);
    press(button(w, "btninput"));
    item(w, "mnujirikistart")->trigger();
    QCOMPARE(state_mismatches(w, State::self_solve), QString());
    // A given ignores presses and drops.
    press(cell_at(w, 1, 1));
    press(cell_at(w, 1, 1), Qt::RightButton);
    QVERIFY(!drag_digit(w, 2, cell_at(w, 1, 1)));
    QCOMPARE(cell_at(w, 1, 1)->picture_name(), "R005.bmp");
    // Open cells work as during entry and are not checked: a second 5 in row 1.
    press(cell_at(w, 1, 3));
    QCOMPARE(cell_at(w, 1, 3)->picture_name(), "G001.bmp");
    QVERIFY(drag_digit(w, 5, cell_at(w, 1, 3)));
    // Keys too, on the open cells only: the arrows and typing pass over the givens.
    cell_at(w, 1, 4)->setFocus();
    keys({Qt::Key_Right, Qt::Key_4, Qt::Key_Down, Qt::Key_Minus});
    QCOMPARE(focused(), "pnl3_4");  // row 2, column 7
    paste(w, kPuzzle);
    press(button(w, "btnrestart"));  // out of reach
    QCOMPARE(digits(w), with(with(with(kTwenty, 1, 3, '5'), 1, 6, '4'), 2, 7, '9'));
    QCOMPARE(state_mismatches(w, State::self_solve), QString());

    // The version box, then its sound, changes nothing.
    h->said.while_open = [this] { QCOMPARE(h->said.log.size(), 1); };  // no sound yet
    const QString shown = tiles(w);
    item(w, "mnuver")->trigger();
    QCOMPARE(h->said.log.size(), 2);
    QVERIFY2(h->said.log[0].startsWith("バージョン情報:    Tesura  Ver.  2.2.20\r\r\n"),
             qPrintable(h->said.log[0]));
    QVERIFY2(h->said.log[1].startsWith("sound: /") && h->said.log[1].endsWith("/notify.wav"),
             qPrintable(h->said.log[1]));
    QCOMPARE(tiles(w), shown);
    QCOMPARE(state_mismatches(w, State::self_solve), QString());

    item(w, "mnujirikiend")->trigger();
    QCOMPARE(digits(w), kBlank);
    QCOMPARE(tiles(w), expected_tiles(kBlank, "R"));
    QCOMPARE(state_mismatches(w, State::input), QString());
  }

  void realMessageBoxIsOkOnlyWithoutIcons() {
    QString seen;
    // Reads the box once it is up, then closes it as a user would.
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      poll.stop();
      QAbstractButton* ok = box->button(QMessageBox::Ok);
      seen = box->windowTitle() +
             QString("|%1|%2|%3|")
                 .arg(box->icon())
                 .arg(box->buttons().size())
                 .arg(ok->icon().isNull()) +
             box->text();
      ok->click();
    });
    poll.start(0);
    QtDialogs().show_message(nullptr, version_box_text(), QString::fromUtf8(texts::kVersion));
    // The CR CR LF after the version line is one line break on screen.
    QVERIFY2(seen.startsWith("バージョン情報|0|1|1|   Tesura  Ver.  2.2.20\n"), qPrintable(seen));
    QVERIFY(!seen.contains('\r'));
  }

  void realSoundIsSilentWhenItCannotPlay() {
    QTemporaryFile junk("XXXXXX.wav");
    QVERIFY(junk.open() && junk.write("RIFF....WAVEjunk") > 0);
    junk.close();
    messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(record);
    QtSoundPlayer player;
    player.play_and_wait("/nonexistent/notify.wav");
    player.play_and_wait(junk.fileName());
    qInstallMessageHandler(previous);
    QCOMPARE(messages.join('|'), QString());
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
