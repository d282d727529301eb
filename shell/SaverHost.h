#pragma once

// The one seam between the screen saver and a host (Qt, Win32): what a host gives the saver
// (SaverHost: its monitors, windows over them, the desktop's services and the end of its
// message loop), and what it tells the saver (SaverInput: what happened, and in which window).
// Each host implements the first once, the saver session the second; the tests fake both.

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Rect.h"
#include "platform/gfx/SurfacePlacement.h"
#include "platform/io/WavePlayer.h"

#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace dd {

enum class MessageIcon { Information, Exclamation, Error };

// The help text the saver shows on H: the help window's lines and its text box's size.
struct HelpText {
    std::vector<std::string> lines;
    int width = 0;
    int height = 0;
};

// A monitor's area in device pixels of the desktop. The name tells it apart from the others
// while monitors come and go.
struct TMonitor {
    std::string name;
    TRect area;
    bool primary = false;
    bool operator==(const TMonitor&) const = default;
};

// A window of the saver: the field's, showing the surface as its placement says, or a black
// cover.
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

// What a host reports, translated: virtual-key codes, typed characters, pointer positions in
// device pixels of the window they happened in. Errors are the saver's to handle: nothing here
// throws.
class SaverInput {
public:
    virtual ~SaverInput() = default;
    virtual void KeyDown(int key) = 0;
    virtual void KeyUp(int key) = 0;
    virtual void Character(char key) = 0;
    virtual void PointerMoved(const TSaverWindow& window, TPoint at) = 0;
    virtual void Clicked(const TSaverWindow& window, TPoint at) = 0;
    // Whether an ordinary close request may close a window of the saver.
    virtual bool CloseRequested() = 0;
    // A system command (Windows' WM_SYSCOMMAND); true when it was answered and must not reach
    // the default procedure.
    virtual bool SystemCommand(unsigned command) = 0;
    // Monitors came, went or changed size.
    virtual void MonitorsChanged() = 0;
    // Someone else destroyed the window the saver draws into.
    virtual void WindowGone() = 0;
    // The system asks the saver to end: no password is asked for.
    virtual void EndBySignal() = 0;
    // An error reached the host's message loop.
    virtual void Fail(const std::exception& error) = 0;
};

class SaverHost {
public:
    virtual ~SaverHost() = default;

    // At least one; the primary one is marked.
    virtual std::vector<TMonitor> Monitors() const = 0;
    // The field's window, showing `surface` where `placement` puts it on the monitor it will
    // cover, or with no surface a black cover; it reports to `input`. Not shown until asked to
    // cover a monitor.
    virtual std::unique_ptr<TSaverWindow> OpenWindow(const std::string& caption,
                                                     const Bitmap* surface,
                                                     const SurfacePlacement& placement,
                                                     SaverInput& input) = 0;
    // Ends the message loop once control returns to it.
    virtual void Quit() = 0;

    // Tells the desktop a screen saver runs, so it starts none of its own.
    virtual void SetScreenSaverRunning(bool running) = 0;
    // The application-wide mouse cursor: hidden, or the default arrow.
    virtual void SetCursorHidden(bool hidden) = 0;
    virtual void MessageBox(const std::string& text, const std::string& caption,
                            MessageIcon icon) = 0;
    // Runs the password prompt for `password`; true when it was entered.
    virtual bool RunPasswordPrompt(const std::string& password) = 0;
    virtual void ProcessMessages() = 0;
    virtual std::unique_ptr<TWavePlayer> NewWavePlayer() = 0;
    virtual HelpText Help() const = 0;
};

} // namespace dd
