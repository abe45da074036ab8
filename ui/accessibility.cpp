// SPDX-License-Identifier: MIT
#include "ui/accessibility.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <array>
#include <memory>

#include "model/texts.h"
#include "ui/announcer.h"
#include "ui/board_cell.h"
#include "ui/board_panel.h"
#include "ui/palette_tile.h"

namespace tesura::ui {

namespace {

QString header_name(bool row, int n) {
  return QString::number(n) + QString::fromUtf8(row ? texts::kRowSuffix : texts::kColumnSuffix);
}

// A row or column header: no widget of its own, it stands beside the table.
class BoardHeader : public QAccessibleInterface {
 public:
  BoardHeader(BoardPanel* panel, bool row, int n) : panel_(panel), row_(row), n_(n) {}
  bool isValid() const override { return !panel_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return parent() ? parent()->window() : nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(panel_.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? header_name(row_, n_) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (panel_.isNull()) return {};
    // Over the row's (column's) first and last cells.
    const QWidget* first = row_ ? panel_->cell_at(n_, 1) : panel_->cell_at(1, n_);
    const QWidget* last = row_ ? panel_->cell_at(n_, 9) : panel_->cell_at(9, n_);
    return QRect(first->mapToGlobal(QPoint(0, 0)), last->mapToGlobal(last->rect().bottomRight()));
  }
  QAccessible::Role role() const override {
    return row_ ? QAccessible::RowHeader : QAccessible::ColumnHeader;
  }
  QAccessible::State state() const override { return {}; }

 private:
  QPointer<BoardPanel> panel_;
  bool row_;
  int n_;
};

class BoardTable : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit BoardTable(BoardPanel* panel) : QAccessibleWidget(panel, QAccessible::Table) {
    // The accessibility cache owns every interface it has handed out an id
    // for; the headers are given theirs at once and live as long as it does.
    for (int n = 1; n <= 9; ++n) {
      rows_[n - 1] = QAccessible::registerAccessibleInterface(new BoardHeader(panel, true, n));
      columns_[n - 1] = QAccessible::registerAccessibleInterface(new BoardHeader(panel, false, n));
    }
  }
  BoardPanel* panel() const { return static_cast<BoardPanel*>(widget()); }
  // n from 1.
  QAccessibleInterface* header(bool row, int n) const {
    return QAccessible::accessibleInterface(row ? rows_[n - 1] : columns_[n - 1]);
  }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  // The 81 cells in reading order, whatever order the widgets were made in.
  int childCount() const override { return 81; }
  QAccessibleInterface* child(int i) const override {
    if (i < 0 || i >= 81) return nullptr;
    return QAccessible::queryAccessibleInterface(panel()->cell_at(i / 9 + 1, i % 9 + 1));
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto [row, col] = child ? panel()->place_of(qobject_cast<QWidget*>(child->object()))
                                  : std::pair<int, int>{0, 0};
    return row == 0 ? -1 : (row - 1) * 9 + col - 1;
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    return row < 0 || row > 8 || column < 0 || column > 8 ? nullptr : child(row * 9 + column);
  }
  int columnCount() const override { return 9; }
  int rowCount() const override { return 9; }
  QString columnDescription(int column) const override { return header_name(false, column + 1); }
  QString rowDescription(int row) const override { return header_name(true, row + 1); }
  // Nothing on the board is ever selected.
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  std::array<QAccessible::Id, 9> rows_{};
  std::array<QAccessible::Id, 9> columns_{};
};

class CellOfBoard : public QAccessibleWidget, public QAccessibleTableCellInterface {
 public:
  explicit CellOfBoard(BoardCell* cell) : QAccessibleWidget(cell, QAccessible::Cell) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TableCellInterface)
      return static_cast<QAccessibleTableCellInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) {
      const int digit = static_cast<BoardCell*>(widget())->shown_digit();
      return digit == 0 ? QString() : QString::number(digit);
    }
    return QAccessibleWidget::text(t);
  }

  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override {
    return {board()->header(false, columnIndex() + 1)};
  }
  QList<QAccessibleInterface*> rowHeaderCells() const override {
    return {board()->header(true, rowIndex() + 1)};
  }
  int columnIndex() const override { return place().second - 1; }
  int rowIndex() const override { return place().first - 1; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return board(); }

 private:
  BoardTable* board() const {
    return static_cast<BoardTable*>(QAccessible::queryAccessibleInterface(widget()->parent()));
  }
  std::pair<int, int> place() const { return board()->panel()->place_of(widget()); }
};

QAccessibleInterface* window_control(const QString&, QObject* object) {
  if (auto* panel = qobject_cast<BoardPanel*>(object)) return new BoardTable(panel);
  if (auto* cell = qobject_cast<BoardCell*>(object)) return new CellOfBoard(cell);
  if (auto* tile = qobject_cast<PaletteTile*>(object))
    return new QAccessibleWidget(tile, QAccessible::Graphic);
  if (auto* announcer = qobject_cast<Announcer*>(object))
    return new QAccessibleWidget(announcer, QAccessible::Notification);
  return nullptr;
}

}  // namespace

void install_accessible_roles() {
  static const bool installed = [] {
    QAccessible::installFactory(window_control);
    return true;
  }();
  (void)installed;
}

}  // namespace tesura::ui
