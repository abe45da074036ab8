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

// A step of a gesture that has already happened when it is pushed: the
// stack's first redo does nothing, later ones act; both ways end by telling
// the window the board changed.
class GestureStep : public QUndoCommand {
 public:
  explicit GestureStep(HistoryTarget& target) : target_(target) {}
  void undo() final {
    put_back();
    target_.board_changed();
  }
  void redo() final {
    if (first_) {
      first_ = false;
      return;
    }
    do_again();
    target_.board_changed();
  }

 protected:
  virtual void put_back() = 0;
  virtual void do_again() = 0;
  HistoryTarget& target_;

 private:
  bool first_ = true;
};

class EditStep : public GestureStep {
 public:
  EditStep(HistoryTarget& target, std::vector<CellChange> changes)
      : GestureStep(target), changes_(std::move(changes)) {}

 private:
  void put_back() override {
    for (auto c = changes_.rbegin(); c != changes_.rend(); ++c)
      target_.put(c->block, c->index, c->before);
  }
  void do_again() override {
    for (const CellChange& c : changes_) target_.put(c.block, c.index, c.after);
  }
  std::vector<CellChange> changes_;
};

class WipeStep : public GestureStep {
 public:
  WipeStep(HistoryTarget& target, WindowSnapshot before, std::function<void()> reset)
      : GestureStep(target), before_(std::move(before)), reset_(std::move(reset)) {}

 private:
  void put_back() override { target_.restore(before_); }
  void do_again() override { reset_(); }
  WindowSnapshot before_;
  std::function<void()> reset_;
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
