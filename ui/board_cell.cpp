// SPDX-License-Identifier: MIT
#include "ui/board_cell.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <array>
#include <optional>

#include "model/texts.h"
#include "ui/palette_tile.h"

namespace tesura::ui {

namespace {

// The keys that move the focus on the board.
struct MoveKey {
  int key;
  bool ctrl;
  CellMove where;
};
constexpr std::array<MoveKey, 8> kMoveKeys = {{
    {Qt::Key_Up, false, CellMove::up},
    {Qt::Key_Down, false, CellMove::down},
    {Qt::Key_Left, false, CellMove::left},
    {Qt::Key_Right, false, CellMove::right},
    {Qt::Key_Home, false, CellMove::row_start},
    {Qt::Key_End, false, CellMove::row_end},
    {Qt::Key_Home, true, CellMove::board_start},
    {Qt::Key_End, true, CellMove::board_end},
}};

std::optional<CellMove> move_of(int key, bool plain, bool ctrl) {
  for (const MoveKey& m : kMoveKeys)
    if (m.key == key && (m.ctrl ? ctrl : plain)) return m.where;
  return std::nullopt;
}

}  // namespace

BoardCell::BoardCell(QWidget* parent, const QRect& geometry, int index, const QString& place)
    : PictureBox(parent, geometry, /*dim_when_disabled=*/false), index_(index), place_(place) {
  setAcceptDrops(true);
  // A click steps the digit and takes the focus, so typing goes on from there.
  setFocusPolicy(Qt::StrongFocus);
}

void BoardCell::show_tile(const QPixmap& pixmap, const QString& name, int digit, bool given) {
  set_picture(pixmap, name);
  digit_ = digit;
  given_ = given;
  QString text = place_ + QLatin1Char(' ') +
                 (digit == 0 ? QString::fromUtf8(texts::kBlankCell) : QString::number(digit));
  if (given) text += QLatin1Char(' ') + QString::fromUtf8(texts::kGivenCell);
  setAccessibleName(text);
}

void BoardCell::set_repeated(bool repeated) {
  set_flagged(repeated);
  setAccessibleDescription(repeated ? QString::fromUtf8(texts::kRepeatedCell) : QString());
}

void BoardCell::mousePressEvent(QMouseEvent* event) {
  event->accept();
  show_focus_marks(false);
  emit pressed(index_, event->button());
}

void BoardCell::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  const bool plain = (mods & (Qt::ControlModifier | Qt::AltModifier)) == 0;
  const bool ctrl = mods == Qt::ControlModifier;
  if (plain && key >= Qt::Key_1 && key <= Qt::Key_9)
    emit typed(index_, key - Qt::Key_0, true);
  else if (plain && (key == Qt::Key_0 || key == Qt::Key_Period))
    emit typed(index_, 0, true);
  else if (plain && key == Qt::Key_Delete)
    emit typed(index_, 0, false);
  else if (plain && key == Qt::Key_Backspace)
    emit erased_back(index_);
  else if (plain && key == Qt::Key_Plus)
    emit pressed(index_, Qt::LeftButton);
  else if (plain && key == Qt::Key_Minus)
    emit pressed(index_, Qt::RightButton);
  else if (const std::optional<CellMove> where = move_of(key, plain, ctrl))
    emit move_requested(index_, *where);
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
