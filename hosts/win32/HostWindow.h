#pragma once

#include "platform/core/HostEvents.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Rect.h"
#include "platform/gfx/SurfacePlacement.h"
#include "platform/win32/Windows.h"

#include <functional>
#include <string>

namespace dd {

// A borderless, topmost window over one area of the desktop. It shows a surface the program
// draws into where its placement puts it, black around it, or, without a surface, only black.
// Only areas reported through Present are repainted; the background is never erased.
class HostWindow {
public:
    HostWindow(const std::string& className, const std::string& title, const Bitmap* surface,
               const SurfacePlacement& placement, HostEvents events);
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    ~HostWindow();

    // Covers `area` (desktop coordinates) and shows the window.
    void Show(const RECT& area, bool activate = true);
    void TakeKeyboard();
    // `area` is in surface pixels.
    void Present(const TRect& area);

    HWND Handle() const { return window_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void PaintArea(HDC dc, const RECT& area);
    void Report(const std::function<void()>& work);

    const Bitmap* surface_;
    SurfacePlacement placement_; // none for a window without a surface
    HostEvents events_;
    bool activates_ = true; // whether a click activates it: covers leave the keyboard alone
    HWND window_ = nullptr;
};

} // namespace dd
