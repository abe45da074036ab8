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

// Without a sound server the multimedia layer complains on every probe; the
// notification is a nicety, so its troubles are not the user's business.
QtMessageHandler chained = nullptr;
void drop_audio_chatter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  const QLatin1String category(context.category ? context.category : "");
  if (category.startsWith(QLatin1String("qt.multimedia")) ||
      text.startsWith(QLatin1String("PulseAudioService")) ||
      text.startsWith(QLatin1String("QSoundEffect")))
    return;
  if (chained) chained(type, context, text);
}

class QuietAudio {
 public:
  QuietAudio() { chained = qInstallMessageHandler(drop_audio_chatter); }
  ~QuietAudio() { qInstallMessageHandler(chained); }
  QuietAudio(const QuietAudio&) = delete;
  QuietAudio& operator=(const QuietAudio&) = delete;
};

// A broken audio stack must not freeze the window: the notification lasts
// well under a second, so give up long after it should have ended.
constexpr int kGiveUpMs = 5000;
}  // namespace

void QtSoundPlayer::play_and_wait(const QString& path) {
  if (!QFileInfo(path).isFile()) return;
  const QuietAudio quiet;
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
