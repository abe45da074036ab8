// SPDX-License-Identifier: MIT
#pragma once
// A real window with a recorder in place of its message boxes and sound,
// and the gestures a user makes on it.
#include <QAction>
#include <QClipboard>
#include <QMimeData>
#include <QtTest>
#include <functional>
#include <sstream>

#include "../support/sudoku_checks.h"
#include "model/cell_index.h"
#include "ui/board_cell.h"
#include "ui/dialogs.h"
#include "ui/form1.h"
#include "ui/palette_tile.h"
#include "ui/picture_button.h"
#include "ui/sound.h"
#include "ui/tile_loader.h"

namespace tesura::ui::testing {

// Everything the window said or played, in order.
struct Recorder : Dialogs, SoundPlayer {
  void show_message(QWidget*, const QString& text, const QString& caption) override {
    log << caption + ": " + text;
    if (while_open) while_open();  // the box is up until this returns
  }
  void play_and_wait(const QString& path) override { log << "sound: " + path; }
  QStringList log;
  std::function<void()> while_open;
};

struct Harness {
  Harness() {
    window.show();
    window.activateWindow();
    ready = QTest::qWaitForWindowActive(&window);
  }
  Recorder said;
  std::ostringstream warnings;
  TileLoader tiles{warnings};
  Form1 window{said, said, tiles};
  bool ready = false;
};

inline BoardCell* cell_at(Form1& w, int row, int col) {
  const auto [b, k] = block_of(row, col);
  return w.cell(b, k);
}
inline PictureButton* button(Form1& w, const char* name) {
  return w.findChild<PictureButton*>(name);
}
inline QAction* item(Form1& w, const char* name) {
  return w.findChild<QAction*>(name);
}

inline void press(QWidget* widget, Qt::MouseButton b = Qt::LeftButton) {
  QTest::mouseClick(widget, b, Qt::NoModifier, QPoint(12, 12));
}

// Data dragged over a cell and dropped there; true when the cell took it.
inline bool offer_drop(BoardCell* target, const QMimeData* data) {
  QDragEnterEvent enter(QPoint(12, 12), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDragMoveEvent move(QPoint(12, 12), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &move);
  if (!move.isAccepted()) return false;
  QDropEvent drop(QPointF(12, 12), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

// The pointer passes over the tile, a press starts the drag, and what the
// drag carries arrives at the target.
inline bool drag_digit(Form1& w, int digit, BoardCell* target) {
  QTest::mouseMove(w.palette_tile(digit), QPoint(10, 10));
  QTest::mouseMove(w.palette_tile(digit), QPoint(12, 12));
  press(w.palette_tile(digit));
  return offer_drop(target, std::unique_ptr<QMimeData>(w.palette_tile(digit)->drag_data()).get());
}

// Types a puzzle (81 characters, '1'-'9' a digit) with presses: left up to
// 5 (middle for 2 and 4), right down from the blank for 6 to 9.
inline void enter_by_presses(Form1& w, std::string_view puzzle) {
  for (int i = 0; i < 81; ++i) {
    const int d = puzzle[i] - '0';
    if (d < 1 || d > 9) continue;
    BoardCell* c = cell_at(w, i / 9 + 1, i % 9 + 1);
    const Qt::MouseButton b =
        d >= 6 ? Qt::RightButton : (d % 2 == 0 ? Qt::MiddleButton : Qt::LeftButton);
    for (int n = 0; n < (d >= 6 ? 10 - d : d); ++n) press(c, b);
  }
}

// Ctrl+V with text on the clipboard.
inline void paste(Form1& w, const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
  QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
}

// Keys typed where the focus is.
inline void keys(const QList<int>& keys, Qt::KeyboardModifiers mod = Qt::NoModifier) {
  for (int key : keys) QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), mod);
}

// The block view's digits in reading order, '.' for none.
inline std::string digits(const Form1& w) {
  return puzzle_text(board_digits(w.grid()));
}

// What the cells show in reading order, two characters a cell: ". " for
// the blank tile, "G7"/"R7" for the tile files, "P7" for the picture of
// palette tile 7.
inline QString tiles(Form1& w) {
  QString out;
  for (int i = 0; i < 81; ++i) {
    const QString n = cell_at(w, i / 9 + 1, i % 9 + 1)->picture_name();
    out += n == "G000.bmp" ? ". " : n.startsWith("pnl0_") ? "P" + n.mid(5) : n[0] + n.mid(3, 1);
  }
  return out;
}

// The tiles expected: the look `given` ("R", "G" or "P") at the givens, the
// digit tile of `answer` elsewhere (or blank where answer is empty).
inline QString expected_tiles(std::string_view givens, const char* given,
                              std::string_view answer = {}) {
  QString out;
  for (int i = 0; i < 81; ++i)
    out += givens[i] != '.'  ? given + QString(givens[i])
           : !answer.empty() ? "G" + QString(answer[i])
                             : QString(". ");
  return out;
}

enum class State { input, ready, answered, self_solve };

// Every command, the palette and the cells against the command-state
// table; empty when all agree.
inline QString state_mismatches(Form1& w, State s) {
  static const std::pair<const char*, const char*> kTable[] = {
      // input, ready, answered, self-solve
      {"btninput", "1000"},       {"mnuconf", "1000"},      {"btnans", "0100"},
      {"mnuippatu", "0100"},      {"btnrestart", "1110"},   {"mnureset", "1110"},
      {"mnujirikistart", "0100"}, {"mnujirikiend", "0001"}, {"mnusaisyo", "0010"},
      {"mnuend", "1111"},         {"mnuver", "1111"},       {"paste", "1000"},
      {"copy", "1111"},
  };
  const int col = static_cast<int>(s);
  QStringList wrong;
  for (const auto& [name, on] : kTable) {
    const bool enabled = item(w, name) ? item(w, name)->isEnabled() : button(w, name)->isEnabled();
    if (enabled != (on[col] == '1')) wrong << QString::fromLatin1(name);
  }
  for (int d = 1; d <= 9; ++d)
    if (w.palette_tile(d)->isEnabled() != (s == State::input || s == State::self_solve))
      wrong << w.palette_tile(d)->objectName();
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) {
      const bool on =
          s == State::input || (s == State::self_solve && w.grid().gs_cand(b, k) != kNoCands);
      if (w.cell(b, k)->isEnabled() != on) wrong << w.cell(b, k)->objectName();
    }
  return wrong.join(' ');
}

}  // namespace tesura::ui::testing
