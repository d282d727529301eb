#include "hosts/qt/DevicePixels.h"

namespace dd {

TRect DeviceRect(const QRect& r, qreal ratio) {
    const QRect device =
        QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio).toAlignedRect();
    return Bounds(device.x(), device.y(), device.width(), device.height());
}

QRectF WindowRect(const TRect& r, qreal ratio) {
    return {r.Left / ratio, r.Top / ratio, r.Width() / ratio, r.Height() / ratio};
}

QRegion DeviceRegion(const QRegion& window, qreal ratio) {
    QRegion device;
    for (const QRect& r : window) {
        const TRect d = DeviceRect(r, ratio);
        device += QRect(d.Left, d.Top, d.Width(), d.Height());
    }
    return device;
}

QRegion WindowRegion(const QRegion& device, qreal ratio) {
    QRegion window;
    for (const QRect& r : device)
        window += WindowRect(Bounds(r.x(), r.y(), r.width(), r.height()), ratio).toAlignedRect();
    return window;
}

} // namespace dd
