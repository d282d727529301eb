#pragma once

#include "platform/gfx/Rect.h"

#include <QRect>
#include <QRectF>
#include <QRegion>

namespace dd {

// Qt places windows in device-independent pixels; the surface and the monitors count device
// pixels, `ratio` of them to each of Qt's.
TRect DeviceRect(const QRect& r, qreal ratio);
QRectF WindowRect(const TRect& r, qreal ratio);
// The same for regions; a window pixel that is partly covered counts whole.
QRegion DeviceRegion(const QRegion& window, qreal ratio);
QRegion WindowRegion(const QRegion& device, qreal ratio);

} // namespace dd
