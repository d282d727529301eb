#include "shell/QtHost.h"

#include "platform/qt/Cursor.h"
#include "platform/qt/MessageBoxes.h"
#include "platform/qt/QtWavePlayer.h"
#include "shell/Dravchgp.h"
#include "shell/Dravgetp.h"
#include "shell/FAbout.h"
#include "shell/UMain.h"
#include "shell/fHelp.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

namespace dd {

QtHost::QtHost() {
    QApplication::setQuitOnLastWindowClosed(false);
}

QtHost::~QtHost() = default;

void QtHost::CreateWindows(RunMode mode) {
    switch (mode) {
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
    frmHelp_ = std::make_unique<TfrmHelp>();
    frmMain_ = std::make_unique<TfrmMain>(*this, scheduler_, random_);
    if (quitPosted_)
        return; // the fatal path ended the saver during its creation
    TfrmMain& main = *frmMain_;
    HostEvents events;
    events.keyDown = [&main](int key) { main.FormKeyDown(key); };
    events.keyUp = [&main](int key) { main.FormKeyUp(key); };
    events.keyPress = [&main](char key) { main.FormKeyPress(key); };
    events.mouseDown = [&main] { main.MouseDown(); };
    events.mouseMove = [&main](int x, int y) { main.MouseMove(x, y); };
    events.closeQuery = [&main] { return main.CloseQuery(); };
    mainWindow_ = std::make_unique<HostWindow>(main.Surface(), std::move(events));
    mainWindow_->setWindowTitle(QString::fromStdString(main.Caption()));
    mainEndpoint_ = std::make_unique<WindowEndpoint>("TfrmMain", main.Caption());
    main.OnPresent = [this](const TRect& r) {
        mainWindow_->Present(QRect(r.Left, r.Top, r.Width(), r.Height()));
    };
    main.Show();
    mainWindow_->ShowFullScreen();
}

int QtHost::RunMessageLoop() {
    if (quitPosted_)
        return 0;
    return QApplication::exec();
}

int QtHost::ScreenWidth() const {
    return QGuiApplication::primaryScreen()->geometry().width();
}

int QtHost::ScreenHeight() const {
    return QGuiApplication::primaryScreen()->geometry().height();
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
    TfrmPassword prompt;
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
