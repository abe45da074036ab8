// SPDX-License-Identifier: MIT
#include "ui/sound.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QByteArrayView>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QTimer>
#include <QtEndian>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace tesura::ui {

namespace {

// Without a sound server the multimedia layer complains on every probe; the
// notification is a nicety, so its troubles are not the user's business.
QtMessageHandler chained = nullptr;
void drop_audio_chatter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  static const QLatin1String kChatter[] = {
      QLatin1String("PulseAudioService"), QLatin1String("No audio device detected"),
      QLatin1String("Stream error"), QLatin1String("Failed to get server information"),
      QLatin1String("Failed to get sink information")};
  const QLatin1String category(context.category ? context.category : "");
  if (category.startsWith(QLatin1String("qt.multimedia"))) return;
  for (const QLatin1String& chatter : kChatter)
    if (text.contains(chatter)) return;
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
// A notification is a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxFileBytes = 16 << 20;
// Stopping the output drops whatever it still holds, and the played position
// it reports is an estimate that never passes what it was fed. So the sound
// is followed by this much silence, and the wait goes on this far past the
// sound's end: the sound is heard whole and only silence is dropped.
constexpr qint64 kTailUs = 100'000;
constexpr qint64 kSettleUs = 40'000;

struct Pcm {
  QAudioFormat format;
  QByteArray samples;
};

quint32 u32(QByteArrayView bytes, qsizetype at) {
  return qFromLittleEndian<quint32>(bytes.data() + at);
}
quint16 u16(QByteArrayView bytes, qsizetype at) {
  return qFromLittleEndian<quint16>(bytes.data() + at);
}

std::optional<QAudioFormat> pcm_format(QByteArrayView fmt) {
  if (fmt.size() < 16) return std::nullopt;
  const quint16 tag = u16(fmt, 0);
  const quint16 channels = u16(fmt, 2);
  const quint32 rate = u32(fmt, 4);
  const quint16 block_align = u16(fmt, 12);
  const quint16 bits = u16(fmt, 14);
  QAudioFormat::SampleFormat sample = QAudioFormat::Unknown;
  if (tag == 1 && bits == 8) sample = QAudioFormat::UInt8;
  if (tag == 1 && bits == 16) sample = QAudioFormat::Int16;
  if (tag == 1 && bits == 32) sample = QAudioFormat::Int32;
  if (tag == 3 && bits == 32) sample = QAudioFormat::Float;
  if (sample == QAudioFormat::Unknown || channels == 0 || channels > 8 || rate == 0 ||
      rate > 384'000 || block_align != channels * (bits / 8))
    return std::nullopt;
  QAudioFormat format;
  format.setSampleFormat(sample);
  format.setChannelCount(channels);
  format.setSampleRate(static_cast<int>(rate));
  return format;
}

// A RIFF WAVE file of plain PCM: its "fmt " and "data" chunks, found among
// any others, each wholly inside the file.
std::optional<Pcm> read_wav(QByteArrayView file) {
  if (file.size() < 12 || !file.startsWith("RIFF") || file.sliced(8, 4) != "WAVE")
    return std::nullopt;
  std::optional<QAudioFormat> format;
  std::optional<QByteArrayView> data;
  for (qsizetype at = 12; file.size() - at >= 8;) {
    const QByteArrayView id = file.sliced(at, 4);
    const quint32 size = u32(file, at + 4);
    at += 8;
    if (size > static_cast<quint64>(file.size() - at)) return std::nullopt;
    const QByteArrayView body = file.sliced(at, size);
    if (id == "fmt ") format = pcm_format(body);
    if (id == "data") data = body;
    at += size + (size & 1);
  }
  if (!format || !data) return std::nullopt;
  const qsizetype whole = data->size() - data->size() % format->bytesPerFrame();
  if (whole == 0) return std::nullopt;
  return Pcm{*format, data->first(whole).toByteArray()};
}

}  // namespace

void QtSoundPlayer::play_and_wait(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes) return;
  std::optional<Pcm> pcm = read_wav(file.readAll());
  if (!pcm) return;
  const QuietAudio quiet;
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) return;

  const QAudioFormat& format = pcm->format;
  const qint64 end_us = format.durationForBytes(static_cast<qint32>(pcm->samples.size()));
  const char silence = format.sampleFormat() == QAudioFormat::UInt8 ? char(0x80) : char(0);
  pcm->samples.append(format.bytesForDuration(kTailUs), silence);
  QBuffer source(&pcm->samples);
  source.open(QIODevice::ReadOnly);
  QAudioSink sink(device, format);

  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (sink.state() == QAudio::StoppedState || sink.processedUSecs() >= end_us + kSettleUs)
      loop.quit();
  });
  QTimer::singleShot(kGiveUpMs, &loop, &QEventLoop::quit);
  sink.start(&source);
  poll.start(5);
  // Paint and timer events go on; mouse and keys wait until the sound ends.
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  sink.stop();
}

void exit_without_audio_teardown(int status) {
  std::fflush(nullptr);
  std::_Exit(status);
}

}  // namespace tesura::ui
