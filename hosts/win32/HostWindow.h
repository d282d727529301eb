#pragma once

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Rect.h"
#include "platform/gfx/SurfacePlacement.h"
#include "platform/win32/Windows.h"
#include "shell/SaverHost.h"

#include <string>

namespace dd {

// A window of the saver: borderless and topmost over one monitor, showing the surface the
// program draws into where its placement puts it, black around it, or, without a surface (a
// cover, which leaves the keyboard where it is), only black. Only areas reported through
// Present are repainted; the background is never erased. What happens in it goes to the
// saver's input.
class HostWindow : public TSaverWindow {
public:
    HostWindow(const std::string& className, const std::string& title, const Bitmap* surface,
               const SurfacePlacement& placement, SaverInput& input);
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    ~HostWindow() override;

    void Cover(const TMonitor& monitor) override;
    void TakeKeyboard() override;
    // `area` is in surface pixels.
    void Present(const TRect& area) override;

    HWND Handle() const { return window_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void PaintArea(HDC dc, const RECT& area);

    const Bitmap* surface_;
    SurfacePlacement placement_; // none for a window without a surface
    SaverInput& input_;
    bool field_; // the window that shows the surface and takes the keyboard, not a cover
    HWND window_ = nullptr;
};

} // namespace dd
