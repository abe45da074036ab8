// SPDX-License-Identifier: MIT
#include "ui/app.h"

#include <QApplication>
#include <iostream>

#include "ui/dialogs.h"
#include "ui/form1.h"
#include "ui/sound.h"
#include "ui/tile_loader.h"

namespace tesura::ui {

int run_window(int& argc, char** argv, const std::function<void(Form1&)>& started) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tesura"));
  // The id of the installed menu entry: a Wayland desktop finds the window's
  // name and icon through it (xdg_toplevel's app id).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.tesura.Tesura"));

  QtDialogs dialogs;
  QtSoundPlayer sound;
  TileLoader tiles(std::cerr);
  Form1 window(dialogs, sound, tiles);
  window.show();
  if (started) started(window);
  return QApplication::exec();
}

}  // namespace tesura::ui
