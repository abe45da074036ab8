// SPDX-License-Identifier: MIT
// The program's own start (run_window: real boxes, real sound) driven by a
// script on whatever platform Qt is given; with_weston.sh runs it under
// Weston and offscreen, and compares the two pictures.
//   wayland_journey [--seatless] [--grab FILE | --screenshot DIR]
//       the journey; exits as 終了 does
//   wayland_journey --compare SCREENSHOT GRAB          GRAB must appear in SCREENSHOT
#include <QMessageBox>
#include <QProcess>
#include <cstdio>
#include <cstdlib>

#include "../ui/window_harness.h"
#include "model/texts.h"
#include "ui/app.h"

namespace {

using namespace tesura::ui;
using namespace tesura::ui::testing;

const std::string kTyped =
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
const std::string kTypedAnswer =
    "483921657967345821251876493548132976729564138136798245372689514814253769695417382";
const std::string kPasted =
    "85...24..72......9..4.........1.7..23.5...9...4...........8..7..17..........36.4.";
const std::string kPastedAnswer =
    "859612437723854169164379528986147352375268914241593786432981675617425893598736241";

void check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  std::fflush(stdout);
  if (!ok) std::_Exit(3);
}

void solve(Form1& w) {
  press(button(w, "btninput"));
  press(button(w, "btnans"));
}

// Closes the version box once it is up, noting what it showed.
void close_version_box_when_shown(QString* caption) {
  QTimer::singleShot(50, [caption] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !QTest::qWaitForWindowExposed(box)) return close_version_box_when_shown(caption);
    *caption = box->windowTitle();
    box->button(QMessageBox::Ok)->click();
  });
}

// Keys go to the window as the platform delivers them, so shortcuts work
// only where the compositor has made the window active.
void key(Form1& w, int key, Qt::KeyboardModifiers mod = Qt::NoModifier) {
  QTest::keyClick(w.windowHandle(), Qt::Key(key), mod);
}

void journey(Form1& w, const QStringList& args) {
  // A step that waits for the compositor forever fails instead.
  QTimer::singleShot(60000, [] { check(false, "the journey within a minute"); });
  // A compositor without a seat has no keyboard focus and no clipboard.
  const bool seat = !args.contains(QStringLiteral("--seatless"));
  const auto option = [&args](const char* name) {
    const qsizetype at = args.indexOf(QLatin1String(name));
    return at > 0 && at + 1 < args.size() ? args[at + 1] : QString();
  };
  check(QTest::qWaitForWindowExposed(&w), "the window maps");
  if (seat) check(QTest::qWaitFor([&w] { return w.isActiveWindow(); }), "the window is active");

  for (int i = 0; i < 81; ++i)
    if (kTyped[i] != '.') {
      cell_at(w, i / 9 + 1, i % 9 + 1)->setFocus();
      key(w, Qt::Key_0 + (kTyped[i] - '0'));
    }
  check(digits(w) == kTyped, "a puzzle typed cell by cell");
  solve(w);
  check(digits(w) == kTypedAnswer, "the typed puzzle solved");

  // Let the compositor show the last frame before it is pictured.
  QTest::qWait(300);
  if (const QString file = option("--grab"); !file.isEmpty())
    check(w.grab().save(file), "offscreen picture");
  if (const QString dir = option("--screenshot"); !dir.isEmpty()) {
    QProcess shooter;
    shooter.setWorkingDirectory(dir);
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    check(shooter.waitForFinished(10000) && shooter.exitCode() == 0, "weston-screenshooter");
  }

  std::string shown = kTypedAnswer;
  if (seat) {
    press(button(w, "btnrestart"));
    QGuiApplication::clipboard()->setText(QString::fromStdString(kPasted));
    key(w, Qt::Key_V, Qt::ControlModifier);
    check(digits(w) == kPasted, "a puzzle pasted with Ctrl+V");
    solve(w);
    check(digits(w) == kPastedAnswer, "the pasted puzzle solved");
    shown = kPastedAnswer;
  }

  QString caption;
  close_version_box_when_shown(&caption);
  item(w, "mnuver")->trigger();
  check(caption == QString::fromUtf8(tesura::texts::kVersion), "the version box opens and closes");
  check(digits(w) == shown, "the board as it was");

  item(w, "mnuend")->trigger();  // 終了: the status is the program's own
}

// Where grab appears in shot: the offset with the fewest differing pixels,
// found on a sparse grid of pixels, then counted in full.
int compare(const QString& shot_file, const QString& grab_file) {
  const QImage shot = QImage(shot_file).convertToFormat(QImage::Format_RGB32);
  const QImage grab = QImage(grab_file).convertToFormat(QImage::Format_RGB32);
  if (shot.isNull() || grab.isNull() || grab.width() > shot.width() ||
      grab.height() > shot.height()) {
    std::printf("cannot compare %s with %s\n", qPrintable(shot_file), qPrintable(grab_file));
    return 1;
  }
  auto differing = [&](int ox, int oy, int step) {
    int n = 0;
    for (int y = 0; y < grab.height(); y += step)
      for (int x = 0; x < grab.width(); x += step)
        n += shot.pixel(ox + x, oy + y) != grab.pixel(x, y);
    return n;
  };
  QPoint best;
  int best_n = INT_MAX;
  for (int oy = 0; oy + grab.height() <= shot.height(); ++oy)
    for (int ox = 0; ox + grab.width() <= shot.width(); ++ox)
      if (const int n = differing(ox, oy, 7); n < best_n) best_n = n, best = QPoint(ox, oy);
  const int n = differing(best.x(), best.y(), 1);
  const int all = grab.width() * grab.height();
  std::printf("window at (%d, %d) in the screenshot: %d of %d pixels differ\n", best.x(), best.y(),
              n, all);
  // The same raster engine draws both; only a stray pixel of the
  // compositor's own (a cursor, say) may differ.
  return n * 1000 <= all ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string_view(argv[1]) == "--compare") {
    QGuiApplication app(argc, argv);
    return compare(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
  }
  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  const int status = run_window(argc, argv, [&args](Form1& w) {
    QTimer::singleShot(0, &w, [&w, &args] { journey(w, args); });
  });
  std::printf("exit status %d\n", status);
  exit_without_audio_teardown(status);
}
