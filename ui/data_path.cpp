// SPDX-License-Identifier: MIT
#include "ui/data_path.h"

#include <QCoreApplication>
#include <QFileInfo>

#ifndef TESURA_DATA_DIR
#error "the build passes the installed data folder as TESURA_DATA_DIR"
#endif

namespace tesura::ui {

QString data_file_path(const QString& name) {
  QString installed = QStringLiteral(TESURA_DATA_DIR) + QLatin1Char('/') + name;
  if (QFileInfo(installed).isFile()) return installed;
  return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

}  // namespace tesura::ui
