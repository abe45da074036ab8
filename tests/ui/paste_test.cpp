// SPDX-License-Identifier: MIT
// Ctrl+V through the clipboard takes a puzzle in every form the batch
// command reads, full-width digits included; other text changes nothing.
#include "window_harness.h"

using namespace tesura::ui::testing;
using tesura::ui::Form1;

namespace {

const std::string kPuzzle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";

}  // namespace

class PasteTest : public QObject {
  Q_OBJECT
  std::unique_ptr<Harness> h;

 private slots:
  void init() {
    h = std::make_unique<Harness>();
    QVERIFY(h->ready);
  }
  void cleanup() { h.reset(); }

  void everyFormEntersThePuzzle() {
    std::string drawn, grouped;  // as --grid draws it; in groups of three
    QString wide;                // full width, through the clipboard's UTF-16
    for (int i = 0; i < 81; ++i) {
      drawn += kPuzzle[i];
      drawn += i % 9 == 8 ? "\n" : i % 3 == 2 ? " | " : " ";
      if (i % 27 == 26 && i < 80) drawn += "------+-------+------\n";
      if (i > 0 && i % 3 == 0) grouped += ' ';
      grouped += kPuzzle[i];
      wide += kPuzzle[i] == '.' ? QChar(0xFF0E) : QChar(0xFF10 + kPuzzle[i] - '0');
    }
    const std::string wide_text = wide.toStdString();
    const std::string with_header = "quizzes\r\n" + grouped + " # hardest";
    // Each form, and a near miss of it: a cell short, or a rating that
    // could be more cells.
    const std::pair<std::string, std::string> forms[] = {
        {kPuzzle, kPuzzle.substr(0, 80)},
        {drawn, drawn.substr(0, drawn.size() - 2) + "\n"},
        {with_header, grouped + " 4.5"},
        {wide_text, wide_text.substr(0, wide_text.size() - 3)},
    };
    const std::string one = "1" + std::string(80, '.');
    Form1& w = h->window;
    for (const auto& [form, miss] : forms) {
      paste(w, form);
      QCOMPARE(digits(w), kPuzzle);
      paste(w, one);
      paste(w, miss);
      QCOMPARE(digits(w), one);
    }
  }
};

QTEST_MAIN(PasteTest)
#include "paste_test.moc"
