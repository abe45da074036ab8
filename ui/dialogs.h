// SPDX-License-Identifier: MIT
#pragma once
// Message boxes. The window only ever says something through this interface,
// so that its behaviour can be checked without a person closing boxes.
#include <QString>

class QWidget;

namespace tesura::ui {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal box with the OK button only and no icon; returns once it is closed.
  virtual void show_message(QWidget* parent, const QString& text, const QString& caption) = 0;
};

// The real boxes.
class QtDialogs : public Dialogs {
 public:
  void show_message(QWidget* parent, const QString& text, const QString& caption) override;
};

}  // namespace tesura::ui
