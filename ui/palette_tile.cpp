// SPDX-License-Identifier: MIT
#include "ui/palette_tile.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QRandomGenerator>

#include "model/texts.h"

namespace tesura::ui {

namespace {
// Chosen afresh on every start, so a token cannot be known outside this run.
quint64 run_salt() {
  static const quint64 salt = QRandomGenerator::system()->generate64();
  return salt;
}
}  // namespace

PaletteTile::PaletteTile(QWidget* parent, const QRect& geometry, int index)
    : PictureBox(parent, geometry, /*dim_when_disabled=*/true), index_(index) {
  setMouseTracking(true);
  setAccessibleName(QString::number(index));
  setAccessibleDescription(QString::fromUtf8(texts::kPaletteHint));
  setFocusPolicy(Qt::TabFocus);
}

QByteArray PaletteTile::token() const {
  const quint64 id = static_cast<quint64>(reinterpret_cast<quintptr>(this)) ^ run_salt();
  return QByteArray::number(index_) + ':' + QByteArray::number(id, 16);
}

QMimeData* PaletteTile::drag_data() const {
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kDigitMimeType), token());
  return data;
}

PaletteTile* PaletteTile::from_drag_data(const QMimeData* data, const QWidget* window) {
  if (data == nullptr || window == nullptr || !data->hasFormat(QString::fromLatin1(kDigitMimeType)))
    return nullptr;
  const QByteArray payload = data->data(QString::fromLatin1(kDigitMimeType));
  for (PaletteTile* tile : window->findChildren<PaletteTile*>())
    if (tile->token() == payload) return tile;
  return nullptr;
}

void PaletteTile::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  emit moved(index_);
}

void PaletteTile::mousePressEvent(QMouseEvent* event) {
  event->accept();
  show_focus_marks(false);
  emit pressed(index_);
}

void PaletteTile::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier)
    return PictureBox::keyPressEvent(event);
  if (event->key() == Qt::Key_Left)
    emit arrow(index_, -1);
  else if (event->key() == Qt::Key_Right)
    emit arrow(index_, 1);
  else if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
           event->key() == Qt::Key_Enter)
    emit activated(index_);
  else
    return PictureBox::keyPressEvent(event);
  show_focus_marks(true);
}

}  // namespace tesura::ui
