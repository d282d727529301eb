#include "platform/qt/HostWindow.h"

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
    scale_ = scale;
    const QRect geometry = screen->geometry();
    const qreal ratio = screen->devicePixelRatio();
    if (surface_) {
        const int deviceWidth = static_cast<int>(std::lround(geometry.width() * ratio));
        const int deviceHeight = static_cast<int>(std::lround(geometry.height() * ratio));
        origin_ = {(deviceWidth - surface_->Width() * scale) / 2,
                   (deviceHeight - surface_->Height() * scale) / 2};
    }
    ShowCoveringScreen(screen);
    activateWindow();
    setFocus();
}

void HostWindow::ShowCoveringScreen(QScreen* screen) {
    coveredScreen_ = screen;
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

QRectF HostWindow::SurfaceArea() const {
    if (!surface_)
        return {};
    const qreal ratio = devicePixelRatioF();
    return {origin_.x() / ratio, origin_.y() / ratio, surface_->Width() * scale_ / ratio,
            surface_->Height() * scale_ / ratio};
}

void HostWindow::Present(const TRect& area) {
    const qreal ratio = devicePixelRatioF();
    const QRectF shown((origin_.x() + area.Left * scale_) / ratio,
                       (origin_.y() + area.Top * scale_) / ratio, area.Width() * scale_ / ratio,
                       area.Height() * scale_ / ratio);
    update(shown.toAlignedRect());
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
    for (const QRect& r : region)
        device += QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio).toAlignedRect();
    presenter_->Show(device, surface_, origin_, scale_);
}

void HostWindow::PaintBuffered(const QRegion& region) {
    QPainter painter(this);
    const QRectF surfaceArea = SurfaceArea();
    for (const QRect& r : region.subtracted(surfaceArea.toAlignedRect()))
        painter.fillRect(r, Qt::black);
    if (!surface_ || surface_->Empty())
        return;
    // TColor is 0x00BBGGRR: in memory the bytes are red, green, blue and an unused one.
    const QImage image(reinterpret_cast<const uchar*>(surface_->Row(0)), surface_->Width(),
                       surface_->Height(), surface_->Width() * 4, QImage::Format_RGBX8888);
    // Surface pixels map to whole blocks of device pixels, drawn without smoothing. Each
    // changed area on its own: their bounding box may be most of the screen.
    const qreal toSurface = devicePixelRatioF() / scale_;
    const qreal toWindow = 1 / toSurface;
    for (const QRect& area : region) {
        const QRectF wanted =
            QRectF(area).intersected(surfaceArea).translated(-surfaceArea.topLeft());
        const QRect source = QRectF(wanted.topLeft() * toSurface, wanted.size() * toSurface)
                                 .toAlignedRect()
                                 .intersected(image.rect());
        if (!source.isEmpty())
            painter.drawImage(QRectF(surfaceArea.topLeft() + QPointF(source.topLeft()) * toWindow,
                                     QSizeF(source.size()) * toWindow),
                              image, source);
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
    return QPoint(static_cast<int>(std::floor(device.x())),
                  static_cast<int>(std::floor(device.y()))) -
           origin_;
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
