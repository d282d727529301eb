#pragma once

// What the screen-saver window needs from the desktop: the saver session provides it from its
// host's back end, tests fake it.

#include "platform/io/WavePlayer.h"

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

// The desktop's services, the same whichever window shows the saver.
class TDesktopServices {
public:
    virtual ~TDesktopServices() = default;

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

class TSaverPlatform : public TDesktopServices {
public:
    virtual int ScreenWidth() const = 0;
    virtual int ScreenHeight() const = 0;
    // Device pixels a window pixel spans on each axis: the screen is ScreenWidth() x
    // ScreenHeight() window pixels, shown enlarged this many times.
    virtual int PixelScale() const { return 1; }
    // Ends the message loop once control returns to it.
    virtual void PostQuitMessage() = 0;
};

} // namespace dd
