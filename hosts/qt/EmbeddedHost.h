#pragma once

// The saver inside a window someone else owns, the way X screen-saver daemons run display
// modes and their settings tools run previews: the unattended demonstration, fitted to the
// window, with no input, no prompt, no cursor, no claim on the desktop and no window of its
// own at the top level. The back end of its session: one monitor the field's size.

#include "platform/pulse/SharedAudioOutput.h"
#include "shell/SaverHost.h"

#include <cstdint>
#include <functional>

namespace dd {

class EmbeddedHost : public SaverHost {
public:
    EmbeddedHost(std::uint64_t window, SharedAudioOutput& sound, std::function<void()> quit);

    std::vector<TMonitor> Monitors() const override;
    // Throws Exception when the window does not exist.
    std::unique_ptr<TSaverWindow> OpenWindow(const std::string& caption, const Bitmap* surface,
                                             const SurfacePlacement& placement,
                                             SaverInput& input) override;
    void Quit() override { quit_(); }
    void SetScreenSaverRunning(bool) override {}
    void SetCursorHidden(bool) override {}
    // There is nobody to read a message box: the daemon's log gets it.
    void MessageBox(const std::string& text, const std::string& caption, MessageIcon) override;
    bool RunPasswordPrompt(const std::string&) override { return false; }
    void ProcessMessages() override;
    std::unique_ptr<TWavePlayer> NewWavePlayer() override;
    HelpText Help() const override { return {}; }

private:
    std::uint64_t window_;
    SharedAudioOutput& sound_;
    std::function<void()> quit_;
};

} // namespace dd
