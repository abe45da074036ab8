// SPDX-License-Identifier: MIT
// Tesura: enter a 9 x 9 number-placement puzzle with the mouse and solve it.
// The program takes no command line and keeps no settings.
#include <QApplication>
#include <iostream>

#include "ui/dialogs.h"
#include "ui/form1.h"
#include "ui/sound.h"
#include "ui/tile_loader.h"

int main(int argc, char** argv) {
  int status = 0;
  {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tesura"));
    // The id of the installed menu entry, which names the window's icon on Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tesura.Tesura"));

    tesura::ui::QtDialogs dialogs;
    tesura::ui::QtSoundPlayer sound;
    tesura::ui::TileLoader tiles(std::cerr);
    tesura::ui::Form1 window(dialogs, sound, tiles);
    window.show();
    status = QApplication::exec();
  }
  tesura::ui::exit_without_audio_teardown(status);
}
