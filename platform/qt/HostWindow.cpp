#include "platform/qt/HostWindow.h"

#include "platform/qt/KeyMapping.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace dd {

HostWindow::HostWindow(const Bitmap& surface, HostEvents events)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      surface_(surface), events_(std::move(events)) {
    setAttribute(Qt::WA_OpaquePaintEvent); // the surface covers every pixel: nothing is erased
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void HostWindow::ShowFullScreen() {
    // Without a window manager a full-screen request alone leaves the default size.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    setGeometry(screen);
    showFullScreen();
    raise();
    activateWindow();
    setFocus();
}

void HostWindow::paintEvent(QPaintEvent* event) {
    if (surface_.Empty())
        return;
    // TColor is 0x00BBGGRR: in memory the bytes are red, green, blue and an unused one.
    const QImage image(reinterpret_cast<const uchar*>(surface_.Row(0)), surface_.Width(),
                       surface_.Height(), surface_.Width() * 4, QImage::Format_RGBX8888);
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area, image, area);
}

void HostWindow::keyPressEvent(QKeyEvent* event) {
    if (events_.keyDown)
        events_.keyDown(VirtualKeyFor(event->key(), event->modifiers()));
    if (events_.keyPress)
        for (const QChar c : event->text())
            if (c.unicode() < 128)
                events_.keyPress(static_cast<char>(c.unicode()));
}

void HostWindow::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat() && events_.keyUp)
        events_.keyUp(VirtualKeyFor(event->key(), event->modifiers()));
}

void HostWindow::mousePressEvent(QMouseEvent*) {
    if (events_.mouseDown)
        events_.mouseDown();
}

void HostWindow::mouseMoveEvent(QMouseEvent* event) {
    if (events_.mouseMove) {
        const QPoint p = event->position().toPoint();
        events_.mouseMove(p.x(), p.y());
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
