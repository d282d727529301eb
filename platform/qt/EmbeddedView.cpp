#include "platform/qt/EmbeddedView.h"

#include "platform/core/Exception.h"
#include "platform/gfx/Placement.h"
#include "platform/qt/ShmPresenter.h"

#include <QBackingStore>
#include <QExposeEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <utility>
#include <xcb/xcb.h>

namespace dd {
namespace {

xcb_connection_t* Connection() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        throw Exception("Drawing into another program's window needs an X server");
    return x11->connection();
}

} // namespace

EmbeddedView::EmbeddedView(const Bitmap& surface, std::uint64_t parent,
                           std::function<void()> onParentGone)
    : surface_(surface), parentId_(static_cast<std::uint32_t>(parent)),
      onParentGone_(std::move(onParentGone)) {
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
    if (ShmPresenter::Available())
        presenter_ = ShmPresenter::Create(static_cast<std::uint32_t>(winId()));
    show();
}

EmbeddedView::~EmbeddedView() {
    qGuiApp->removeNativeEventFilter(this);
    presenter_.reset();
    setParent(nullptr);
    destroy();
}

QRect EmbeddedView::Target() const {
    const TRect r = FitCentred(surface_.Width(), surface_.Height(), width(), height());
    return {r.Left, r.Top, r.Width(), r.Height()};
}

void EmbeddedView::Present(const TRect& area) {
    const QRect target = Target();
    const double fx = static_cast<double>(target.width()) / surface_.Width();
    const double fy = static_cast<double>(target.height()) / surface_.Height();
    // One pixel more on each side: a shrunk picture blends its neighbours in.
    const QRectF shown(target.x() + area.Left * fx - 1, target.y() + area.Top * fy - 1,
                       area.Width() * fx + 2, area.Height() * fy + 2);
    // Drawn once the tick is over, in the same turn of the event loop: an update request would
    // wake the process again a few milliseconds later.
    if (dirty_.isEmpty())
        QMetaObject::invokeMethod(this, &EmbeddedView::RenderDirty, Qt::QueuedConnection);
    dirty_ += shown.toAlignedRect();
}

void EmbeddedView::exposeEvent(QExposeEvent*) {
    if (isExposed())
        Render(QRect(QPoint(), size()));
}

void EmbeddedView::RenderDirty() {
    const QRegion dirty = std::exchange(dirty_, QRegion());
    if (isExposed())
        Render(dirty);
}

void EmbeddedView::Render(const QRegion& region) {
    const QRect target = Target();
    const int scale = surface_.Empty() ? 0 : target.width() / surface_.Width();
    // Shrunk, the picture is smoothed, which only Qt's drawing does.
    if (presenter_ && scale >= 1 && target.width() == surface_.Width() * scale)
        presenter_->Show(
            region, &surface_,
            SurfacePlacement(surface_.Width(), surface_.Height(), scale, width(), height()));
    else
        PaintBuffered(region);
}

void EmbeddedView::PaintBuffered(const QRegion& region) {
    if (!store_)
        store_ = std::make_unique<QBackingStore>(this);
    store_->resize(size());
    store_->beginPaint(region);
    {
        QPainter painter(store_->paintDevice());
        Paint(painter, region);
    }
    store_->endPaint();
    store_->flush(region);
}

void EmbeddedView::Paint(QPainter& painter, const QRegion& region) {
    const QRect target = Target();
    for (const QRect& r : region.subtracted(target))
        painter.fillRect(r, Qt::black);
    if (surface_.Empty())
        return;
    const QImage image(reinterpret_cast<const uchar*>(surface_.Row(0)), surface_.Width(),
                       surface_.Height(), surface_.Width() * 4, QImage::Format_RGBX8888);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, target.width() < surface_.Width());
    const double fx = static_cast<double>(surface_.Width()) / target.width();
    const double fy = static_cast<double>(surface_.Height()) / target.height();
    // Each changed area on its own (their bounding box may be most of the window), and only
    // the part of the surface under it, with a pixel to spare for the smoothing.
    for (const QRect& area : region.intersected(target)) {
        painter.setClipRect(area);
        const QRectF wanted = QRectF(area).translated(-target.topLeft());
        const QRect source = QRectF(wanted.x() * fx - 1, wanted.y() * fy - 1,
                                    wanted.width() * fx + 2, wanted.height() * fy + 2)
                                 .toAlignedRect()
                                 .intersected(image.rect());
        painter.drawImage(QRectF(target.x() + source.x() / fx, target.y() + source.y() / fy,
                                 source.width() / fx, source.height() / fy),
                          image, source);
    }
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
            onParentGone_();
        break;
    default:
        break;
    }
    return false;
}

} // namespace dd
