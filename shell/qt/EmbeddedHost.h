#pragma once

// The saver inside a window someone else owns, the way X screen-saver daemons run display
// modes and their settings tools run previews: the unattended demonstration, fitted to the
// window, with no input, no prompt, no cursor, no claim on the desktop and no window of its
// own at the top level.

#include "game/Field.h"
#include "platform/qt/EmbeddedView.h"
#include "platform/time/Random.h"
#include "platform/time/Scheduler.h"
#include "shell/SaverPlatform.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace dd {

class TfrmMain;

class EmbeddedHost : public TSaverPlatform {
public:
    // Throws Exception when `window` does not exist.
    EmbeddedHost(Scheduler& scheduler, RandomGenerator& random, std::uint64_t window,
                 std::function<void()> postQuit);
    ~EmbeddedHost() override;

    // The system asks the saver to end.
    void Stop();

    int ScreenWidth() const override { return kFieldWidth; }
    int ScreenHeight() const override { return kFieldHeight; }
    void SetScreenSaverRunning(bool) override {}
    void SetCursorHidden(bool) override {}
    // There is nobody to read a message box: the daemon's log gets it.
    void MessageBox(const std::string& text, const std::string& caption, MessageIcon) override;
    bool RunPasswordPrompt(const std::string&) override { return false; }
    void ProcessMessages() override;
    void PostQuitMessage() override { postQuit_(); }
    std::unique_ptr<TWavePlayer> NewWavePlayer() override;
    HelpText Help() const override { return {}; }

private:
    std::function<void()> postQuit_;
    std::unique_ptr<TfrmMain> frmMain_;
    std::unique_ptr<EmbeddedView> view_;
};

} // namespace dd
