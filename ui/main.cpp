// SPDX-License-Identifier: MIT
// Tesura: enter a 9 x 9 number-placement puzzle with the mouse and solve it.
// The program takes no command line and keeps no settings.
#include "ui/app.h"
#include "ui/sound.h"

int main(int argc, char** argv) {
  tesura::ui::exit_without_audio_teardown(tesura::ui::run_window(argc, argv));
}
