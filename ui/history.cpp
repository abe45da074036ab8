// SPDX-License-Identifier: MIT
#include "ui/history.h"

#include <vector>

namespace tesura::ui {

namespace {

struct CellChange {
  int block;
  int index;
  CellLook before;
  CellLook after;
};

// The first redo comes from the stack's push, when the gesture has already
// happened; only later redos act.
class EditStep : public QUndoCommand {
 public:
  EditStep(HistoryTarget& target, std::vector<CellChange> changes)
      : target_(target), changes_(std::move(changes)) {}
  void undo() override {
    for (auto c = changes_.rbegin(); c != changes_.rend(); ++c)
      target_.put(c->block, c->index, c->before);
    target_.board_changed();
  }
  void redo() override {
    if (first_) {
      first_ = false;
      return;
    }
    for (const CellChange& c : changes_) target_.put(c.block, c.index, c.after);
    target_.board_changed();
  }

 private:
  HistoryTarget& target_;
  std::vector<CellChange> changes_;
  bool first_ = true;
};

class WipeStep : public QUndoCommand {
 public:
  WipeStep(HistoryTarget& target, WindowSnapshot before, std::function<void()> reset)
      : target_(target), before_(std::move(before)), reset_(std::move(reset)) {}
  void undo() override {
    target_.restore(before_);
    target_.board_changed();
  }
  void redo() override {
    if (first_) {
      first_ = false;
      return;
    }
    reset_();
    target_.board_changed();
  }

 private:
  HistoryTarget& target_;
  WindowSnapshot before_;
  std::function<void()> reset_;
  bool first_ = true;
};

}  // namespace

void BoardHistory::record_edit(const std::function<void()>& gesture) {
  std::array<CellLook, 81> before;
  for (int i = 0; i < 81; ++i) before[i] = target_.look(i / 9 + 1, i % 9 + 1);
  gesture();
  std::vector<CellChange> changes;
  for (int i = 0; i < 81; ++i) {
    CellLook after = target_.look(i / 9 + 1, i % 9 + 1);
    if (!(after == before[i])) changes.push_back({i / 9 + 1, i % 9 + 1, before[i], after});
  }
  if (!changes.empty()) stack_.push(new EditStep(target_, std::move(changes)));
  target_.board_changed();
}

void BoardHistory::record_wipe(const std::function<void()>& reset) {
  WindowSnapshot before = target_.snapshot();
  reset();
  stack_.push(new WipeStep(target_, std::move(before), reset));
  target_.board_changed();
}

}  // namespace tesura::ui
