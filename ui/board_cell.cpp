// SPDX-License-Identifier: MIT
#include "ui/board_cell.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "ui/palette_tile.h"

namespace tesura::ui {

BoardCell::BoardCell(QWidget* parent, const QRect& geometry, int index, const QString& place)
    : PictureBox(parent, geometry, /*dim_when_disabled=*/false), index_(index), place_(place) {
  setAcceptDrops(true);
  // Reached by the keyboard only: a click steps the digit and nothing more.
  setFocusPolicy(Qt::TabFocus);
}

void BoardCell::show_tile(const QPixmap& pixmap, const QString& name, int digit, bool given) {
  set_picture(pixmap, name);
  digit_ = digit;
  QString text =
      place_ + QLatin1Char(' ') + (digit == 0 ? QStringLiteral("空白") : QString::number(digit));
  if (given) text += QStringLiteral(" 問題の数字");
  setAccessibleName(text);
}

void BoardCell::mousePressEvent(QMouseEvent* event) {
  event->accept();
  show_focus_marks(false);
  emit pressed(index_, event->button());
}

void BoardCell::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool plain = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
  if (plain && key >= Qt::Key_1 && key <= Qt::Key_9)
    emit typed(index_, key - Qt::Key_0);
  else if (plain && (key == Qt::Key_0 || key == Qt::Key_Delete || key == Qt::Key_Backspace))
    emit typed(index_, 0);
  else if (plain && key == Qt::Key_Plus)
    emit pressed(index_, Qt::LeftButton);
  else if (plain && key == Qt::Key_Minus)
    emit pressed(index_, Qt::RightButton);
  else if (plain && (key == Qt::Key_Up || key == Qt::Key_Down))
    emit arrow(index_, key == Qt::Key_Up ? -1 : 1, 0);
  else if (plain && (key == Qt::Key_Left || key == Qt::Key_Right))
    emit arrow(index_, 0, key == Qt::Key_Left ? -1 : 1);
  else
    return PictureBox::keyPressEvent(event);
  show_focus_marks(true);
}

PaletteTile* BoardCell::palette_source(const QDropEvent* event) const {
  // A locked cell takes no drop, whatever the toolkit routes to it.
  if (!isEnabled()) return nullptr;
  PaletteTile* tile = PaletteTile::from_drag_data(event->mimeData(), window());
  if (tile == nullptr) return nullptr;
  // Within this program the toolkit also names the dragged widget; it must agree.
  if (event->source() != nullptr && event->source() != tile) return nullptr;
  return tile;
}

void BoardCell::dragEnterEvent(QDragEnterEvent* event) {
  if (palette_source(event) != nullptr)
    event->acceptProposedAction();
  else
    event->ignore();
}

void BoardCell::dragMoveEvent(QDragMoveEvent* event) {
  if (palette_source(event) != nullptr)
    event->acceptProposedAction();
  else
    event->ignore();
}

void BoardCell::dropEvent(QDropEvent* event) {
  PaletteTile* tile = palette_source(event);
  if (tile == nullptr) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  emit dropped(index_, tile);
}

}  // namespace tesura::ui
