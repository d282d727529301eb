#pragma once

// The program on Windows: the windows of each run mode, and for the screen saver the desktop
// services its window needs.

#include "platform/time/Random.h"
#include "platform/win32/Desktop.h"
#include "platform/win32/HostWindow.h"
#include "platform/win32/Win32Scheduler.h"
#include "shell/Entry.h"
#include "shell/SaverPlatform.h"

#include <memory>
#include <vector>

namespace dd {

class TfrmMain;

class Win32Host : public ModeWindows, public TSaverPlatform {
public:
    Win32Host();
    ~Win32Host() override;

    // ModeWindows
    void CreateWindows(const Invocation& invocation) override;
    int RunMessageLoop() override;

    // TSaverPlatform
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    int PixelScale() const override { return scale_; }
    void SetScreenSaverRunning(bool running) override { saverFlag_.Set(running); }
    void SetCursorHidden(bool hidden) override;
    void MessageBox(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool RunPasswordPrompt(const std::string& password) override;
    void ProcessMessages() override;
    void PostQuitMessage() override;
    std::unique_ptr<TWavePlayer> NewWavePlayer() override;
    HelpText Help() const override;

private:
    void CreateSaver();
    // Every monitor but the primary one is covered in black while the saver runs.
    void CoverOtherMonitors();
    // A monitor came, went or changed size: the saver keeps the primary one, at the scale it
    // started with, and the covers are made anew.
    void FollowDisplays();
    // The saver window's input rules for a window whose pixels lie `offset` from the saver
    // window's.
    HostEvents SaverEvents(POINT offset);
    // An error reached the message loop: it is shown, and the program stops in order.
    void Fail(const std::exception& error);
    HWND Owner() const;

    Win32Scheduler scheduler_;
    RandomGenerator random_;
    SaverRunningFlag saverFlag_;
    RunMode mode_ = RunMode::None;
    std::unique_ptr<TfrmMain> frmMain_;
    std::unique_ptr<HostWindow> mainWindow_;
    std::vector<std::unique_ptr<HostWindow>> covers_;
    RECT primary_{};
    int scale_ = 1;
    bool failed_ = false;
    bool quitPosted_ = false;
};

} // namespace dd
