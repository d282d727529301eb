#include "hosts/qt/HostWindow.h"

#include "hosts/qt/DevicePixels.h"
#include "hosts/qt/KeyMapping.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>

namespace dd {

HostWindow::HostWindow(const Bitmap* surface, const SurfacePlacement& placement, HostEvents events)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      events_(std::move(events)), presenter_(surface, [this](const QRegion& device) {
          repaint(WindowRegion(device, devicePixelRatioF()));
      }) {
    setAttribute(Qt::WA_OpaquePaintEvent); // every pixel is painted: nothing is erased
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    presenter_.SetPlacement(placement);
    // Where the X server shares memory with us, changed areas go to it directly and the window
    // keeps no backing store: for a full-screen window that is a copy of the whole screen.
    shared_ = presenter_.Share(static_cast<std::uint32_t>(winId()));
    if (shared_)
        setAttribute(Qt::WA_PaintOnScreen);
}

HostWindow::~HostWindow() = default;

QPaintEngine* HostWindow::paintEngine() const {
    return shared_ ? nullptr : QWidget::paintEngine();
}

void HostWindow::ShowFullScreen(QScreen* screen) {
    ShowCoveringScreen(screen);
    activateWindow();
    setFocus();
}

void HostWindow::ShowCoveringScreen(QScreen* screen) {
    // Without a window manager a full-screen request alone leaves the default size. A Wayland
    // compositor ignores the position and makes the window full screen on the screen it is on
    // when it is shown.
    setScreen(screen);
    setGeometry(screen->geometry());
    showFullScreen();
    raise();
}

void HostWindow::ShowCovering(const QRect& area) {
    setGeometry(area);
    show();
    raise();
}

void HostWindow::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    const QRegion device = DeviceRegion(event->region(), ratio);
    if (shared_) {
        presenter_.Draw(device);
        return;
    }
    QPainter painter(this);
    presenter_.Paint(painter, device, ratio);
}

void HostWindow::keyPressEvent(QKeyEvent* event) {
    RunGuarded(
        [&] {
            if (events_.keyDown)
                events_.keyDown(VirtualKeyFor(event->key(), event->modifiers()));
            if (events_.keyPress)
                for (const QChar c : event->text())
                    if (c.unicode() < 128)
                        events_.keyPress(static_cast<char>(c.unicode()));
        },
        events_.error);
}

void HostWindow::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat() && events_.keyUp)
        RunGuarded([&] { events_.keyUp(VirtualKeyFor(event->key(), event->modifiers())); },
                   events_.error);
}

QPoint HostWindow::DevicePosition(const QMouseEvent& event) const {
    const QPointF device = event.position() * devicePixelRatioF();
    return {static_cast<int>(std::floor(device.x())), static_cast<int>(std::floor(device.y()))};
}

void HostWindow::mousePressEvent(QMouseEvent* event) {
    if (events_.mouseDown) {
        const QPoint p = DevicePosition(*event);
        RunGuarded([&] { events_.mouseDown(p.x(), p.y()); }, events_.error);
    }
}

void HostWindow::mouseMoveEvent(QMouseEvent* event) {
    if (events_.mouseMove) {
        const QPoint p = DevicePosition(*event);
        RunGuarded([&] { events_.mouseMove(p.x(), p.y()); }, events_.error);
    }
}

void HostWindow::closeEvent(QCloseEvent* event) {
    if (events_.closeQuery && !events_.closeQuery())
        event->ignore();
    else
        event->accept();
}

bool HostWindow::focusNextPrevChild(bool) {
    return false; // Tab is a key like any other here
}

} // namespace dd
