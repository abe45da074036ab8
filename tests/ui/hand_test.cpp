// SPDX-License-Identifier: MIT
// Solving by hand with help, one journey per addition, all through keys and
// gestures: typing that moves on, undo and redo checked against the model
// after every step, the marks, the board as a table to a screen reader, the
// palette's keys, the announcements, the key help and the version box's
// line breaks.
#include <QAccessible>
#include <QDialog>
#include <QTableWidget>
#include <QTextLayout>

#include "model/texts.h"
#include "ui/announcer.h"
#include "ui/board_panel.h"
#include "ui/version_text.h"
#include "window_harness.h"

using namespace tesura;
using namespace tesura::ui;
using namespace tesura::ui::testing;

namespace {

const std::string kPuzzle =
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";

QString focused() {
  return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "none";
}
QString at(Form1& w, int row, int col) {
  return cell_at(w, row, col)->objectName();
}
void type(const std::string& text) {
  for (char c : text) QTest::keyClicks(QApplication::focusWidget(), QString(QChar(c)));
}
void key(Form1& w, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(&w, k, mods);
}

// Model and screen agree: every cell shows the block view's digit, in the
// entry encoding wherever it is not a given.
QString disagreements(Form1& w) {
  QStringList wrong;
  const Grid& g = w.grid();
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) {
      const Digit v = g.gs_val(b, k);
      const Cands c = g.gs_cand(b, k);
      const bool encoded = c == kNoCands || (v == 0 ? c == kAllCands : c == cands_of(v));
      if (w.cell(b, k)->shown_digit() != v || !encoded) wrong << w.cell(b, k)->objectName();
    }
  return wrong.join(' ');
}

// What the window announced, and on Qt before 6.8 what reached the
// accessibility layer with it: a notification shown afresh under that name.
struct Listener : QObject {
  QStringList heard;
  QStringList shown;
  bool eventFilter(QObject* o, QEvent* e) override {
    const QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
    if (e->type() == QEvent::Show && a->role() == QAccessible::Notification)
      shown << a->text(QAccessible::Name);
    return false;
  }
};

}  // namespace

class HandTest : public QObject {
  Q_OBJECT
  std::unique_ptr<Harness> h;
  std::unique_ptr<Listener> listener;
 private slots:
  void init() {
    h = std::make_unique<Harness>();
    QVERIFY(h->ready);
    listener = std::make_unique<Listener>();
    auto* announcer = h->window.findChild<Announcer*>("announcer");
    connect(announcer, &Announcer::announced, listener.get(),
            [this](const QString& text) { listener->heard << text; });
    announcer->installEventFilter(listener.get());
  }
  void cleanup() {
    h.reset();
    listener.reset();
  }

  void clickThenTypeAPuzzle() {
    Form1& w = h->window;
    press(cell_at(w, 1, 1));  // steps to 1 and takes the focus
    QCOMPARE(focused(), at(w, 1, 1));
    type(kPuzzle);  // 81 characters, '.' a blank: in order, round to the start
    QCOMPARE(digits(w), kPuzzle);
    QCOMPARE(focused(), at(w, 1, 1));
    QCOMPARE(disagreements(w), QString());
    keys({Qt::Key_Backspace});  // back to row 9, column 9, and empty it
    QCOMPARE(focused(), at(w, 9, 9));
    keys({Qt::Key_Backspace, Qt::Key_Backspace});  // row 9, column 7 held the 3
    QCOMPARE(digits(w).substr(72), "..5.1....");
    // The arrows wrap round their row and column; Home, End and with Ctrl.
    const std::pair<QList<int>, std::pair<int, int>> moves[] = {
        {{Qt::Key_Right, Qt::Key_Right, Qt::Key_Right}, {9, 1}},
        {{Qt::Key_Down}, {1, 1}},
        {{Qt::Key_Up, Qt::Key_Left}, {9, 9}},
        {{Qt::Key_Home}, {9, 1}},
        {{Qt::Key_End, Qt::Key_Up}, {8, 9}}};
    for (const auto& [pressed, place] : moves) {
      keys(pressed);
      QCOMPARE(focused(), at(w, place.first, place.second));
    }
    keys({Qt::Key_Home}, Qt::ControlModifier);
    QCOMPARE(focused(), at(w, 1, 1));
    keys({Qt::Key_End}, Qt::ControlModifier);
    QCOMPARE(focused(), at(w, 9, 9));
  }

