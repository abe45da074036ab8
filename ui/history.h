// SPDX-License-Identifier: MIT
#pragma once
// Undo and redo of what a person does to the board: each gesture, key or
// paste is one step, recorded as the cells it changed, and a reset that
// wipes the board is one step that keeps everything needed to bring the
// board and the command state back. The window puts cells back through the
// same entry routines its gestures use, so model and screen always agree.
#include <QPixmap>
#include <QString>
#include <QUndoStack>
#include <array>
#include <functional>

#include "model/grid.h"

namespace tesura::ui {

// What one cell shows.
struct CellLook {
  int digit = 0;  // 0: blank
  bool given = false;
  QPixmap pixmap;
  QString name;  // the picture's name (tile file or palette tile)
  bool operator==(const CellLook& o) const {
    return digit == o.digit && given == o.given && name == o.name;
  }
};

// All a wipe takes away: the model, the 81 cells (block by block) and which
// command state the window was in.
struct WindowSnapshot {
  Grid grid;
  std::array<CellLook, 81> looks;
  std::array<bool, 81> enabled{};
  int state = 0;
};

// What the history needs of the window.
class HistoryTarget {
 public:
  virtual ~HistoryTarget() = default;
  // block and index from 1.
  virtual CellLook look(int block, int index) const = 0;
  // An entry cell (value and string in the entry encoding) set to look, by
  // the drop or press routines.
  virtual void put(int block, int index, const CellLook& look) = 0;
  virtual WindowSnapshot snapshot() const = 0;
  virtual void restore(const WindowSnapshot& snapshot) = 0;
  // After every undo and redo.
  virtual void board_changed() = 0;
};

class BoardHistory {
 public:
  explicit BoardHistory(HistoryTarget& target) : target_(target) {}

  // Runs gesture and records the cells it changed as one step (none: no step).
  void record_edit(const std::function<void()>& gesture);
  // Runs reset, which wipes the board, as one step; redo runs it again.
  void record_wipe(const std::function<void()>& reset);
  // A new history: input completion and every solve start one.
  void clear() { stack_.clear(); }

  QUndoStack& stack() { return stack_; }

 private:
  HistoryTarget& target_;
  QUndoStack stack_;
};

}  // namespace tesura::ui
