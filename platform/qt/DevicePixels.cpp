#include "platform/qt/DevicePixels.h"

namespace dd {

TRect DeviceRect(const QRect& r, qreal ratio) {
    const QRect device =
        QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio).toAlignedRect();
    return Bounds(device.x(), device.y(), device.width(), device.height());
}

QRectF WindowRect(const TRect& r, qreal ratio) {
    return {r.Left / ratio, r.Top / ratio, r.Width() / ratio, r.Height() / ratio};
}

} // namespace dd
