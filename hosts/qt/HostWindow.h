#pragma once

#include "platform/core/HostEvents.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Rect.h"
#include "platform/gfx/SurfacePlacement.h"
#include "hosts/qt/Presenter.h"

#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <functional>

class QScreen;

namespace dd {

// A frameless, stay-on-top window covering one screen. It shows a surface the program draws
// into where its placement puts it, black around it, or, without a surface, only black. Only
// areas reported through Present are drawn again.
class HostWindow : public QWidget {
public:
    HostWindow(const Bitmap* surface, const SurfacePlacement& placement, HostEvents events);
    ~HostWindow() override;

    // Covers `screen` and shows the window with the keyboard.
    void ShowFullScreen(QScreen* screen);
    // Covers `screen` and shows the window, leaving the keyboard where it is.
    void ShowCoveringScreen(QScreen* screen);
    // Shows the window over `area` of the desktop, in its coordinates.
    void ShowCovering(const QRect& area);
    // `area` is in surface pixels.
    void Present(const TRect& area) { presenter_.Present(area); }

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
    // An event's position in device pixels of the window.
    QPoint DevicePosition(const QMouseEvent& event) const;

    HostEvents events_;
    Presenter presenter_;
    bool shared_ = false; // drawn through memory shared with the X server
};

} // namespace dd
