#pragma once

#include "platform/gfx/Rect.h"

#include <QRect>
#include <QRectF>

namespace dd {

// Qt places windows in device-independent pixels; the surface and the monitors count device
// pixels, `ratio` of them to each of Qt's.
TRect DeviceRect(const QRect& r, qreal ratio);
QRectF WindowRect(const TRect& r, qreal ratio);

} // namespace dd
