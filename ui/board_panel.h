// SPDX-License-Identifier: MIT
#pragma once
// The board's 81 cells, held by row and column. It draws nothing of its own
// over the background but, on request, a frame round the whole board; to a
// screen reader it is a 9 x 9 table in reading order.
#include <QWidget>
#include <array>
#include <utility>

namespace tesura::ui {

class BoardCell;

class BoardPanel : public QWidget {
  Q_OBJECT
 public:
  // Covers the board's area of the client, above its background.
  explicit BoardPanel(QWidget* parent);

  // row and col from 1. Each cell is added once, before the panel is shown.
  void add_cell(int row, int col, BoardCell* cell);
  BoardCell* cell_at(int row, int col) const { return cells_[(row - 1) * 9 + col - 1]; }
  // Row and column (from 1) of one of the panel's cells, {0, 0} for another widget.
  std::pair<int, int> place_of(const QWidget* cell) const;

  // The frame of a board that is complete without a repeat.
  void set_framed(bool framed);
  bool framed() const { return framed_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::array<BoardCell*, 81> cells_{};
  bool framed_ = false;
};

}  // namespace tesura::ui
