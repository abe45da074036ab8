// SPDX-License-Identifier: MIT
#pragma once
// The program: the application object, the real message boxes and sound, and
// the window, run until the window is closed.
#include <functional>

namespace tesura::ui {

class Form1;

// Returns the event loop's exit status. started, when set, is called once
// with the shown window, before the event loop runs (a scripted run drives
// the window from there); argc and argv must outlive the call.
int run_window(int& argc, char** argv, const std::function<void(Form1&)>& started = {});

}  // namespace tesura::ui
