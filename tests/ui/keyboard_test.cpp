// SPDX-License-Identifier: MIT
// The window without a mouse: keys where the mouse can enter and nowhere
// else, the clipboard, and what a screen reader is told.
#include <QAccessible>

#include "window_harness.h"

using namespace tesura;
using namespace tesura::ui;
using namespace tesura::ui::testing;

namespace {

const std::string kPuzzle =
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";

void keys(const QList<int>& keys, Qt::KeyboardModifiers mod = Qt::NoModifier) {
  for (int key : keys) QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), mod);
}
QString focused() {
  return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "none";
}
// The cell as drawn differs from its tile exactly when the focus mark is on it.
bool marked(QWidget* w) {
  const auto rgb = [](const QPixmap& p) {
    return p.toImage().convertToFormat(QImage::Format_RGB32);
  };
  return rgb(w->grab()) != rgb(qobject_cast<PictureBox*>(w)->picture());
}
QString spoken(QObject* o) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
  return QString("%1|%2|%3")
      .arg(a->text(QAccessible::Name))
      .arg(a->role())
      .arg(a->state().disabled);
}

}  // namespace

class KeyboardTest : public QObject {
  Q_OBJECT
 private slots:
  void entryAndFocusByKeys();
  void keysRefusedWhereTheMouseIs();
  void pasteAndCopy();
  void screenReaderNamesAndRoles();
};

void KeyboardTest::entryAndFocusByKeys() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  BoardCell* c = cell_at(w, 1, 1);
  c->setFocus();
  QVERIFY(c->hasFocus() && !marked(c));  // no mark before a key
  keys({Qt::Key_5});                     // a drop of tile 5
  QCOMPARE(c->picture_name(), "pnl0_5");
  QVERIFY(marked(c));
  keys({Qt::Key_Right, Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Down, Qt::Key_9,
        Qt::Key_Right, Qt::Key_7, Qt::Key_Delete, Qt::Key_Up, Qt::Key_Right, Qt::Key_3, Qt::Key_0,
        Qt::Key_Backspace});
  QCOMPARE(digits(w).substr(0, 12), "51........9.");
  QCOMPARE(tiles(w).left(22), "P5G1. . . . . . . . P9");
  QCOMPARE(cell_at(w, 2, 3)->picture_name(), "G000.bmp");  // blanked as a press does
  QCOMPARE(w.grid().gs_cand(1, 6), kAllCands);

  // Tab: board, palette, each enabled button, and back to where the board was.
  QStringList order;
  for (int i = 0; i < 5; ++i) {
    keys({Qt::Key_Tab});
    order << focused();
    if (i == 0) keys({Qt::Key_Right, Qt::Key_Right});
  }
  QCOMPARE(order.join(' '), "pnl0_1 btninput btnrestart pnl2_1 pnl0_3");
  keys({Qt::Key_Tab}, Qt::ShiftModifier);
  QCOMPARE(focused(), "pnl2_1");
  keys({Qt::Key_Tab, Qt::Key_Tab});
  keys({Qt::Key_Space});  // too few digits
  keys({Qt::Key_Tab, Qt::Key_Return});
  QCOMPARE(h.said.log, QStringList{"Tesura: 入力個所が少な過ぎます"});
  QCOMPARE(digits(w), std::string(81, '.'));  // restarted by Enter
}

