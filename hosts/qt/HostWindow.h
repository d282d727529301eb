#pragma once

#include "hosts/qt/Presenter.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Rect.h"
#include "platform/gfx/SurfacePlacement.h"
#include "shell/SaverHost.h"

#include <QWidget>

class QMouseEvent;
class QScreen;

namespace dd {

// A window of the saver: frameless and stay-on-top over one monitor, showing the surface the
// program draws into where its placement puts it, black around it, or, without a surface (a
// cover), only black. Only areas reported through Present are drawn again. What happens in it
// goes to the saver's input.
class HostWindow : public QWidget, public TSaverWindow {
public:
    HostWindow(const Bitmap* surface, const SurfacePlacement& placement, SaverInput& input);
    ~HostWindow() override;

    // On a screen: full screen on it. On X, an area beyond every screen (heads a server joins
    // with Xinerama alone) is covered by placing the window there.
    void Cover(const TMonitor& monitor) override;
    // `area` is in surface pixels.
    void Present(const TRect& area) override { presenter_.Present(area); }
    void TakeKeyboard() override { activateWindow(); }

protected:
    QPaintEngine* paintEngine() const override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Covers `screen` and shows the window; the field's window takes the keyboard.
    void CoverScreen(QScreen* screen);
    // An event's position in device pixels of the window.
    TPoint DevicePosition(const QMouseEvent& event) const;

    SaverInput& input_;
    Presenter presenter_;
    bool field_;          // the window that shows the surface, not a cover
    bool shared_ = false; // drawn through memory shared with the X server
};

} // namespace dd
