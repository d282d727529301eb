#include "hosts/qt/QtHost.h"

#include "hosts/qt/Cursor.h"
#include "hosts/qt/DesktopArea.h"
#include "hosts/qt/DevicePixels.h"
#include "hosts/qt/EmbeddedHost.h"
#include "hosts/qt/MessageBoxes.h"
#include "hosts/qt/QtWavePlayer.h"
#include "hosts/qt/dialogs/DialogStyle.h"
#include "hosts/qt/dialogs/Dravchgp.h"
#include "hosts/qt/dialogs/Dravgetp.h"
#include "hosts/qt/dialogs/FAbout.h"
#include "hosts/qt/dialogs/fHelp.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <cassert>
#include <cmath>
#include <malloc.h>

namespace dd {

QtHost::QtHost() : dialogs_(*this), signals_([this] { EndBySignal(); }) {
    QApplication::setQuitOnLastWindowClosed(false);
    UseProgramLook();
    scheduler_.OnError = [this](const std::exception& e) { Fail(e); };
}

QtHost::~QtHost() = default;

void QtHost::CreateWindows(const Invocation& invocation) {
    RunGuarded([&] { CreateModeWindows(invocation); },
               [this](const std::exception& e) { Fail(e); });
}

void QtHost::CreateModeWindows(const Invocation& invocation) {
    switch (invocation.mode) {
    case RunMode::ChangePassword:
        frmChangePassword_ = std::make_unique<TfrmChangePassword>();
        EndWithWindow(*frmChangePassword_);
        ShowMainDialog(*frmChangePassword_);
        break;
    case RunMode::Settings:
        frmHelp_ = std::make_unique<TfrmHelp>();
        frmChangePassword_ = std::make_unique<TfrmChangePassword>();
        frmAbout_ = std::make_unique<TfrmAbout>(*frmHelp_, *frmChangePassword_);
        EndWithWindow(*frmAbout_);
        ShowMainDialog(*frmAbout_);
        break;
    case RunMode::ScreenSaver:
        CreateSaver();
        break;
    case RunMode::Embedded:
        embedded_ = std::make_unique<EmbeddedHost>(invocation.window, sound_, [this] { Quit(); });
        StartSession(*embedded_);
        break;
    case RunMode::None:
        break;
    }
}

void QtHost::ShowMainDialog(QDialog& window) {
    window.show();
    // Without a window manager nobody else gives the new window the keyboard.
    window.raise();
    window.activateWindow();
}

void QtHost::EndWithWindow(QDialog& window) {
    QObject::connect(&window, &QDialog::finished, [] { QCoreApplication::exit(0); });
}

void QtHost::StartSession(SaverHost& host) {
    saver_ = std::make_unique<SaverSession>(host, SettingsFile(), scheduler_, random_);
    saver_->Start();
}

void QtHost::CreateSaver() {
    frmHelp_ = std::make_unique<TfrmHelp>();
    StartSession(*this);
    if (!fieldWindow_)
        return; // the saver ended during its creation
    mainEndpoint_ = std::make_unique<WindowEndpoint>("TfrmMain", saver_->Caption());
    const auto follow = [this] { saver_->MonitorsChanged(); };
    for (auto signal : {&QGuiApplication::screenAdded, &QGuiApplication::screenRemoved})
        QObject::connect(qApp, signal, &monitorEvents_, follow);
    QObject::connect(QGuiApplication::primaryScreen(), &QScreen::virtualGeometryChanged,
                     &monitorEvents_, follow);
}

std::vector<TMonitor> QtHost::Monitors() const {
    std::vector<TMonitor> monitors;
    QScreen* primary = QGuiApplication::primaryScreen();
    QRegion screens;
    for (QScreen* screen : QGuiApplication::screens()) {
        monitors.push_back({screen->name().toStdString(),
                            DeviceRect(screen->geometry(), screen->devicePixelRatio()),
                            screen == primary});
        screens += screen->geometry();
    }
    // Servers that join heads with Xinerama alone report one screen in a larger desktop: the
    // rest of the desktop is covered as well.
    if (ProgramPlacesWindows())
        for (const QRect& rest : QRegion(DesktopArea()).subtracted(screens)) {
            const TRect area = DeviceRect(rest, primary->devicePixelRatio());
            monitors.push_back(
                {"desktop+" + std::to_string(area.Left) + "+" + std::to_string(area.Top), area});
        }
    return monitors;
}

std::unique_ptr<TSaverWindow> QtHost::OpenWindow(const std::string& caption, const Bitmap* surface,
                                                 const SurfacePlacement& placement,
                                                 SaverInput& input) {
    auto window = std::make_unique<HostWindow>(surface, placement, input);
    window->setWindowTitle(QString::fromStdString(caption));
    if (surface)
        fieldWindow_ = window.get();
    return window;
}

void QtHost::Fail(const std::exception& error) {
    if (saver_)
        saver_->Fail(error);
    else if (dialogs_.Fail(error))
        dialogs_.Quit();
}

void QtHost::EndBySignal() {
    if (saver_)
        saver_->EndBySignal();
    else
        dialogs_.Quit();
}

int QtHost::RunMessageLoop() {
    const auto status = [this](int loop) {
        return saver_ ? saver_->ExitStatus(loop) : dialogs_.ExitStatus(loop);
    };
    if (saver_ ? saver_->QuitPosted() : dialogs_.QuitPosted())
        return status(0);
    // Creation composes the background through several field-sized working bitmaps; give
    // their memory back before the long run.
    ::malloc_trim(0);
    return status(QApplication::exec());
}

void QtHost::SetCursorHidden(bool hidden) {
    SetApplicationCursorHidden(hidden);
}

void QtHost::MessageBox(const std::string& text, const std::string& caption, MessageIcon icon) {
    const QMessageBox::Icon shown = icon == MessageIcon::Information   ? QMessageBox::Information
                                    : icon == MessageIcon::Exclamation ? QMessageBox::Warning
                                                                       : QMessageBox::Critical;
    SetApplicationCursorHidden(false);
    ShowMessageBox(fieldWindow_, QString::fromStdString(text), QString::fromStdString(caption),
                   shown);
}

bool QtHost::RunPasswordPrompt(const std::string& password) {
    // A child of the saver's window that has the keyboard: a Wayland compositor shows no other
    // window over a full-screen one, and opens a new one on the output that has the keyboard.
    QWidget* focused = lastInput_.Window();
    TfrmPassword prompt(focused ? focused : fieldWindow_.data());
    return prompt.Execute(password) == QDialog::Accepted;
}

void QtHost::ProcessMessages() {
    QCoreApplication::processEvents();
}

void QtHost::Quit() {
    // exit, not quit: quit would first ask the saver window to close, which it refuses.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

std::unique_ptr<TWavePlayer> QtHost::NewWavePlayer() {
    return std::make_unique<QtWavePlayer>(sound_);
}

HelpText QtHost::Help() const {
    return frmHelp_->Text();
}

} // namespace dd