void KeyboardTest::keysRefusedWhereTheMouseIs() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  paste(w, QString::fromStdString(kPuzzle));
  cell_at(w, 1, 1)->setFocus();
  keys({Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space});  // accepted
  QCOMPARE(state_mismatches(w, State::ready), QString());
  const std::string ready = digits(w);
  QCOMPARE(focused(), "btnans");
  for (int i = 0; i < 3; ++i) {  // only the two buttons take the focus
    keys({Qt::Key_Tab});
    QVERIFY(focused() == "btnans" || focused() == "btnrestart");
  }
  for (BoardCell* c : {cell_at(w, 1, 1), cell_at(w, 1, 3)}) {
    c->setFocus();
    QVERIFY(!c->hasFocus());
    QTest::keyClick(c, Qt::Key_4);
  }
  paste(w, QString(81, '1'));
  QCOMPARE(digits(w), ready);

  w.findChild<QAction*>("mnujirikistart")->trigger();
  cell_at(w, 1, 1)->setFocus();
  keys({Qt::Key_Right, Qt::Key_4, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Minus});
  QCOMPARE(focused(), "pnl2_5");  // row 2, column 5, past the given at column 4
  QCOMPARE(digits(w).substr(0, 18), ".43.2.6..9..395..1");
  paste(w, QString::fromStdString(kPuzzle));
  QCOMPARE(digits(w).substr(0, 18), ".43.2.6..9..395..1");
  QCOMPARE(state_mismatches(w, State::self_solve), QString());
}

void KeyboardTest::pasteAndCopy() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  const QString line = QString::fromStdString(kPuzzle);
  QString odd_blanks = line;
  odd_blanks[0] = '0', odd_blanks[1] = '_', odd_blanks[3] = '*', odd_blanks[5] = '-';
  for (const QString& junk :
       {QString("hello"), line.left(80), line + "x", odd_blanks.replace(2, 1, 'x')})
    paste(w, junk);
  QCOMPARE(digits(w), std::string(81, '.'));
  odd_blanks[2] = '3';
  paste(w, " \t" + odd_blanks + " # hardest\n" + QString(81, '1'));
  QCOMPARE(digits(w), kPuzzle);
  QCOMPARE(tiles(w), expected_tiles(kPuzzle, "P"));
  QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QGuiApplication::clipboard()->text(), line);
  // Over a board with digits: the blanks are pressed to the blank.
  paste(w, "4" + QString(80, '.') + ",solution");
  QCOMPARE(digits(w), "4" + std::string(80, '.'));
  QCOMPARE(tiles(w), expected_tiles(digits(w), "P"));
  QCOMPARE(w.grid().gs_cand(1, 3), kAllCands);

  paste(w, line);
  QTest::mouseClick(button(w, "btninput"), Qt::LeftButton);
  QTest::mouseClick(button(w, "btnans"), Qt::LeftButton);
  QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier);
  const std::string answer = QGuiApplication::clipboard()->text().toStdString();
  QCOMPARE(answer, digits(w));
  paste(w, line);  // no paste outside the input state
  QCOMPARE(digits(w), answer);
  QCOMPARE(state_mismatches(w, State::answered), QString());
}

void KeyboardTest::screenReaderNamesAndRoles() {
  Harness h;
  QVERIFY(h.ready);
  Form1& w = h.window;
  const QString cell = QString("|%1|").arg(QAccessible::Cell);
  const QString push = QString("|%1|").arg(QAccessible::PushButton);
  QCOMPARE(spoken(cell_at(w, 3, 7)), "3行7列 空白" + cell + "0");
  QCOMPARE(spoken(palette(w, 4)), QString("4|%1|0").arg(QAccessible::Graphic));
  QCOMPARE(spoken(button(w, "btninput")), "入力終了" + push + "0");
  QCOMPARE(spoken(button(w, "btnans")), "一発解答" + push + "1");
  QCOMPARE(spoken(button(w, "btnrestart")), "再入力" + push + "0");
  paste(w, QString::fromStdString(kPuzzle));
  QCOMPARE(spoken(cell_at(w, 3, 7)), "3行7列 4" + cell + "0");
  button(w, "btninput")->click();
  QCOMPARE(spoken(cell_at(w, 3, 7)), "3行7列 4 問題の数字" + cell + "1");
  QCOMPARE(spoken(cell_at(w, 1, 1)), "1行1列 空白" + cell + "1");
  QCOMPARE(spoken(palette(w, 4)), QString("4|%1|1").arg(QAccessible::Graphic));
  button(w, "btnans")->click();
  QCOMPARE(spoken(cell_at(w, 1, 1)), QString("1行1列 %1").arg(digits(w)[0]) + cell + "1");
  QCOMPARE(spoken(button(w, "btnans")), "一発解答" + push + "1");
}

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
