#include "platform/gfx/SurfacePlacement.h"

#include <cassert>

namespace dd {
SurfacePlacement::SurfacePlacement(int surfaceWidth, int surfaceHeight, int scale, int windowWidth,
                                   int windowHeight)
    : scale_(scale), shown_(Bounds((windowWidth - surfaceWidth * scale) / 2,
                                   (windowHeight - surfaceHeight * scale) / 2, surfaceWidth * scale,
                                   surfaceHeight * scale)) {
    assert(scale >= 1 && surfaceWidth >= 0 && surfaceHeight >= 0);
}

TRect SurfacePlacement::ToDevice(const TRect& surfaceArea) const {
    return {shown_.Left + surfaceArea.Left * scale_, shown_.Top + surfaceArea.Top * scale_,
            shown_.Left + surfaceArea.Right * scale_, shown_.Top + surfaceArea.Bottom * scale_};
}

TRect SurfacePlacement::ToSurface(const TRect& deviceArea) const {
    TRect onSurface;
    if (!IntersectRect(onSurface, deviceArea, shown_))
        return {};
    // From the surface's top left, so never negative: every block the area touches.
    return {(onSurface.Left - shown_.Left) / scale_, (onSurface.Top - shown_.Top) / scale_,
            (onSurface.Right - shown_.Left + scale_ - 1) / scale_,
            (onSurface.Bottom - shown_.Top + scale_ - 1) / scale_};
}

TPoint SurfacePlacement::FromWindow(TPoint device) const {
    return {device.X - shown_.Left, device.Y - shown_.Top};
}

std::vector<TRect> SurfacePlacement::Around(const TRect& deviceArea) const {
    TRect inside;
    if (!IntersectRect(inside, deviceArea, shown_))
        return deviceArea.IsEmpty() ? std::vector<TRect>{} : std::vector<TRect>{deviceArea};
    std::vector<TRect> around;
    const TRect parts[] = {{deviceArea.Left, deviceArea.Top, deviceArea.Right, inside.Top},
                           {deviceArea.Left, inside.Bottom, deviceArea.Right, deviceArea.Bottom},
                           {deviceArea.Left, inside.Top, inside.Left, inside.Bottom},
                           {inside.Right, inside.Top, deviceArea.Right, inside.Bottom}};
    for (const TRect& part : parts)
        if (!part.IsEmpty())
            around.push_back(part);
    return around;
}

} // namespace dd
