// SPDX-License-Identifier: MIT
#include "ui/dialogs.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

namespace tesura::ui {

void QtDialogs::show_message(QWidget* parent, const QString& text, const QString& caption) {
  // The version text separates its lines with CR CR LF; shown as one break.
  QString shown = text;
  shown.replace(QStringLiteral("\r\r\n"), QStringLiteral("\n"));
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));

  QMessageBox box(QMessageBox::NoIcon, caption, shown, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  // Some desktop styles put an icon on dialog buttons; the box has none.
  if (QAbstractButton* ok = box.button(QMessageBox::Ok)) ok->setIcon(QIcon());
  box.exec();
}

}  // namespace tesura::ui
