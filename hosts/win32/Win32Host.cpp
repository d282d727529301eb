#include "hosts/win32/Win32Host.h"

#include "hosts/win32/HostWindow.h"
#include "hosts/win32/MciWavePlayer.h"
#include "hosts/win32/dialogs/Dialog.h"
#include "hosts/win32/dialogs/Dravchgp.h"
#include "hosts/win32/dialogs/Dravgetp.h"
#include "hosts/win32/dialogs/FAbout.h"
#include "hosts/win32/dialogs/fHelp.h"
#include "platform/win32/WideText.h"
#include "shell/DialogOutcome.h"
#include "shell/Settings.h"

namespace dd {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoW(monitor, &info))
        return TRUE;
    const RECT& r = info.rcMonitor;
    reinterpret_cast<std::vector<TMonitor>*>(list)->push_back(
        {Narrow(info.szDevice),
         {r.left, r.top, r.right, r.bottom},
         (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

} // namespace

Win32Host::Win32Host() : dialogs_(*this) {
    scheduler_.OnError = [this](const std::exception& e) {
        if (saver_)
            saver_->Fail(e);
        else if (dialogs_.Fail(e))
            dialogs_.Quit();
    };
}

Win32Host::~Win32Host() = default;

void Win32Host::CreateWindows(const Invocation& invocation) {
    mode_ = invocation.mode;
    if (mode_ != RunMode::ScreenSaver)
        return; // the dialogs of the other modes run modally in the message loop's place
    saver_ = std::make_unique<SaverSession>(*this, SettingsFile(), scheduler_, random_);
    saver_->Start();
}

std::vector<TMonitor> Win32Host::Monitors() const {
    std::vector<TMonitor> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) // no monitor reported: the primary screen's size is all there is
        monitors.push_back(
            {"", Bounds(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)),
             true});
    return monitors;
}

std::unique_ptr<TSaverWindow> Win32Host::OpenWindow(const std::string& caption,
                                                    const Bitmap* surface,
                                                    const SurfacePlacement& placement,
                                                    SaverInput& input) {
    auto window = std::make_unique<HostWindow>(surface ? "TfrmMain" : "TfrmCover", caption, surface,
                                               placement, input);
    if (surface)
        fieldWindow_ = window->Handle();
    return window;
}

int Win32Host::RunMessageLoop() {
    switch (mode_) {
    case RunMode::ChangePassword:
        RunChangePasswordDialog(nullptr);
        return dialogs_.ExitStatus(0);
    case RunMode::Settings:
        RunSettingsDialog(nullptr);
        return dialogs_.ExitStatus(0);
    case RunMode::ScreenSaver:
        break;
    case RunMode::Embedded: // X windows do not exist here
    case RunMode::None:
        return 0;
    }
    if (saver_->QuitPosted())
        return saver_->ExitStatus(0);
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return saver_->ExitStatus(0);
}

void Win32Host::SetCursorHidden(bool hidden) {
    dd::SetCursorHidden(hidden);
}

void Win32Host::MessageBox(const std::string& text, const std::string& caption, MessageIcon icon) {
    dd::SetCursorHidden(false);
    ShowDialogMessage(fieldWindow_, {text, caption, icon});
}

bool Win32Host::RunPasswordPrompt(const std::string& password) {
    return dd::RunPasswordPrompt(fieldWindow_, password);
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

std::unique_ptr<TWavePlayer> Win32Host::NewWavePlayer() {
    return std::make_unique<MciWavePlayer>();
}

HelpText Win32Host::Help() const {
    return HelpWindowText();
}

} // namespace dd
