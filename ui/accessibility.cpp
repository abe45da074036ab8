// SPDX-License-Identifier: MIT
#include "ui/accessibility.h"

#include <QAccessibleWidget>

#include "ui/board_cell.h"
#include "ui/palette_tile.h"

namespace tesura::ui {

namespace {
QAccessibleInterface* picture_control(const QString&, QObject* object) {
  if (auto* cell = qobject_cast<BoardCell*>(object))
    return new QAccessibleWidget(cell, QAccessible::Cell);
  if (auto* tile = qobject_cast<PaletteTile*>(object))
    return new QAccessibleWidget(tile, QAccessible::Graphic);
  return nullptr;
}
}  // namespace

void install_accessible_roles() {
  static const bool installed = [] {
    QAccessible::installFactory(picture_control);
    return true;
  }();
  (void)installed;
}

}  // namespace tesura::ui