  void undoAndRedoFollowTheModel() {
    Form1& w = h->window;
    std::vector<std::pair<std::string, QString>> seen = {{digits(w), tiles(w)}};
    auto step = [&](const std::function<void()>& gesture) {
      gesture();
      seen.emplace_back(digits(w), tiles(w));
    };
    step([&] { press(cell_at(w, 1, 1)); });
    step([&] { QVERIFY(drag_digit(w, 7, cell_at(w, 1, 2))); });
    step([&] { type("4"); });  // in row 1, column 1, focused by the press
    step([&] { paste(w, kPuzzle); });
    step([&] { press(cell_at(w, 1, 1), Qt::RightButton); });
    step([&] { press(button(w, "btnrestart")); });  // the wipe
    step([&] { type("9."); });
    std::string nine(81, '.');
    nine[0] = '9';
    QCOMPARE(seen.back().first, nine);
    // Back to the start and forward again, both redo keys.
    for (int i = static_cast<int>(seen.size()) - 2; i >= 0; --i) {
      key(w, Qt::Key_Z, Qt::ControlModifier);
      QCOMPARE(digits(w), seen[i].first);
      QCOMPARE(tiles(w), seen[i].second);
      QCOMPARE(disagreements(w), QString());
      QCOMPARE(state_mismatches(w, State::input), QString());
    }
    for (std::size_t i = 1; i < seen.size(); ++i) {
      if (i % 2)
        key(w, Qt::Key_Y, Qt::ControlModifier);
      else
        key(w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
      QCOMPARE(digits(w), seen[i].first);
      QCOMPARE(tiles(w), seen[i].second);
      QCOMPARE(disagreements(w), QString());
    }

    // Self-solve: its end wipes the board; undo brings back board and mode.
    paste(w, kPuzzle);
    press(button(w, "btninput"));
    QVERIFY(!w.history().canUndo());  // a new history
    item(w, "mnujirikistart")->trigger();
    press(cell_at(w, 1, 1));
    const std::string entered = digits(w);
    const QString shown = tiles(w);
    item(w, "mnujirikiend")->trigger();
    QCOMPARE(state_mismatches(w, State::input), QString());
    key(w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(digits(w), entered);
    QCOMPARE(tiles(w), shown);
    QCOMPARE(state_mismatches(w, State::self_solve), QString());
    key(w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(tiles(w), expected_tiles(kPuzzle, "R"));
    QCOMPARE(disagreements(w), QString());
    key(w, Qt::Key_Y, Qt::ControlModifier);
    key(w, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(digits(w), std::string(81, '.'));
    // A solve starts a new history; undoing 再入力 brings the answer back.
    paste(w, kPuzzle);
    press(button(w, "btninput"));
    press(button(w, "btnans"));
    QVERIFY(!w.history().canUndo());
    const QString solved = tiles(w);
    item(w, "mnureset")->trigger();
    key(w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(tiles(w), solved);
    QCOMPARE(state_mismatches(w, State::answered), QString());
    QVERIFY(!w.history().canUndo());
  }

  void marksOnRequest() {
    Form1& w = h->window;
    paste(w, kPuzzle);
    press(button(w, "btninput"));
    item(w, "mnujirikistart")->trigger();
    cell_at(w, 1, 1)->setFocus();
    type("3");  // a second 3 in row 1 and block 1
    const QImage unmarked = w.centralWidget()->grab().toImage();
    QVERIFY(!cell_at(w, 1, 1)->flagged());  // off at start
    key(w, Qt::Key_M, Qt::ControlModifier);
    QStringList flagged;
    for (BoardCell* c : w.findChildren<BoardCell*>())
      if (c->flagged()) flagged << c->objectName() + ":" + c->accessibleDescription();
    flagged.sort();
    QCOMPARE(flagged.join(' '), "pnl1_1:重複しています pnl1_3:重複しています");
    QVERIFY(w.centralWidget()->grab().toImage() != unmarked);
    // The answer typed in: the repeat goes, the board gets its frame and the
    // screen reader hears of it once.
    cell_at(w, 1, 1)->setFocus();
    listener->heard.clear();
    const std::string answer =
        puzzle_text(tesura::testing::run_solve(*parse_puzzle(kPuzzle)).answer);
    std::string open;
    for (int i = 0; i < 81; ++i)
      if (kPuzzle[i] == '.') open += answer[i];
    type(open);
    QVERIFY(!cell_at(w, 1, 1)->flagged() && w.board()->framed());
    QCOMPARE(listener->heard, QStringList{texts::kCompleted});
    key(w, Qt::Key_M, Qt::ControlModifier);
    QVERIFY(!w.board()->framed());
  }

  void boardIsATableToAScreenReader() {
    Form1& w = h->window;
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(w.board());
    QCOMPARE(board->role(), QAccessible::Table);
    QAccessibleTableInterface* table = board->tableInterface();
    QVERIFY(table && table->rowCount() == 9 && table->columnCount() == 9);
    press(cell_at(w, 3, 7));
    QStringList walked;  // row by row, as a reader walks it
    for (int i = 0; i < 81; ++i) {
      QAccessibleInterface* c = board->child(i);
      QAccessibleTableCellInterface* tc = c->tableCellInterface();
      QCOMPARE(tc->rowIndex() * 9 + tc->columnIndex(), i);
      QCOMPARE(board->indexOfChild(c), i);
      QCOMPARE(c->parent(), board);
      QCOMPARE(table->cellAt(i / 9, i % 9), c);
      walked << c->text(QAccessible::Name);
      if (i == 24)
        walked << tc->rowHeaderCells().first()->text(QAccessible::Name) + "/" +
                      tc->columnHeaderCells().first()->text(QAccessible::Name) + "=" +
                      c->text(QAccessible::Value);
    }
    QCOMPARE(walked.mid(0, 2).join(' '), "1行1列 空白 1行2列 空白");
    QCOMPARE(walked.mid(24, 3).join(' '), "3行7列 1 3行/7列=1 3行8列 空白");
    QVERIFY(QAccessible::queryAccessibleInterface(w.centralWidget())->indexOfChild(board) >= 0);

    // A palette tile's Space or Enter drops its digit where the board's focus last was.
    w.palette_tile(4)->setFocus();
    QTest::keyClick(w.palette_tile(4), Qt::Key_Space);
    QTest::keyClick(w.palette_tile(6), Qt::Key_Return);
    QCOMPARE(cell_at(w, 3, 7)->picture_name(), "pnl0_6");
    QCOMPARE(digits(w)[24], '6');
    QCOMPARE(board->child(24)->text(QAccessible::Name), "3行7列 6");
  }

  void screenReaderHearsWhatHappened() {
    Form1& w = h->window;
    paste(w, "not a puzzle");
    press(button(w, "btninput"));
    paste(w, kPuzzle);
    press(button(w, "btninput"));
    press(button(w, "btnans"));
    const QString said =
        QString("%1|%2|%3").arg(texts::kPasteRejected, texts::kTooFew, texts::kSolved);
    QCOMPARE(listener->heard.join('|'), said);
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    QCOMPARE(listener->shown.join('|'), said);
#endif
  }

  void f1ShowsEveryKey() {
    Form1& w = h->window;
    key(w, Qt::Key_F1);
    auto* help = w.findChild<QDialog*>("help");
    QVERIFY(help && help->isVisible() && help->isWindow() && !help->isModal());
    QCOMPARE(help->windowTitle(), texts::kHelpTitle);
    auto* table = help->findChild<QTableWidget*>("keys");
    QString listed;
    for (int r = 0; r < table->rowCount(); ++r) listed += table->item(r, 0)->text() + " ";
    // Every key of the window is in the help.
    for (QAction* a : w.actions())
      for (const QKeySequence& k : a->shortcuts())
        QVERIFY2(listed.contains(k.toString()), qPrintable(k.toString()));
    QTest::keyClick(help, Qt::Key_Escape);
    QVERIFY(!help->isVisible());
    QVERIFY(h->said.log.isEmpty());
  }

  void versionBoxBreaksBetweenPhrasesOnly() {
    const QStringList lines = version_box_text().split("\r\n");
    QCOMPARE(lines.size(), 3);
    auto check = [](const QString& line, const auto& phrases) {
      // Where a line may start: at each phrase, a joiner after every
      // character but a phrase's last.
      QList<int> starts;
      int at = 0;
      for (const char* p : phrases) {
        starts << at;
        at += static_cast<int>(QString::fromUtf8(p).size()) * 2 - 1;
      }
      QCOMPARE(at, line.size());
      for (int width = 20; width <= 300; width += 7) {
        QTextLayout layout(line, QApplication::font());
        layout.beginLayout();
        for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
          l.setLineWidth(width);
          QVERIFY2(starts.contains(l.textStart()), qPrintable(QString::number(width)));
        }
        layout.endLayout();
      }
    };
    check(lines[1], texts::kVersionLine1);
    check(lines[2], texts::kVersionLine2);
  }
};

QTEST_MAIN(HandTest)
#include "hand_test.moc"
