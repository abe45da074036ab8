#pragma once
// A real window with recording stand-ins for its message boxes and its
// sound, and the gestures a user makes on it.
#include <QAction>
#include <QDropEvent>
#include <QMimeData>
#include <QString>
#include <QtTest>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

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
using EventLog = std::vector<QString>;

class RecordingDialogs : public Dialogs {
 public:
  struct Box {
    QString text;
    QString caption;
  };
  explicit RecordingDialogs(EventLog& log) : log_(log) {}
  void show_message(QWidget*, const QString& text, const QString& caption) override {
    boxes.push_back({text, caption});
    log_.push_back(QStringLiteral("box: ") + text);
    if (while_open) while_open();
  }
  std::vector<Box> boxes;
  // Runs while the box would be on screen, before the user closes it.
  std::function<void()> while_open;

 private:
  EventLog& log_;
};

class RecordingSound : public SoundPlayer {
 public:
  explicit RecordingSound(EventLog& log) : log_(log) {}
  void play_and_wait(const QString& path) override {
    log_.push_back(QStringLiteral("sound: ") + path);
  }

 private:
  EventLog& log_;
};

struct Harness {
  Harness() {
    window.show();
    ready = QTest::qWaitForWindowExposed(&window);
  }
  EventLog log;
  RecordingDialogs dialogs{log};
  RecordingSound sound{log};
  std::ostringstream warnings;
  TileLoader tiles{warnings};
  Form1 window{dialogs, sound, tiles};
  bool ready = false;
};

inline BoardCell* cell_at(Form1& w, int row, int col) {
  const auto [b, k] = block_of(row, col);
  return w.findChild<BoardCell*>(QStringLiteral("pnl%1_%2").arg(b).arg(k));
}
inline PaletteTile* palette(Form1& w, int digit) {
  return w.findChild<PaletteTile*>(QStringLiteral("pnl0_%1").arg(digit));
}
inline PictureButton* button(Form1& w, const char* name) {
  return w.findChild<PictureButton*>(QString::fromLatin1(name));
}
inline QAction* menu_item(Form1& w, const char* name) {
  return w.findChild<QAction*>(QString::fromLatin1(name));
}

inline void press(QWidget* widget, Qt::MouseButton b = Qt::LeftButton) {
  QTest::mouseClick(widget, b, Qt::NoModifier, QPoint(12, 12));
}

