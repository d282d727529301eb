#pragma once

#include "platform/core/HostEvents.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Rect.h"
#include "platform/gfx/SurfacePlacement.h"

#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <functional>
#include <memory>

class QScreen;

namespace dd {

class ShmPresenter;

// A frameless, stay-on-top window covering one screen. It shows a surface the program draws
// into, enlarged a whole number of times with pixels repeated and centred on black, or, without
// a surface, only black. Only areas reported through Present are repainted.
class HostWindow : public QWidget {
public:
    HostWindow(const Bitmap* surface, HostEvents events);
    ~HostWindow() override;

    // Covers `screen` and shows the window; the surface is shown `scale` times its size.
    void ShowFullScreen(QScreen* screen, int scale = 1);
    // Covers `screen` and shows the window, leaving the keyboard where it is.
    void ShowCoveringScreen(QScreen* screen);
    // Shows the window over `area` of the desktop, in its coordinates.
    void ShowCovering(const QRect& area);
    // `area` is in surface pixels.
    void Present(const TRect& area);

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
    // An event's position in device pixels from the surface's top left.
    QPoint SurfacePosition(const QMouseEvent& event) const;
    // Draws the changed areas through shared memory; without it, through Qt's backing store.
    void PaintShared(const QRegion& region);
    void PaintBuffered(const QRegion& region);

    const Bitmap* surface_;
    HostEvents events_;
    SurfacePlacement placement_; // none for a window without a surface
    std::unique_ptr<ShmPresenter> presenter_;
};

} // namespace dd
