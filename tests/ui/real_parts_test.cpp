// The real message box and the real sound layer, which the window tests
// replace with recorders.
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "ui/dialogs.h"
#include "ui/sound.h"
#include "ui/version_text.h"

using namespace tesura::ui;

namespace {
QStringList messages;
void record_message(QtMsgType, const QMessageLogContext&, const QString& text) {
  messages << text;
}
}  // namespace

class RealPartsTest : public QObject {
  Q_OBJECT
 private slots:
  void messageBoxIsOkOnlyWithoutIcons();
  void soundIsSilentWhenItCannotPlay();
};

void RealPartsTest::messageBoxIsOkOnlyWithoutIcons() {
  QtDialogs dialogs;
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::Warning;
  int buttons = -1;
  bool button_icon = true;
  // Looks at the box once it is up, then closes it as a user would.
  QTimer poll;
  connect(&poll, &QTimer::timeout, this, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    poll.stop();
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    buttons = static_cast<int>(box->buttons().size());
    button_icon = !box->button(QMessageBox::Ok)->icon().isNull();
    box->button(QMessageBox::Ok)->click();
  });
  poll.start(0);
  dialogs.show_message(nullptr, version_box_text(), QString::fromUtf8(kVersionCaption));
  poll.stop();

  QCOMPARE(title, QStringLiteral("バージョン情報"));
  QCOMPARE(icon, QMessageBox::NoIcon);
  QCOMPARE(buttons, 1);
  QVERIFY(!button_icon);
  // The CR CR LF after the version line is one line break on screen.
  QVERIFY2(text.startsWith(QStringLiteral("   Tesura  Ver.  2.2.20\n")), qPrintable(text));
  QVERIFY(!text.contains(QLatin1Char('\r')));
}

void RealPartsTest::soundIsSilentWhenItCannotPlay() {
  messages.clear();
  const QtMessageHandler previous = qInstallMessageHandler(record_message);
  QtSoundPlayer player;
  player.play_and_wait(QStringLiteral("/nonexistent/notify.wav"));
  QFile junk(QStringLiteral("not_a_sound.wav"));
  QVERIFY(junk.open(QIODevice::WriteOnly));
  junk.write("RIFF....WAVEjunk");
  junk.close();
  player.play_and_wait(junk.fileName());
  qInstallMessageHandler(previous);
  junk.remove();
  QCOMPARE(messages.join('|'), QString());
}

QTEST_MAIN(RealPartsTest)
#include "real_parts_test.moc"
