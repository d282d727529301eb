#pragma once

// What a host gives the saver session: its monitors, windows over them, the desktop's services
// and the end of its message loop.

#include "platform/core/HostEvents.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Rect.h"
#include "shell/SaverPlatform.h"

#include <memory>
#include <string>
#include <vector>

namespace dd {

// A monitor's area in device pixels of the desktop. The name tells it apart from the others
// while monitors come and go.
struct TMonitor {
    std::string name;
    TRect area;
    bool primary = false;
    bool operator==(const TMonitor&) const = default;
};

// A window of the saver: the field's, showing the surface enlarged a whole number of times and
// centred on black, or a black cover.
class TSaverWindow {
public:
    virtual ~TSaverWindow() = default;
    // Shows the window over `monitor`; asked again when monitors changed.
    virtual void Cover(const TMonitor& monitor) = 0;
    // `area` is in surface pixels.
    virtual void Present(const TRect& area) = 0;
    // Gives the window the keyboard; covers shown after it may have taken it.
    virtual void TakeKeyboard() = 0;
};

class TSaverBackEnd : public TDesktopServices {
public:
    // At least one; the primary one is marked.
    virtual std::vector<TMonitor> Monitors() const = 0;
    // The field's window, showing `surface` `scale` times its size, or with no surface a black
    // cover. Not shown until asked to cover a monitor.
    virtual std::unique_ptr<TSaverWindow>
    OpenWindow(const std::string& caption, const Bitmap* surface, int scale, HostEvents events) = 0;
    // Ends the message loop once control returns to it.
    virtual void Quit() = 0;
};

} // namespace dd
