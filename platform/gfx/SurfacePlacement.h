#pragma once

#include "platform/gfx/Rect.h"

#include <vector>

namespace dd {

// Where a window shows the surface the program draws into: centred, each surface pixel a block
// of scale x scale device pixels, black around it. Every host maps changed areas, pixels to
// paint and pointer positions through it.
class SurfacePlacement {
public:
    // No surface: the whole window is black.
    SurfacePlacement() = default;
    // A surface of the given size in a window of windowWidth x windowHeight device pixels.
    SurfacePlacement(int surfaceWidth, int surfaceHeight, int scale, int windowWidth,
                     int windowHeight);

    int Scale() const { return scale_; }
    // The surface's top left in the window's device pixels.
    TPoint Origin() const { return {shown_.Left, shown_.Top}; }
    // The device pixels the surface covers.
    const TRect& Shown() const { return shown_; }
    // The device pixels showing `surfaceArea`.
    TRect ToDevice(const TRect& surfaceArea) const;
    // The whole surface pixels needed to paint `deviceArea`, within the surface.
    TRect ToSurface(const TRect& deviceArea) const;
    // A window position in device pixels from the surface's top left.
    TPoint FromWindow(TPoint device) const;
    // The parts of `deviceArea` the surface does not cover, to be painted black.
    std::vector<TRect> Around(const TRect& deviceArea) const;

private:
    int scale_ = 1;
    TRect shown_;
};

} // namespace dd
