// SPDX-License-Identifier: MIT
// A user of the mouse alone must see exactly the window as it always was:
// the client area's pixels at each step of the mouse's roads, against the
// checksums taken before the keyboard, marks, undo and help were added.
#include <QCryptographicHash>

#include "window_harness.h"

using namespace tesura::ui;
using namespace tesura::ui::testing;

namespace {

const std::string kPuzzle =
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";

QString checksum(Form1& w) {
  const QImage shown = w.centralWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  return QCryptographicHash::hash(QByteArrayView(shown.constBits(), shown.sizeInBytes()),
                                  QCryptographicHash::Sha1)
      .toHex()
      .left(12);
}

}  // namespace

class SamePixelsTest : public QObject {
  Q_OBJECT
 private slots:
  void mouseRoadsDrawAsBefore() {
    Harness h;
    QVERIFY(h.ready);
    Form1& w = h.window;
    QStringList seen;
    seen << checksum(w);  // start-up
    enter_by_presses(w, kPuzzle);
    QVERIFY(drag_digit(w, 7, cell_at(w, 1, 1)));
    QVERIFY(drag_digit(w, 4, cell_at(w, 1, 2)));
    seen << checksum(w);  // entered, with two drops
    press(button(w, "btninput"));
    seen << checksum(w);  // refused: two 7s in column 1
    for (int n = 0; n < 7; ++n) press(cell_at(w, 1, 1), Qt::RightButton);
    press(button(w, "btninput"));
    seen << checksum(w);  // ready
    item(w, "mnujirikistart")->trigger();
    press(cell_at(w, 1, 1));
    QVERIFY(drag_digit(w, 3, cell_at(w, 1, 4)));  // a repeat, unmarked
    seen << checksum(w);                          // self-solve
    item(w, "mnujirikiend")->trigger();
    seen << checksum(w);  // wiped
    enter_by_presses(w, kPuzzle);
    press(button(w, "btninput"));
    press(button(w, "btnans"));
    QCOMPARE(h.said.log.size(), 1);
    seen << checksum(w);  // answered
    item(w, "mnusaisyo")->trigger();
    seen << checksum(w);  // the first problem again
    // Taken from the window before any keyboard addition existed.
    QCOMPARE(seen.join(' '),
             "5de03b451247 2d779e4f5043 2d779e4f5043 70eccd8ae5bf acad458b171b 5de03b451247 "
             "100566000ef5 f11e5898882c");
  }
};

QTEST_MAIN(SamePixelsTest)
#include "same_pixels_test.moc"
