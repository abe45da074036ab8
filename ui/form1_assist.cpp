// SPDX-License-Identifier: MIT
// What the window offers beyond its commands, every part of it reached by a
// key: typing that moves on, undo and redo, the marks of repeated digits and
// of a completed board, what a screen reader is told, and the key help.
// A user of the mouse alone sees none of it.
#include <QAction>
#include <QApplication>

#include "model/cell_index.h"
#include "model/texts.h"
#include "ui/announcer.h"
#include "ui/board_cell.h"
#include "ui/board_panel.h"
#include "ui/form1.h"
#include "ui/help_window.h"
#include "ui/palette_tile.h"
#include "ui/repeats.h"

namespace tesura::ui {

void Form1::build_assist_commands() {
  auto add = [this](const char* name, const QList<QKeySequence>& keys, auto handler) {
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this, handler);
    addAction(action);
    return action;
  };
  QAction* undo =
      add("undo", {QKeySequence(Qt::CTRL | Qt::Key_Z)}, [this] { history_.stack().undo(); });
  QAction* redo = add(
      "redo", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
      [this] { history_.stack().redo(); });
  undo->setEnabled(false);
  redo->setEnabled(false);
  connect(&history_.stack(), &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
  connect(&history_.stack(), &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
  add("marks", {QKeySequence(Qt::CTRL | Qt::Key_M)}, [this] { toggle_marks(); });
  add("help", {QKeySequence(Qt::Key_F1)}, [this] { show_key_help(); });

  // The cell that last had the focus is where a palette tile's key puts its digit.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (auto* c = qobject_cast<BoardCell*>(now); c != nullptr && c->window() == this)
      board_focus_ = c;
  });
}

void Form1::connect_cell(BoardCell* c, int b) {
  // Every gesture and key on a cell is one step of the history.
  connect(c, &BoardCell::dropped, this,
          [this, h = kDropHandlers[b - 1]](int index, PaletteTile* source) {
            history_.record_edit([&] { (this->*h)(index, source); });
          });
  connect(c, &BoardCell::pressed, this,
          [this, h = kPressHandlers[b - 1]](int index, Qt::MouseButton button) {
            history_.record_edit([&] { (this->*h)(index, button); });
          });
  connect(c, &BoardCell::typed, this, [this, b](int index, int digit, bool move_on) {
    history_.record_edit([&] { type_in_cell(b, index, digit); });
    if (!move_on) return;
    if (BoardCell* next = next_open_cell(b, index, 1)) next->setFocus(Qt::TabFocusReason);
  });
  connect(c, &BoardCell::erased_back, this, [this, b](int index) { erase_back(b, index); });
  connect(c, &BoardCell::move_requested, this,
          [this, b](int index, CellMove where) { move_in_board(b, index, where); });
}

void Form1::move_in_board(int block, int index, CellMove where) {
  const auto [row, col] = row_col_of(block, index);
  // Candidates in the order the move tries them; the first enabled one wins.
  std::array<std::pair<int, int>, 9> line{};
  int count = 9;
  for (int i = 0; i < 9; ++i) switch (where) {
      case CellMove::right:  // the rest of the row, then round from its start
        line[i] = {row, (col + i) % 9 + 1};
        break;
      case CellMove::left:
        line[i] = {row, (col + 16 - i) % 9 + 1};
        break;
      case CellMove::down:
        line[i] = {(row + i) % 9 + 1, col};
        break;
      case CellMove::up:
        line[i] = {(row + 16 - i) % 9 + 1, col};
        break;
      case CellMove::row_start:
        line[i] = {row, i + 1};
        break;
      case CellMove::row_end:
        line[i] = {row, 9 - i};
        break;
      case CellMove::board_start:
      case CellMove::board_end:
        count = 0;
        break;
    }
  BoardCell* target = nullptr;
  for (int i = 0; i < count && target == nullptr; ++i) {
    const auto [b, k] = block_of(line[i].first, line[i].second);
    if (cell(b, k)->isEnabled()) target = cell(b, k);
  }
  if (where == CellMove::board_start) target = next_open_cell(9, 9, 1);
  if (where == CellMove::board_end) target = next_open_cell(1, 1, -1);
  if (target != nullptr) target->setFocus(Qt::TabFocusReason);
}

