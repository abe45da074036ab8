// SPDX-License-Identifier: MIT
#pragma once
// The window's pictures and the built-in tiles live in a resource file that
// is linked in from a static library, so it has to be registered by hand.
// Each picture is there twice: "name.png" and, drawn at twice the size for
// high-resolution screens, "name@2x.png".
#include <QPixmap>
#include <QString>

namespace tesura::ui {

void init_resources();

// From this device-pixel ratio on, the twice-size pictures are drawn.
inline constexpr qreal kHighResolution = 1.5;

// The highest device-pixel ratio among the screens (1 without any).
qreal screen_ratio();

// "G007.bmp" -> "G007@2x.bmp": the name Qt gives a picture's twice-size copy.
QString twice_size_name(const QString& name);

// A compiled-in picture (":/tiles/G007.bmp"); at a high device-pixel ratio
// its twice-size copy, marked so that it covers the same area when drawn.
QPixmap resource_picture(const QString& path, qreal device_pixel_ratio = screen_ratio());

// One of the window's own pictures, by file name ("background.png").
QPixmap window_picture(const QString& name);

}  // namespace tesura::ui
