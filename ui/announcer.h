// SPDX-License-Identifier: MIT
#pragma once
// Tells a screen reader what just happened (a solve, a refusal, a rejected
// paste, a completed board) without showing anything on screen.
//
// Qt 6.8 and later have an announcement event for this. Before that, the
// announcer is a notification that paints nothing: each announcement becomes
// its name and it is shown afresh, which AT-SPI passes on as a notification
// becoming visible, and screen readers speak such a notification's name.
#include <QWidget>

namespace tesura::ui {

class Announcer : public QWidget {
  Q_OBJECT
 public:
  explicit Announcer(QWidget* parent);
  void announce(const QString& text);

 signals:
  // Each announcement, as it goes out.
  void announced(const QString& text);
};

}  // namespace tesura::ui
