// The real message box and sound layer, which the window tests replace.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryFile>
#include <QTimer>
#include <QtTest>

#include "ui/dialogs.h"
#include "ui/sound.h"
#include "ui/version_text.h"

using namespace tesura::ui;

namespace {
QStringList messages;
void record(QtMsgType, const QMessageLogContext&, const QString& text) {
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
  QString seen;
  // Reads the box once it is up, then closes it as a user would.
  QTimer poll;
  connect(&poll, &QTimer::timeout, this, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    poll.stop();
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    seen = QString("%1|%2|%3|%4|")
               .arg(box->windowTitle())
               .arg(box->icon())
               .arg(box->buttons().size())
               .arg(ok->icon().isNull()) +
           box->text();
    ok->click();
  });
  poll.start(0);
  QtDialogs().show_message(nullptr, version_box_text(), kVersionCaption);
  // The CR CR LF after the version line is one line break on screen.
  QVERIFY2(seen.startsWith("バージョン情報|0|1|1|   Tesura  Ver.  2.2.20\n"), qPrintable(seen));
  QVERIFY(!seen.contains('\r'));
}

void RealPartsTest::soundIsSilentWhenItCannotPlay() {
  QTemporaryFile junk("XXXXXX.wav");
  QVERIFY(junk.open() && junk.write("RIFF....WAVEjunk") > 0);
  junk.close();
  messages.clear();
  const QtMessageHandler previous = qInstallMessageHandler(record);
  QtSoundPlayer player;
  player.play_and_wait("/nonexistent/notify.wav");
  player.play_and_wait(junk.fileName());
  qInstallMessageHandler(previous);
  QCOMPARE(messages.join('|'), QString());
}

QTEST_MAIN(RealPartsTest)
#include "real_parts_test.moc"
