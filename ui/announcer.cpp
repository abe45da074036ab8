// SPDX-License-Identifier: MIT
#include "ui/announcer.h"

#include <QAccessible>

namespace tesura::ui {

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("announcer"));
  // A point in the corner that paints nothing and takes no input.
  setGeometry(0, 0, 1, 1);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
}

void Announcer::announce(const QString& text) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  QAccessibleAnnouncementEvent event(window(), text);
  QAccessible::updateAccessibility(&event);
#else
  setAccessibleName(text);
  hide();
  show();
#endif
  emit announced(text);
}

}  // namespace tesura::ui
