#include "hosts/qt/EmbeddedView.h"

#include "hosts/qt/X11Connection.h"
#include "platform/core/Exception.h"

#include <QBackingStore>
#include <QExposeEvent>
#include <QGuiApplication>
#include <QResizeEvent>
#include <cstdlib>
#include <utility>
#include <xcb/xcb.h>

namespace dd {
namespace {

xcb_connection_t* Connection() {
    xcb_connection_t* connection = X11Connection();
    if (!connection)
        throw Exception("Drawing into another program's window needs an X server");
    return connection;
}

} // namespace

EmbeddedView::EmbeddedView(const Bitmap& surface, std::uint64_t parent, SaverInput& input)
    : surface_(surface), parentId_(static_cast<std::uint32_t>(parent)), input_(input),
      presenter_(&surface, [this](const QRegion& region) { PaintBuffered(region); }) {
    xcb_connection_t* connection = Connection();
    if (parent > 0xFFFFFFFFu)
        throw Exception("No window 0x" + QString::number(parent, 16).toStdString() +
                        " on the X server");
    // Changes of the window's size and its end arrive as events on our connection.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, parentId_, XCB_CW_EVENT_MASK, &mask);
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, parentId_), nullptr),
        &std::free);
    if (!geometry)
        throw Exception("No window 0x" + QString::number(parent, 16).toStdString() +
                        " on the X server");
    qGuiApp->installNativeEventFilter(this);
    parent_.reset(QWindow::fromWinId(parentId_));
    setParent(parent_.get());
    // Clicks and keys belong to the window's owner (a preview's settings tool, say).
    setFlag(Qt::WindowTransparentForInput);
    setGeometry(0, 0, geometry->width, geometry->height);
    presenter_.SetPlacement(
        SurfacePlacement::Fitted(surface_.Width(), surface_.Height(), width(), height()));
    if (!presenter_.Share(static_cast<std::uint32_t>(winId())))
        store_ = std::make_unique<QBackingStore>(this);
    show();
}

EmbeddedView::~EmbeddedView() {
    qGuiApp->removeNativeEventFilter(this);
    setParent(nullptr);
    destroy();
}

void EmbeddedView::resizeEvent(QResizeEvent*) {
    presenter_.SetPlacement(
        SurfacePlacement::Fitted(surface_.Width(), surface_.Height(), width(), height()));
}

void EmbeddedView::exposeEvent(QExposeEvent*) {
    if (isExposed())
        presenter_.Draw(QRect(QPoint(), size()));
}

void EmbeddedView::PaintBuffered(const QRegion& region) {
    if (!isExposed())
        return;
    store_->resize(size());
    store_->beginPaint(region);
    presenter_.Paint(*store_->paintDevice(), region);
    store_->endPaint();
    store_->flush(region);
}

bool EmbeddedView::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7F) {
    case XCB_CONFIGURE_NOTIFY: {
        const auto* configure = static_cast<const xcb_configure_notify_event_t*>(message);
        if (configure->window == parentId_)
            setGeometry(0, 0, configure->width, configure->height);
        break;
    }
    case XCB_DESTROY_NOTIFY:
        if (static_cast<const xcb_destroy_notify_event_t*>(message)->window == parentId_)
            input_.WindowGone();
        break;
    default:
        break;
    }
    return false;
}

} // namespace dd
