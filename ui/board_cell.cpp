#include "ui/board_cell.h"

#include <QDropEvent>
#include <QMouseEvent>

#include "ui/palette_tile.h"

namespace tesura::ui {

BoardCell::BoardCell(QWidget* parent, const QRect& geometry, int block, int index)
    : PictureBox(parent, geometry, /*dim_when_disabled=*/false), block_(block), index_(index) {
  setAcceptDrops(true);
}

void BoardCell::mousePressEvent(QMouseEvent* event) {
  event->accept();
  emit pressed(index_, event->button());
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
