// SPDX-License-Identifier: MIT
#include "ui/resources.h"

#include <QtCore/qglobal.h>

#include <QGuiApplication>

// Q_INIT_RESOURCE must be used outside any namespace.
static void init_tesura_resources() {
  Q_INIT_RESOURCE(tesura);
}

namespace tesura::ui {

void init_resources() {
  static const bool done = (init_tesura_resources(), true);
  (void)done;
}

qreal screen_ratio() {
  return qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
}

QString twice_size_name(const QString& name) {
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  const qsizetype stem = dot < 0 ? name.size() : dot;
  return name.left(stem) + QStringLiteral("@2x") + name.mid(stem);
}

QPixmap resource_picture(const QString& path, qreal device_pixel_ratio) {
  init_resources();
  if (device_pixel_ratio >= kHighResolution) {
    QPixmap sharp(twice_size_name(path));
    if (!sharp.isNull()) {
      sharp.setDevicePixelRatio(2);
      return sharp;
    }
  }
  return QPixmap(path);
}

QPixmap window_picture(const QString& name) {
  return resource_picture(QStringLiteral(":/images/") + name);
}

}  // namespace tesura::ui
