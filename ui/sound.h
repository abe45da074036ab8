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

}  // namespace tesura::ui
