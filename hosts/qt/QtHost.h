#pragma once

// The program on the Qt desktop: the windows of each run mode, and for the screen saver the
// back end of its session: the screens, windows over them and the desktop's services.

#include "hosts/qt/HostWindow.h"
#include "hosts/qt/LastInputWindow.h"
#include "hosts/qt/QtScheduler.h"
#include "hosts/qt/SignalWatcher.h"
#include "platform/io/WindowDirectory.h"
#include "platform/pulse/SharedAudioOutput.h"
#include "platform/time/Random.h"
#include "shell/Entry.h"
#include "shell/RunEnd.h"
#include "shell/SaverHost.h"
#include "shell/SaverSession.h"

#include <QDialog>
#include <QPointer>
#include <memory>

namespace dd {

class EmbeddedHost;
class TfrmAbout;
class TfrmChangePassword;
class TfrmHelp;

class QtHost : public ModeWindows, public SaverHost {
public:
    QtHost();
    ~QtHost() override;

    // ModeWindows
    void CreateWindows(const Invocation& invocation) override;
    int RunMessageLoop() override;

    // SaverHost
    std::vector<TMonitor> Monitors() const override;
    std::unique_ptr<TSaverWindow> OpenWindow(const std::string& caption, const Bitmap* surface,
                                             const SurfacePlacement& placement,
                                             SaverInput& input) override;
    void Quit() override;
    // Nothing is held off: the desktop's own blank and lock come over the saver, and a
    // password prompt in an ordinary window is no lock.
    void SetScreenSaverRunning(bool) override {}
    void SetCursorHidden(bool hidden) override;
    void MessageBox(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool RunPasswordPrompt(const std::string& password) override;
    void ProcessMessages() override;
    std::unique_ptr<TWavePlayer> NewWavePlayer() override;
    HelpText Help() const override;

private:
    void CreateModeWindows(const Invocation& invocation);
    void CreateSaver();
    void StartSession(SaverHost& host);
    // The system asks the program to end: no password is asked for.
    void EndBySignal();
    // An error reached the event loop: it is shown, and the program stops in order.
    void Fail(const std::exception& error);
    // The program ends when the first window of the run closes.
    void EndWithWindow(QDialog& window);
    static void ShowMainDialog(QDialog& window);

    QtScheduler scheduler_;
    RandomGenerator random_;
    std::unique_ptr<TfrmHelp> frmHelp_;
    std::unique_ptr<TfrmChangePassword> frmChangePassword_;
    std::unique_ptr<TfrmAbout> frmAbout_;
    LastInputWindow lastInput_;
    SharedAudioOutput sound_;
    QPointer<HostWindow> fieldWindow_;
    std::unique_ptr<EmbeddedHost> embedded_;
    std::unique_ptr<SaverSession> saver_;
    std::unique_ptr<WindowEndpoint> mainEndpoint_;
    // The monitors' signals reach the session while this lives: the field's window may be
    // replaced, and the session goes after this.
    QObject monitorEvents_;
    RunEnd dialogs_; // the end of a run of the dialog modes; the saver's is its session's
    SignalWatcher signals_;
};

} // namespace dd