BoardCell* Form1::next_open_cell(int block, int index, int step) const {
  const auto [row, col] = row_col_of(block, index);
  const int from = (row - 1) * 9 + col - 1;
  for (int i = 1; i <= 81; ++i) {
    const int at = ((from + step * i) % 81 + 81) % 81;
    BoardCell* c = board_->cell_at(at / 9 + 1, at % 9 + 1);
    if (c->isEnabled()) return c;
  }
  return nullptr;
}

void Form1::erase_back(int block, int index) {
  BoardCell* back = next_open_cell(block, index, -1);
  if (back == nullptr) return;
  back->setFocus(Qt::TabFocusReason);
  const auto [row, col] = board_->place_of(back);
  const BlockPos at = block_of(row, col);
  history_.record_edit([&] { type_in_cell(at.block, at.cell, 0); });
}

void Form1::drop_from_palette(int digit) {
  BoardCell* target =
      board_focus_ != nullptr && board_focus_->isEnabled() ? board_focus_ : next_open_cell(9, 9, 1);
  if (target == nullptr) return;
  const auto [row, col] = board_->place_of(target);
  const BlockPos at = block_of(row, col);
  history_.record_edit([&] { (this->*kDropHandlers[at.block - 1])(at.cell, palette_tile(digit)); });
}

// ---- History ----

CellLook Form1::look(int block, int index) const {
  const BoardCell* c = cell(block, index);
  return {c->shown_digit(), c->shown_given(), c->picture(), c->picture_name()};
}

void Form1::put(int block, int index, const CellLook& look) {
  // The model through the entry routines: a drop for a digit, presses down
  // to the blank for none.
  if (look.digit != 0)
    grid_.drop_digit(block, index, look.digit);
  else
    while (grid_.gs_val(block, index) != 0) grid_.step_digit(block, index, /*down=*/true);
  cell(block, index)->show_tile(look.pixmap, look.name, look.digit, look.given);
}

WindowSnapshot Form1::snapshot() const {
  WindowSnapshot s{grid_, {}, {}, static_cast<int>(state_)};
  for (int i = 0; i < 81; ++i) {
    s.looks[i] = look(i / 9 + 1, i % 9 + 1);
    s.enabled[i] = cell(i / 9 + 1, i % 9 + 1)->isEnabled();
  }
  return s;
}

void Form1::restore(const WindowSnapshot& s) {
  grid_ = s.grid;
  for (int i = 0; i < 81; ++i) {
    BoardCell* c = cell(i / 9 + 1, i % 9 + 1);
    const CellLook& l = s.looks[i];
    c->show_tile(l.pixmap, l.name, l.digit, l.given);
    c->setEnabled(s.enabled[i]);
  }
  enter_state(static_cast<CommandState>(s.state));
}

// ---- Marks and announcements ----

void Form1::board_changed() {
  std::array<int, 81> digits{};
  for (int i = 0; i < 81; ++i) digits[i] = board_->cell_at(i / 9 + 1, i % 9 + 1)->shown_digit();
  const std::array<bool, 81> repeated = repeated_cells(digits);
  bool complete = state_ == CommandState::self_solve;
  for (int i = 0; i < 81; ++i) {
    board_->cell_at(i / 9 + 1, i % 9 + 1)->set_repeated(marks_on_ && repeated[i]);
    complete = complete && digits[i] != 0 && !repeated[i];
  }
  board_->set_framed(marks_on_ && complete);
  if (complete && !completed_) announce(texts::kCompleted);
  completed_ = complete;
}

void Form1::toggle_marks() {
  marks_on_ = !marks_on_;
  board_changed();
  announce(marks_on_ ? texts::kMarksOn : texts::kMarksOff);
}

void Form1::announce(const char* text) {
  announcer_->announce(QString::fromUtf8(text));
}

void Form1::announce_rejected_paste() {
  announce(texts::kPasteRejected);
}

void Form1::show_key_help() {
  if (help_ == nullptr) help_ = new HelpWindow(this);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

}  // namespace tesura::ui
