#pragma once

// The program on the Qt desktop: the windows of each run mode, and for the screen saver the
// desktop services its window needs.

#include "platform/io/WindowDirectory.h"
#include "platform/qt/HostWindow.h"
#include "platform/qt/LastInputWindow.h"
#include "platform/qt/QtScheduler.h"
#include "platform/qt/SaverRunningFlag.h"
#include "platform/qt/SignalWatcher.h"
#include "platform/time/Random.h"
#include "shell/Entry.h"
#include "shell/SaverPlatform.h"

#include <QDialog>
#include <memory>
#include <vector>

class QScreen;

namespace dd {

class EmbeddedHost;
class TfrmAbout;
class TfrmChangePassword;
class TfrmHelp;
class TfrmMain;

class QtHost : public ModeWindows, public TSaverPlatform {
public:
    QtHost();
    ~QtHost() override;

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
    void CreateModeWindows(const Invocation& invocation);
    void CreateSaver();
    // Every monitor but the primary one is covered in black while the saver runs.
    void UpdateCovers();
    // Windows placed by the program over the rest of the desktop.
    void CoverDesktop();
    // A window asking to be full screen on each other screen.
    void CoverScreens();
    // A black window with the saver's input rules, `fromSaverWindow` (device-independent
    // pixels) from the saver window's top left.
    std::unique_ptr<HostWindow> NewCover(QPoint fromSaverWindow);
    // The saver window's input rules for a window whose device pixels lie `offset` from the
    // saver window's.
    HostEvents SaverEvents(QPoint offset);
    // The system asks the program to end: no password is asked for.
    void EndBySignal();
    // An error reached the event loop: it is shown, and the program stops in order.
    void Fail(const std::exception& error);
    // The program ends when the first window of the run closes.
    void EndWithWindow(QDialog& window);
    static void ShowMainDialog(QDialog& window);

    QtScheduler scheduler_;
    RandomGenerator random_;
    SaverRunningFlag saverFlag_;
    std::unique_ptr<TfrmHelp> frmHelp_;
    std::unique_ptr<TfrmChangePassword> frmChangePassword_;
    std::unique_ptr<TfrmAbout> frmAbout_;
    std::unique_ptr<TfrmMain> frmMain_;
    std::unique_ptr<HostWindow> mainWindow_;
    std::vector<std::unique_ptr<HostWindow>> covers_;
    LastInputWindow lastInput_;
    std::unique_ptr<EmbeddedHost> embedded_;
    SignalWatcher signals_;
    int scale_ = 1;
    bool failed_ = false;
    std::unique_ptr<WindowEndpoint> mainEndpoint_;
    bool quitPosted_ = false;
};

} // namespace dd
