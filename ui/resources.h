#pragma once
// The window's pictures and the built-in tiles live in a resource file that
// is linked in from a static library, so it has to be registered by hand.

namespace tesura::ui {
void init_resources();
}
