#include "platform/qt/HostWindow.h"

#include "platform/qt/DevicePixels.h"
#include "platform/qt/KeyMapping.h"
#include "platform/qt/ShmPresenter.h"

#include <QCloseEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>

namespace dd {

HostWindow::HostWindow(const Bitmap* surface, HostEvents events)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      surface_(surface), events_(std::move(events)) {
    setAttribute(Qt::WA_OpaquePaintEvent); // every pixel is painted: nothing is erased
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // Where the X server shares memory with us, changed areas go to it directly and the window
    // keeps no backing store: for a full-screen window that is a copy of the whole screen.
    if (ShmPresenter::Available())
        presenter_ = ShmPresenter::Create(static_cast<std::uint32_t>(winId()));
    if (presenter_)
        setAttribute(Qt::WA_PaintOnScreen);
}

HostWindow::~HostWindow() = default;

QPaintEngine* HostWindow::paintEngine() const {
    return presenter_ ? nullptr : QWidget::paintEngine();
}

void HostWindow::ShowFullScreen(QScreen* screen, int scale) {
    const QRect geometry = screen->geometry();
    const qreal ratio = screen->devicePixelRatio();
    if (surface_)
        placement_ = SurfacePlacement(surface_->Width(), surface_->Height(), scale,
                                      static_cast<int>(std::lround(geometry.width() * ratio)),
                                      static_cast<int>(std::lround(geometry.height() * ratio)));
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

void HostWindow::Present(const TRect& area) {
    update(WindowRect(placement_.ToDevice(area), devicePixelRatioF()).toAlignedRect());
}

void HostWindow::paintEvent(QPaintEvent* event) {
    if (presenter_)
        PaintShared(event->region());
    else
        PaintBuffered(event->region());
}

void HostWindow::PaintShared(const QRegion& region) {
    const qreal ratio = devicePixelRatioF();
    QRegion device;
    for (const QRect& r : region) {
        const TRect d = DeviceRect(r, ratio);
        device += QRect(d.Left, d.Top, d.Width(), d.Height());
    }
    presenter_->Show(device, surface_, placement_);
}

void HostWindow::PaintBuffered(const QRegion& region) {
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    // Each changed area on its own: their bounding box may be most of the screen.
    for (const QRect& area : region) {
        const TRect device = DeviceRect(area, ratio);
        for (const TRect& black : placement_.Around(device))
            painter.fillRect(WindowRect(black, ratio), Qt::black);
        const TRect source = placement_.ToSurface(device);
        if (source.IsEmpty())
            continue;
        // TColor is 0x00BBGGRR: in memory the bytes are red, green, blue and an unused one.
        const QImage image(reinterpret_cast<const uchar*>(surface_->Row(0)), surface_->Width(),
                           surface_->Height(), surface_->Width() * 4, QImage::Format_RGBX8888);
        // Surface pixels map to whole blocks of device pixels, drawn without smoothing.
        painter.drawImage(WindowRect(placement_.ToDevice(source), ratio), image,
                          QRect(source.Left, source.Top, source.Width(), source.Height()));
    }
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

QPoint HostWindow::SurfacePosition(const QMouseEvent& event) const {
    const QPointF device = event.position() * devicePixelRatioF();
    const TPoint p = placement_.FromWindow(
        {static_cast<int>(std::floor(device.x())), static_cast<int>(std::floor(device.y()))});
    return {p.X, p.Y};
}

void HostWindow::mousePressEvent(QMouseEvent* event) {
    if (events_.mouseDown) {
        const QPoint p = SurfacePosition(*event);
        RunGuarded([&] { events_.mouseDown(p.x(), p.y()); }, events_.error);
    }
}

void HostWindow::mouseMoveEvent(QMouseEvent* event) {
    if (events_.mouseMove) {
        const QPoint p = SurfacePosition(*event);
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
