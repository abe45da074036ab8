// SPDX-License-Identifier: MIT
// The notification through the real sound layer, heard on the monitor of the
// null sink of a private sound server (with_pulse.sh starts it).
#include "ui/sound.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryFile>
#include <QTest>
#include <QtEndian>

using tesura::ui::QtSoundPlayer;

namespace {
// The recording: mono 16-bit samples at this rate.
constexpr int kRate = 44100;
// notify.wav holds 7056 samples at 22050 Hz and is loud to its last sample.
constexpr double kSoundMs = 320;

// Everything the server plays, from construction until stop().
struct Recorder {
  QProcess parec;
  QByteArray pcm;
  Recorder() {
    parec.start("parec", {"--device=null.monitor", "--format=s16le", "--channels=1",
                          QString("--rate=%1").arg(kRate), "--latency-msec=5"});
  }
  // Samples that have arrived so far.
  qsizetype heard() {
    parec.waitForReadyRead(0);
    pcm += parec.readAllStandardOutput();
    return pcm.size() / 2;
  }
  QByteArray stop() {
    parec.kill();
    parec.waitForFinished(5000);
    return pcm + parec.readAllStandardOutput();
  }
};

// First and one past the last sample clearly above the noise floor.
std::pair<qsizetype, qsizetype> loud_span(const QByteArray& pcm) {
  qsizetype first = -1, end = 0;
  for (qsizetype i = 0; i + 1 < pcm.size(); i += 2) {
    if (std::abs(qFromLittleEndian<qint16>(pcm.constData() + i)) <= 64) continue;
    if (first < 0) first = i / 2;
    end = i / 2 + 1;
  }
  return {first, end};
}
}  // namespace

TEST(Sound, NotificationIsHeardToItsEndBeforeTheCallReturns) {
  Recorder recorder;
  ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.heard() > kRate / 10; }, 10000));
  QtSoundPlayer().play_and_wait(TESURA_NOTIFY_WAV);
  const qsizetype at_return = recorder.heard();
  QTest::qWait(300);  // a call that returned early would leave sound to come
  const auto [first, end] = loud_span(recorder.stop());
  auto ms = [](qsizetype samples) { return 1000.0 * double(samples) / kRate; };
  const QString seen = QString("heard %1 ms from %2 ms, ending %3 ms before the return")
                           .arg(ms(end - first))
                           .arg(ms(first))
                           .arg(ms(at_return - end));
  EXPECT_TRUE(first >= 0 && std::abs(ms(end - first) - kSoundMs) <= 3) << seen.toStdString();
  EXPECT_LE(end, at_return) << seen.toStdString();
}

TEST(Sound, MalformedFilesPlayNothing) {
  QFile good(TESURA_NOTIFY_WAV);
  const QByteArray wav = good.open(QIODevice::ReadOnly) ? good.readAll() : QByteArray();
  ASSERT_EQ(wav.mid(36, 4), "data");
  auto patched = [&](qsizetype at, quint32 value, int width) {
    QByteArray bytes = wav;
    for (int k = 0; k < width; ++k) bytes[at + k] = char(value >> (8 * k));
    return bytes;
  };
  const QList<QByteArray> broken = {
      wav.first(11),               // cut inside the header
      wav.first(30),               // cut inside the format chunk
      wav.first(44 + 1000),        // data chunk runs past the end
      patched(40, 0xFFFFFFFF, 4),  // data size beyond any file
      patched(16, 0xFFFFFFF0, 4),  // format size beyond the file
      patched(16, 4, 4),           // format chunk too short
      patched(20, 2, 2),           // compressed samples
      patched(22, 0, 2),           // no channels
      patched(36, 0x6B6E756A, 4),  // no data chunk ("junk")
  };
  Recorder recorder;
  ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.heard() > kRate / 10; }, 10000));
  for (const QByteArray& bytes : broken) {
    QTemporaryFile file;
    ASSERT_TRUE(file.open() && file.write(bytes) == bytes.size() && file.flush());
    QtSoundPlayer().play_and_wait(file.fileName());
  }
  QTest::qWait(200);
  EXPECT_EQ(loud_span(recorder.stop()).first, -1);
}

int main(int argc, char** argv) {
  int status = 0;
  {
    const QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    status = RUN_ALL_TESTS();
  }
  tesura::ui::exit_without_audio_teardown(status);
}
