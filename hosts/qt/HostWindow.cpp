#include "hosts/qt/HostWindow.h"

#include "hosts/qt/DesktopArea.h"
#include "hosts/qt/DevicePixels.h"
#include "hosts/qt/KeyMapping.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <cassert>
#include <cmath>

namespace dd {

HostWindow::HostWindow(const Bitmap* surface, const SurfacePlacement& placement, SaverInput& input)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      input_(input), presenter_(surface,
                                [this](const QRegion& device) {
                                    repaint(WindowRegion(device, devicePixelRatioF()));
                                }),
      field_(surface != nullptr) {
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

void HostWindow::Cover(const TMonitor& monitor) {
    QScreen* screen = nullptr;
    for (QScreen* candidate : QGuiApplication::screens())
        if (candidate->name().toStdString() == monitor.name)
            screen = candidate;
    const bool compositor = !ProgramPlacesWindows();
    // A compositor places a window only when it is shown: on the screen it is on then.
    if (compositor)
        hide();
    if (field_ || compositor) {
        assert(screen); // only the desktop beyond every screen of an X server has none
        CoverScreen(screen);
        return;
    }
    const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    setGeometry(screen ? screen->geometry() : WindowRect(monitor.area, ratio).toAlignedRect());
    show();
    raise();
}

void HostWindow::CoverScreen(QScreen* screen) {
    // Without a window manager a full-screen request alone leaves the default size. A Wayland
    // compositor ignores the position and makes the window full screen on the screen it is on
    // when it is shown.
    setScreen(screen);
    setGeometry(screen->geometry());
    showFullScreen();
    raise();
    if (field_) {
        activateWindow();
        setFocus();
    }
}

void HostWindow::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    const QRegion device = DeviceRegion(event->region(), ratio);
    if (shared_) {
        presenter_.Draw(device);
        return;
    }
    presenter_.Paint(*this, device);
}

void HostWindow::keyPressEvent(QKeyEvent* event) {
    input_.KeyDown(VirtualKeyFor(event->key(), event->modifiers()));
    for (const QChar c : event->text())
        if (c.unicode() < 128)
            input_.Character(static_cast<char>(c.unicode()));
}

void HostWindow::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat())
        input_.KeyUp(VirtualKeyFor(event->key(), event->modifiers()));
}

TPoint HostWindow::DevicePosition(const QMouseEvent& event) const {
    const QPointF device = event.position() * devicePixelRatioF();
    return {static_cast<int>(std::floor(device.x())), static_cast<int>(std::floor(device.y()))};
}

void HostWindow::mousePressEvent(QMouseEvent* event) {
    input_.Clicked(*this, DevicePosition(*event));
}

void HostWindow::mouseMoveEvent(QMouseEvent* event) {
    input_.PointerMoved(*this, DevicePosition(*event));
}

void HostWindow::closeEvent(QCloseEvent* event) {
    if (input_.CloseRequested())
        event->accept();
    else
        event->ignore();
}

bool HostWindow::focusNextPrevChild(bool) {
    return false; // Tab is a key like any other here
}

} // namespace dd
