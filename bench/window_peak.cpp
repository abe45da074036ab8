// SPDX-License-Identifier: MIT
// The window's peak virtual size: once shown, and after every board of a
// file has been pasted, accepted and solved in one go, each followed by
// 再入力. Message boxes and the sound are silent. Run it from the folder
// of the tile files:
//
//   cd build/ui && QT_QPA_PLATFORM=offscreen ../bench/window_peak FILE
//
// Prints the boards solved and both peaks, in kB; the difference is what
// the solves added to a window's address space.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/peak_memory.h"
#include "ui/dialogs.h"
#include "ui/form1.h"
#include "ui/sound.h"
#include "ui/tile_loader.h"

namespace {

struct Silent final : tesura::ui::Dialogs, tesura::ui::SoundPlayer {
  void show_message(QWidget*, const QString&, const QString&) override {}
  void play_and_wait(const QString&) override {}
};

}  // namespace

int main(int argc, char** argv) {
  std::ifstream in(argc == 2 ? argv[1] : "");
  if (!in) {
    std::fprintf(stderr, "usage: window_peak FILE\n");
    return 2;
  }
  QApplication app(argc, argv);
  Silent silent;
  std::ostringstream warnings;
  tesura::ui::TileLoader tiles{warnings};
  tesura::ui::Form1 window{silent, silent, tiles};
  window.show();
  // Until the window has been exposed and painted.
  QEventLoop settle;
  QTimer::singleShot(300, &settle, &QEventLoop::quit);
  settle.exec();
  const long shown = tesura::bench::peak_virtual_kb();
  const auto click = [&](const char* name) {
    window.findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
    QApplication::processEvents();
  };
  int boards = 0;
  for (std::string line; std::getline(in, line);) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(line));
    window.findChild<QAction*>(QStringLiteral("paste"))->trigger();
    click("btninput");
    click("btnans");
    click("btnrestart");
    ++boards;
  }
  std::printf("boards=%d shown_kb=%ld solved_kb=%ld\n", boards, shown,
              tesura::bench::peak_virtual_kb());
  return 0;
}
