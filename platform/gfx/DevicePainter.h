#pragma once

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Rect.h"
#include "platform/gfx/SurfacePlacement.h"

#include <cstddef>
#include <cstdint>

namespace dd {

// The order of a device pixel's bytes in memory, alpha last.
enum class ChannelOrder {
    RedFirst,  // red, green, blue, alpha: Qt's RGBA8888
    BlueFirst, // blue, green, red, alpha: a 0xAARRGGBB word, as X, GDI and Qt's ARGB32 keep it
};

// Memory for the device pixels of an area: the area's top-left pixel first, `stride` pixels
// from one row to the next.
struct DevicePixels {
    std::uint32_t* pixels = nullptr;
    std::ptrdiff_t stride = 0;
    ChannelOrder order = ChannelOrder::BlueFirst;
};

// Writes the device pixels of `area` (window coordinates) as `placement` shows `surface`: each
// device pixel the area-weighted mean of the surface pixels it covers, rounded, black where
// there is no surface, every pixel opaque. At a whole scale every pixel is a surface pixel's
// own colour. Without a surface the area is black.
void PaintDeviceArea(const Bitmap* surface, const SurfacePlacement& placement, const TRect& area,
                     const DevicePixels& target);

// How many rows of `width` device pixels fit into `bytes`, at least one: presenters paint a
// large area in strips of a buffer that size.
inline int StripRows(int width, std::size_t bytes) {
    const std::size_t rowBytes = static_cast<std::size_t>(width > 0 ? width : 1) * 4;
    return static_cast<int>(bytes / rowBytes > 0 ? bytes / rowBytes : 1);
}

} // namespace dd
