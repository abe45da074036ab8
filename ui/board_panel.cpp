// SPDX-License-Identifier: MIT
#include "ui/board_panel.h"

#include <QPainter>
#include <algorithm>

#include "model/texts.h"
#include "ui/board_cell.h"
#include "ui/picture_box.h"

namespace tesura::ui {

namespace {
// The board's cells span 7 to 243 in both directions; the frame lies in the
// margin between them and the edge of the background.
constexpr QRect kBoardArea(0, 0, 250, 251);
constexpr QRect kFrame(1, 1, 248, 248);
}  // namespace

BoardPanel::BoardPanel(QWidget* parent) : QWidget(parent) {
  setGeometry(kBoardArea);
  setAccessibleName(QString::fromUtf8(texts::kBoardName));
}

void BoardPanel::add_cell(int row, int col, BoardCell* cell) {
  cells_[(row - 1) * 9 + col - 1] = cell;
}

std::pair<int, int> BoardPanel::place_of(const QWidget* cell) const {
  const auto at = std::find(cells_.begin(), cells_.end(), cell);
  if (at == cells_.end()) return {0, 0};
  const auto i = static_cast<int>(at - cells_.begin());
  return {i / 9 + 1, i % 9 + 1};
}

void BoardPanel::set_framed(bool framed) {
  if (framed_ == framed) return;
  framed_ = framed;
  update();
}

void BoardPanel::paintEvent(QPaintEvent*) {
  if (!framed_) return;
  QPainter painter(this);
  paint_frame(painter, kFrame, QColor(0, 170, 60));
}

}  // namespace tesura::ui
