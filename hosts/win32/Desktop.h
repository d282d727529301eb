#pragma once

// The desktop services of the screen-saver window on Windows.

#include "platform/win32/Windows.h"

#include <string>

namespace dd {

enum class MessageIcon;

// Tells Windows a screen saver runs (SPI_SCREENSAVERRUNNING), and that none does any more when
// it goes.
class SaverRunningFlag {
public:
    SaverRunningFlag() = default;
    SaverRunningFlag(const SaverRunningFlag&) = delete;
    SaverRunningFlag& operator=(const SaverRunningFlag&) = delete;
    ~SaverRunningFlag() { Set(false); }

    void Set(bool running);

private:
    bool running_ = false;
};

// The cursor of the program's windows: hidden, or the arrow.
void SetCursorHidden(bool hidden);

// A message box with one OK button; `icon` is MB_ICONINFORMATION, MB_ICONEXCLAMATION or
// MB_ICONERROR.
void ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT icon);

} // namespace dd
