#include "ui/sound.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace tesura::ui {

namespace {
// A broken audio stack must not freeze the window: the notification lasts
// well under a second, so give up long after it should have ended.
constexpr int kGiveUpMs = 5000;
}  // namespace

void QtSoundPlayer::play_and_wait(const QString& path) {
  if (!QFileInfo(path).isFile()) return;
  if (QMediaDevices::audioOutputs().isEmpty()) return;

  QSoundEffect effect;
  QEventLoop loop;
  bool done = false;
  auto finish = [&] {
    done = true;
    loop.quit();
  };
  QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
    if (effect.status() == QSoundEffect::Ready && !effect.isPlaying())
      effect.play();
    else if (effect.status() == QSoundEffect::Error)
      finish();
  });
  QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
    if (!effect.isPlaying() && effect.status() == QSoundEffect::Ready) finish();
  });
  QTimer give_up;
  give_up.setSingleShot(true);
  QObject::connect(&give_up, &QTimer::timeout, &loop, finish);
  give_up.start(kGiveUpMs);

  effect.setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
  if (effect.status() == QSoundEffect::Ready && !effect.isPlaying()) effect.play();
  // Paint and timer events go on; mouse and keys wait until the sound ends.
  if (!done) loop.exec(QEventLoop::ExcludeUserInputEvents);
  effect.stop();
}

}  // namespace tesura::ui
