// SPDX-License-Identifier: MIT
#pragma once
// Playing the notification after the version box: the call returns when the
// sound has finished, and the window takes no input meanwhile.
#include <QString>

namespace tesura::ui {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Plays the WAV file at path and returns when it has ended. A file that
  // cannot be played, or a machine without an audio output, gives silence
  // at once and no message.
  virtual void play_and_wait(const QString& path) = 0;
};

class QtSoundPlayer : public SoundPlayer {
 public:
  void play_and_wait(const QString& path) override;
};

// Ends the process once everything of ours has been torn down, without the
// exit-time destructors: Qt Multimedia closes its sound-server connection in
// one of them, racing its own event thread, and now and then that aborts a
// program that had finished its work (seen with Qt 6.4 and PulseAudio 16).
[[noreturn]] void exit_without_audio_teardown(int status);

}  // namespace tesura::ui
