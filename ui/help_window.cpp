// SPDX-License-Identifier: MIT
#include "ui/help_window.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <iterator>

#include "model/texts.h"

namespace tesura::ui {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("help"));
  setWindowTitle(QString::fromUtf8(texts::kHelpTitle));
  auto* table = new QTableWidget(static_cast<int>(std::size(texts::kKeyHelp)), 2, this);
  table->setObjectName(QStringLiteral("keys"));
  table->setAccessibleName(QString::fromUtf8(texts::kHelpTitle));
  table->setHorizontalHeaderLabels(
      {QString::fromUtf8(texts::kHelpKeyHeader), QString::fromUtf8(texts::kHelpActionHeader)});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setWordWrap(false);
  int row = 0;
  for (const texts::KeyHelp& line : texts::kKeyHelp) {
    table->setItem(row, 0, new QTableWidgetItem(QString::fromUtf8(line.keys)));
    table->setItem(row, 1, new QTableWidgetItem(QString::fromUtf8(line.action)));
    ++row;
  }
  table->resizeColumnsToContents();
  table->resizeRowsToContents();
  table->horizontalHeader()->setStretchLastSection(true);
  // Big enough to show every line without scrolling.
  const int width = table->horizontalHeader()->length() + 2 * table->frameWidth() + 8;
  const int height = table->verticalHeader()->length() + table->horizontalHeader()->height() +
                     2 * table->frameWidth();
  table->setMinimumSize(width, height);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table);
}

}  // namespace tesura::ui
