#pragma once

#include "platform/core/ErrorBoundary.h"

#include <functional>

namespace dd {

// What a host window reports, translated: virtual-key codes, typed characters and mouse events
// in device pixels from the window's top left.
struct HostEvents {
    std::function<void(int key)> keyDown;
    std::function<void(int key)> keyUp;
    std::function<void(char key)> keyPress;
    std::function<void(int x, int y)> mouseDown;
    std::function<void(int x, int y)> mouseMove;
    // Whether an ordinary close request may close the window.
    std::function<bool()> closeQuery;
    // A system command (Windows' WM_SYSCOMMAND); true when it was answered and must not reach
    // the default procedure.
    std::function<bool(unsigned command)> systemCommand;
    // The monitors or their sizes changed (Windows' WM_DISPLAYCHANGE).
    std::function<void()> displayChange;
    // Someone else destroyed the window (the foreign window a saver is drawn into).
    std::function<void()> windowGone;
    // Gets what a handler throws.
    ErrorHandler error;
};

} // namespace dd
