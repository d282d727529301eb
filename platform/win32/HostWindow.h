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
// draws into, enlarged a whole number of times with pixels repeated and centred on black, or,
// without a surface, only black. Only areas reported through Present are repainted; the
// background is never erased.
class HostWindow {
public:
    HostWindow(const std::string& className, const std::string& title, const Bitmap* surface,
               HostEvents events);
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    ~HostWindow();

    // Covers `area` (desktop coordinates) and shows the window; the surface is shown `scale`
    // times its size in the middle.
    void Show(const RECT& area, int scale = 1, bool activate = true);
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
    POINT SurfacePosition(LPARAM lParam) const;

    const Bitmap* surface_;
    HostEvents events_;
    int scale_ = 1;
    bool activates_ = true;      // whether a click activates it: covers leave the keyboard alone
    SurfacePlacement placement_; // none for a window without a surface
    HWND window_ = nullptr;
};

} // namespace dd
