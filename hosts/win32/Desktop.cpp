#include "hosts/win32/Desktop.h"

#include "platform/win32/WideText.h"

namespace dd {

void SaverRunningFlag::Set(bool running) {
    if (running == running_)
        return;
    running_ = running;
    BOOL previous = FALSE;
    ::SystemParametersInfoW(SPI_SCREENSAVERRUNNING, running ? TRUE : FALSE, &previous, 0);
}

void SetCursorHidden(bool hidden) {
    // ShowCursor counts, and a negative count hides: move the count to just below zero, or up
    // to zero, from wherever it stands, so that asking twice does not take it further.
    ::ShowCursor(TRUE);
    int count = ::ShowCursor(FALSE);
    while (hidden && count >= 0)
        count = ::ShowCursor(FALSE);
    while (!hidden && count < 0)
        count = ::ShowCursor(TRUE);
}

void ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT icon) {
    ::MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), MB_OK | icon | MB_TOPMOST);
}

} // namespace dd
