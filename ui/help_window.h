// SPDX-License-Identifier: MIT
#pragma once
// The key help that F1 opens: a small window of its own listing every key
// as a two-column table, closed by Esc.
#include <QDialog>

namespace tesura::ui {

class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent);
};

}  // namespace tesura::ui
