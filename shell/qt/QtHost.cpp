#include "shell/qt/QtHost.h"

#include "game/Field.h"
#include "platform/core/Exception.h"
#include "platform/gfx/Placement.h"
#include "platform/qt/Cursor.h"
#include "platform/qt/DesktopArea.h"
#include "platform/qt/MessageBoxes.h"
#include "platform/qt/QtWavePlayer.h"
#include "shell/UMain.h"
#include "shell/qt/DialogStyle.h"
#include "shell/qt/Dravchgp.h"
#include "shell/qt/Dravgetp.h"
#include "shell/qt/EmbeddedHost.h"
#include "shell/qt/FAbout.h"
#include "shell/qt/fHelp.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <iostream>
#include <malloc.h>

namespace dd {

namespace {

QSize DevicePixels(const QScreen& screen) {
    const QSize logical = screen.geometry().size();
    const qreal ratio = screen.devicePixelRatio();
    return {static_cast<int>(std::lround(logical.width() * ratio)),
            static_cast<int>(std::lround(logical.height() * ratio))};
}

} // namespace

QtHost::QtHost() : signals_([this] { EndBySignal(); }) {
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
        try {
            embedded_ = std::make_unique<EmbeddedHost>(scheduler_, random_, invocation.window,
                                                       [this] { PostQuitMessage(); });
        } catch (const Exception& e) {
            std::cerr << "dravelin-didazi: " << e.what() << "\n";
            PostQuitMessage();
        }
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

void QtHost::CreateSaver() {
    QScreen* primary = QGuiApplication::primaryScreen();
    const QSize device = DevicePixels(*primary);
    scale_ = WholeScaleFactor(kFieldWidth, kFieldHeight, device.width(), device.height());
    frmHelp_ = std::make_unique<TfrmHelp>();
    frmMain_ = std::make_unique<TfrmMain>(*this, scheduler_, random_);
    if (quitPosted_)
        return; // the fatal path ended the saver during its creation
    TfrmMain& main = *frmMain_;
    mainWindow_ = std::make_unique<HostWindow>(&main.Surface(), SaverEvents({0, 0}));
    mainWindow_->setWindowTitle(QString::fromStdString(main.Caption()));
    mainEndpoint_ = std::make_unique<WindowEndpoint>("TfrmMain", main.Caption());
    main.OnPresent = [this](const TRect& r) { mainWindow_->Present(r); };
    main.Show();
    mainWindow_->ShowFullScreen(primary, scale_);
    UpdateCovers();
    for (auto signal : {&QGuiApplication::screenAdded, &QGuiApplication::screenRemoved})
        QObject::connect(qApp, signal, mainWindow_.get(), [this] { UpdateCovers(); });
    QObject::connect(primary, &QScreen::virtualGeometryChanged, mainWindow_.get(),
                     [this] { UpdateCovers(); });
}

void QtHost::UpdateCovers() {
    if (ProgramPlacesWindows())
        CoverDesktop();
    else
        CoverScreens();
    // The saver's own window keeps the keyboard.
    mainWindow_->activateWindow();
}

void QtHost::CoverDesktop() {
    // The desktop beyond the saver's own screen. Servers that join heads with Xinerama alone
    // report one screen in a larger desktop, so cover what the desktop holds, not the screens.
    const QRect own = mainWindow_->geometry();
    const QRegion rest = QRegion(DesktopArea()).subtracted(own);
    covers_.clear();
    for (const QRect& area : rest) {
        auto cover = NewCover(area.topLeft() - own.topLeft());
        cover->ShowCovering(area);
        covers_.push_back(std::move(cover));
    }
}

void QtHost::CoverScreens() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    const auto gone = [&screens](const std::unique_ptr<HostWindow>& window) {
        return !screens.contains(window->CoveredScreen());
    };
    const bool screenWent = gone(mainWindow_) || std::ranges::any_of(covers_, gone);
    // The field moves to the primary screen when its own goes.
    QScreen* own =
        gone(mainWindow_) ? QGuiApplication::primaryScreen() : mainWindow_->CoveredScreen();
    // Covers of screens still there stay, so the others remain covered while one comes or goes.
    std::erase_if(covers_, [&](const std::unique_ptr<HostWindow>& cover) {
        return gone(cover) || cover->CoveredScreen() == own;
    });
    if (screenWent) {
        // The compositor moves the workspaces of an output that goes to another output and may
        // show one of them there, over the saver's window. Shown again, each window asks anew
        // to be full screen on its screen and lands on what that screen shows now.
        mainWindow_->hide();
        mainWindow_->ShowFullScreen(own, scale_);
        for (auto& cover : covers_) {
            cover->hide();
            cover->ShowCoveringScreen(cover->CoveredScreen());
        }
    }
    for (QScreen* screen : screens) {
        const bool covered =
            std::ranges::any_of(covers_, [screen](const std::unique_ptr<HostWindow>& c) {
                return c->CoveredScreen() == screen;
            });
        if (screen == own || covered)
            continue;
        auto cover = NewCover(screen->geometry().topLeft() - own->geometry().topLeft());
        cover->ShowCoveringScreen(screen);
        covers_.push_back(std::move(cover));
    }
}

std::unique_ptr<HostWindow> QtHost::NewCover(QPoint fromSaverWindow) {
    // The surround's rules: positions there lie outside the main window, so any movement in
    // the demonstration ends the saver.
    const QPointF offset = QPointF(fromSaverWindow) * mainWindow_->devicePixelRatioF();
    auto cover = std::make_unique<HostWindow>(nullptr, SaverEvents(offset.toPoint()));
    cover->setWindowTitle(QString::fromStdString(frmMain_->Caption()));
    return cover;
}

HostEvents QtHost::SaverEvents(QPoint offset) {
    HostEvents events = frmMain_->InputEvents(offset.x(), offset.y());
    events.error = [this](const std::exception& e) { Fail(e); };
    return events;
}

void QtHost::Fail(const std::exception& error) {
    if (failed_)
        return; // timers go on behind the message box and may fail again
    failed_ = true;
    if (embedded_)
        std::cerr << "dravelin-didazi: " << error.what() << "\n";
    else
        MessageBox(error.what(), std::string(kApplicationTitle), MessageIcon::Error);
    EndBySignal();
}

void QtHost::EndBySignal() {
    if (frmMain_)
        frmMain_->Stop();
    else if (embedded_)
        embedded_->Stop();
    else
        PostQuitMessage();
}

int QtHost::RunMessageLoop() {
    if (quitPosted_)
        return failed_ ? 1 : 0;
    // Creation composes the background through several field-sized working bitmaps; give
    // their memory back before the long run.
    ::malloc_trim(0);
    const int status = QApplication::exec();
    return failed_ ? 1 : status;
}

int QtHost::ScreenWidth() const {
    return DevicePixels(*QGuiApplication::primaryScreen()).width() / scale_;
}

int QtHost::ScreenHeight() const {
    return DevicePixels(*QGuiApplication::primaryScreen()).height() / scale_;
}

void QtHost::SetCursorHidden(bool hidden) {
    SetApplicationCursorHidden(hidden);
}

void QtHost::MessageBox(const std::string& text, const std::string& caption, MessageIcon icon) {
    const QMessageBox::Icon shown = icon == MessageIcon::Information   ? QMessageBox::Information
                                    : icon == MessageIcon::Exclamation ? QMessageBox::Warning
                                                                       : QMessageBox::Critical;
    SetApplicationCursorHidden(false);
    ShowMessageBox(mainWindow_.get(), QString::fromStdString(text), QString::fromStdString(caption),
                   shown);
}

bool QtHost::RunPasswordPrompt(const std::string& password) {
    // A child of the saver's window that has the keyboard: a Wayland compositor shows no other
    // window over a full-screen one, and opens a new one on the output that has the keyboard.
    QWidget* focused = lastInput_.Window();
    TfrmPassword prompt(focused ? focused : mainWindow_.get());
    return prompt.Execute(password) == QDialog::Accepted;
}

void QtHost::ProcessMessages() {
    QCoreApplication::processEvents();
}

void QtHost::PostQuitMessage() {
    quitPosted_ = true;
    // exit, not quit: quit would first ask the saver window to close, which it refuses.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

std::unique_ptr<TWavePlayer> QtHost::NewWavePlayer() {
    return std::make_unique<QtWavePlayer>();
}

HelpText QtHost::Help() const {
    return frmHelp_->Text();
}

} // namespace dd