// Offers data to a cell as a drag arriving over it and dropping; true when
// the cell took the drop.
inline bool offer_drop(BoardCell* target, const QMimeData* data) {
  const QPointF at(12, 12);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                        Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

// A user's drag of a palette tile: the pointer passes over the tile, a press
// starts the drag, and the tile's drag data arrives at the target.
inline bool drag_digit(Form1& w, int digit, BoardCell* target) {
  PaletteTile* tile = palette(w, digit);
  QTest::mouseMove(tile, QPoint(10, 10));
  QTest::mouseMove(tile, QPoint(12, 12));
  press(tile);
  std::unique_ptr<QMimeData> data(tile->drag_data());
  return offer_drop(target, data.get());
}

// Types an 81-character puzzle ('1'-'9' a digit, '0' or '.' open) with
// presses alone: left presses up to 5, right presses down from blank for 6
// to 9, middle presses for 2 and 4.
inline void enter_by_presses(Form1& w, std::string_view puzzle) {
  for (int i = 0; i < 81; ++i) {
    const char ch = puzzle[i];
    if (ch < '1' || ch > '9') continue;
    const int d = ch - '0';
    BoardCell* c = cell_at(w, i / 9 + 1, i % 9 + 1);
    if (d >= 6) {
      for (int n = 0; n < 10 - d; ++n) press(c, Qt::RightButton);
    } else {
      for (int n = 0; n < d; ++n) press(c, (d == 2 || d == 4) ? Qt::MiddleButton : Qt::LeftButton);
    }
  }
}

// The placed digits of the block view in reading order, '.' for none.
inline std::string board_digits_text(const Form1& w) {
  std::string text(81, '.');
  for (int i = 0; i < 81; ++i) {
    const auto [b, k] = block_of(i / 9 + 1, i % 9 + 1);
    const Digit v = w.grid().gs_val(b, k);
    if (v != 0) text[i] = static_cast<char>('0' + v);
  }
  return text;
}

// What the cells show in reading order, one token per cell: "." for the
// blank tile, "G7" / "R7" for the digit and given tiles, "P7" for a picture
// taken from palette tile 7.
inline std::vector<std::string> shown_tiles(Form1& w) {
  std::vector<std::string> out;
  for (int i = 0; i < 81; ++i) {
    const QString name = cell_at(w, i / 9 + 1, i % 9 + 1)->picture_name();
    if (name == QStringLiteral("G000.bmp"))
      out.push_back(".");
    else if (name.startsWith(QStringLiteral("pnl0_")))
      out.push_back("P" + name.mid(5).toStdString());
    else if (name.size() == 8 && name.endsWith(QStringLiteral(".bmp")) && name.mid(1, 2) == "00")
      out.push_back(name.left(1).toStdString() + name.mid(3, 1).toStdString());
    else
      out.push_back("?" + name.toStdString());
  }
  return out;
}

// The tiles an accepted puzzle shows: the given tiles where given, and
// where not, `others` (".", or "G" for the digit of the answer).
inline std::vector<std::string> expected_tiles(std::string_view givens, std::string_view answer) {
  std::vector<std::string> out;
  for (int i = 0; i < 81; ++i) {
    if (givens[i] >= '1' && givens[i] <= '9')
      out.push_back(std::string("R") + givens[i]);
    else if (answer.empty() || answer[i] == '.')
      out.push_back(".");
    else
      out.push_back(std::string("G") + answer[i]);
  }
  return out;
}

enum class State { input, ready, answered, self_solve };

// Every command against the command-state table; "" when all agree.
inline QString state_mismatches(Form1& w, State s) {
  const int col = static_cast<int>(s);
  struct Row {
    const char* name;
    bool on[4];  // input, ready, answered, self-solve
  };
  static const Row kTable[] = {
      {"btninput", {true, false, false, false}},
      {"mnuconf", {true, false, false, false}},
      {"btnans", {false, true, false, false}},
      {"mnuippatu", {false, true, false, false}},
      {"btnrestart", {true, true, true, false}},
      {"mnureset", {true, true, true, false}},
      {"mnujirikistart", {false, true, false, false}},
      {"mnujirikiend", {false, false, false, true}},
      {"mnusaisyo", {false, false, true, false}},
      {"mnuend", {true, true, true, true}},
      {"mnuver", {true, true, true, true}},
  };
  QStringList wrong;
  for (const Row& row : kTable) {
    bool enabled;
    if (QAction* a = menu_item(w, row.name))
      enabled = a->isEnabled();
    else if (PictureButton* b = button(w, row.name))
      enabled = b->isEnabled();
    else {
      wrong << QStringLiteral("%1 missing").arg(row.name);
      continue;
    }
    if (enabled != row.on[col]) wrong << QStringLiteral("%1=%2").arg(row.name).arg(enabled);
  }
  const bool palette_on = s == State::input || s == State::self_solve;
  for (int d = 1; d <= 9; ++d)
    if (palette(w, d)->isEnabled() != palette_on) wrong << QStringLiteral("pnl0_%1").arg(d);
  for (int b = 1; b <= 9; ++b)
    for (int k = 1; k <= 9; ++k) {
      bool cell_on = s == State::input;
      if (s == State::self_solve) cell_on = w.grid().gs_cand(b, k) != kNoCands;
      if (w.cell(b, k)->isEnabled() != cell_on) wrong << QStringLiteral("pnl%1_%2").arg(b).arg(k);
    }
  return wrong.join(QLatin1Char(' '));
}

}  // namespace tesura::ui::testing
