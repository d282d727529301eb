#pragma once

// The program on Windows: the windows of each run mode, and for the screen saver the back end
// of its session: the monitors, windows over them and the desktop's services.

#include "hosts/win32/Desktop.h"
#include "hosts/win32/Win32Scheduler.h"
#include "platform/time/Random.h"
#include "shell/Entry.h"
#include "shell/RunEnd.h"
#include "shell/SaverHost.h"
#include "shell/SaverSession.h"

#include <memory>

namespace dd {

class Win32Host : public ModeWindows, public SaverHost {
public:
    Win32Host();
    ~Win32Host() override;

    // ModeWindows
    void CreateWindows(const Invocation& invocation) override;
    int RunMessageLoop() override;

    // SaverHost
    std::vector<TMonitor> Monitors() const override;
    std::unique_ptr<TSaverWindow> OpenWindow(const std::string& caption, const Bitmap* surface,
                                             const SurfacePlacement& placement,
                                             SaverInput& input) override;
    void Quit() override { ::PostQuitMessage(0); }
    void SetScreenSaverRunning(bool running) override { saverFlag_.Set(running); }
    void SetCursorHidden(bool hidden) override;
    void MessageBox(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool RunPasswordPrompt(const std::string& password) override;
    void ProcessMessages() override;
    std::unique_ptr<TWavePlayer> NewWavePlayer() override;
    HelpText Help() const override;

private:
    Win32Scheduler scheduler_;
    RandomGenerator random_;
    SaverRunningFlag saverFlag_;
    RunMode mode_ = RunMode::None;
    HWND fieldWindow_ = nullptr;
    std::unique_ptr<SaverSession> saver_;
    RunEnd dialogs_; // the end of a run of the dialog modes; the saver's is its session's
};

} // namespace dd
