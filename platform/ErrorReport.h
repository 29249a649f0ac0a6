// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class Platform;

// Runs one event handler. A failure that escapes it is shown in a message box captioned "LexiTrainer"
// with an error icon; what the handler did before the failing step stays done and the program goes on.
void runReported(Platform& platform, const std::function<void()>& handler);

// A window's handler as a slot that runs it through the error report.
template <typename Window> auto reported(Platform& platform, Window* window, void (Window::*handler)()) {
    return
        [&platform, window, handler] { runReported(platform, [window, handler] { (window->*handler)(); }); };
}
