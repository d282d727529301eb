#include "shell/win32/Win32Host.h"

#include "game/Field.h"
#include "platform/gfx/Placement.h"
#include "platform/win32/MciWavePlayer.h"
#include "shell/DialogOutcome.h"
#include "shell/UMain.h"
#include "shell/win32/Dialog.h"
#include "shell/win32/Dravchgp.h"
#include "shell/win32/Dravgetp.h"
#include "shell/win32/FAbout.h"
#include "shell/win32/fHelp.h"

namespace dd {
namespace {

RECT PrimaryMonitor() {
    return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

std::vector<RECT> Monitors() {
    std::vector<RECT> monitors;
    ::EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, LPRECT area, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<RECT>*>(list)->push_back(*area);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

} // namespace

Win32Host::Win32Host() {
    scheduler_.OnError = [this](const std::exception& e) { Fail(e); };
}

Win32Host::~Win32Host() = default;

void Win32Host::CreateWindows(const Invocation& invocation) {
    mode_ = invocation.mode;
    if (mode_ != RunMode::ScreenSaver)
        return; // the dialogs of the other modes run modally in the message loop's place
    RunGuarded([this] { CreateSaver(); }, [this](const std::exception& e) { Fail(e); });
}

void Win32Host::CreateSaver() {
    primary_ = PrimaryMonitor();
    scale_ = WholeScaleFactor(kFieldWidth, kFieldHeight, primary_.right, primary_.bottom);
    frmMain_ = std::make_unique<TfrmMain>(*this, scheduler_, random_);
    if (quitPosted_)
        return; // the fatal path ended the saver during its creation
    TfrmMain& main = *frmMain_;
    HostEvents events = SaverEvents({});
    events.displayChange = [this] { FollowDisplays(); };
    mainWindow_ = std::make_unique<HostWindow>("TfrmMain", main.Caption(), &main.Surface(),
                                               std::move(events));
    main.OnPresent = [this](const TRect& r) { mainWindow_->Present(r); };
    main.Show();
    mainWindow_->Show(primary_, scale_);
    CoverOtherMonitors();
}

void Win32Host::CoverOtherMonitors() {
    for (const RECT& monitor : Monitors()) {
        RECT overlap{};
        if (::IntersectRect(&overlap, &monitor, &primary_))
            continue;
        // The surround's rules: positions there lie outside the main window, so any movement
        // in the demonstration ends the saver.
        auto cover = std::make_unique<HostWindow>("TfrmCover", frmMain_->Caption(), nullptr,
                                                  SaverEvents({monitor.left, monitor.top}));
        cover->Show(monitor, 1, false);
        covers_.push_back(std::move(cover));
    }
}

void Win32Host::FollowDisplays() {
    primary_ = PrimaryMonitor();
    mainWindow_->MoveTo(primary_);
    covers_.clear();
    CoverOtherMonitors();
}

HostEvents Win32Host::SaverEvents(POINT offset) {
    HostEvents events = frmMain_->InputEvents(offset.x, offset.y);
    events.error = [this](const std::exception& e) { Fail(e); };
    return events;
}

void Win32Host::Fail(const std::exception& error) {
    if (failed_)
        return; // timers go on behind the message box and may fail again
    failed_ = true;
    MessageBox(error.what(), std::string(kApplicationTitle), MessageIcon::Error);
    if (frmMain_)
        frmMain_->Stop();
    else
        PostQuitMessage();
}

int Win32Host::RunMessageLoop() {
    switch (mode_) {
    case RunMode::ChangePassword:
        RunChangePasswordDialog(nullptr);
        return 0;
    case RunMode::Settings:
        RunSettingsDialog(nullptr);
        return 0;
    case RunMode::ScreenSaver:
        break;
    case RunMode::Embedded: // X windows do not exist here
    case RunMode::None:
        return 0;
    }
    if (quitPosted_)
        return failed_ ? 1 : 0;
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return failed_ ? 1 : 0;
}

int Win32Host::ScreenWidth() const {
    return (primary_.right - primary_.left) / scale_;
}

int Win32Host::ScreenHeight() const {
    return (primary_.bottom - primary_.top) / scale_;
}

void Win32Host::SetCursorHidden(bool hidden) {
    dd::SetCursorHidden(hidden);
}

HWND Win32Host::Owner() const {
    return mainWindow_ ? mainWindow_->Handle() : nullptr;
}

void Win32Host::MessageBox(const std::string& text, const std::string& caption, MessageIcon icon) {
    dd::SetCursorHidden(false);
    ShowDialogMessage(Owner(), {text, caption, icon});
}

bool Win32Host::RunPasswordPrompt(const std::string& password) {
    return dd::RunPasswordPrompt(Owner(), password);
}

void Win32Host::ProcessMessages() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam)); // for the main loop
            return;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void Win32Host::PostQuitMessage() {
    quitPosted_ = true;
    ::PostQuitMessage(0);
}

std::unique_ptr<TWavePlayer> Win32Host::NewWavePlayer() {
    return std::make_unique<MciWavePlayer>();
}

HelpText Win32Host::Help() const {
    return HelpWindowText();
}

} // namespace dd
