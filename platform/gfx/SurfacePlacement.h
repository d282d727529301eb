#pragma once

#include "platform/gfx/PlacementAxis.h"
#include "platform/gfx/Rect.h"

namespace dd {

// Where a window shows the surface the program draws into: a part of it (the play field) at a
// rectangle of the window's device pixels, the rest of the surface around it at the same scale,
// black where the surface does not reach. Every host maps changed areas, pixels to paint and
// pointer positions through it.
class SurfacePlacement {
public:
    // No surface: the whole window is black.
    SurfacePlacement() = default;
    // A surface of surfaceWidth x surfaceHeight whose `field` (surface pixels) is shown at
    // `shown` (device pixels of the window).
    SurfacePlacement(int surfaceWidth, int surfaceHeight, const TRect& field, const TRect& shown);

    // A field of the given size shown centred in a window at the largest scale that fits,
    // fractional too, never below 1, floor(size * scale) device pixels; and the surface around
    // it as large as it must be to reach every edge of the window at that scale.
    static SurfacePlacement Enlarged(int fieldWidth, int fieldHeight, int windowWidth,
                                     int windowHeight);
    // The same surface and field on a window of another size, the field at the largest scale
    // that fits it, never below 1.
    SurfacePlacement Refitted(int windowWidth, int windowHeight) const;
    // The whole surface shown centred in a window at the largest scale that fits: enlarged, or
    // shrunk into a small window.
    static SurfacePlacement Fitted(int surfaceWidth, int surfaceHeight, int windowWidth,
                                   int windowHeight);

    int SurfaceWidth() const { return width_; }
    int SurfaceHeight() const { return height_; }
    bool HasSurface() const { return width_ > 0 && height_ > 0; }
    const PlacementAxis& X() const { return x_; }
    const PlacementAxis& Y() const { return y_; }

    // The device pixels that show any part of `surfaceArea`.
    TRect ToDevice(const TRect& surfaceArea) const;
    // The start of surface pixel `surface` in device pixels.
    TPoint ToDevice(TPoint surface) const {
        return {x_.ToDevice(surface.X), y_.ToDevice(surface.Y)};
    }
    // The surface pixel under device pixel `device`, possibly outside the surface.
    TPoint ToSurface(TPoint device) const {
        return {x_.ToSurface(device.X), y_.ToSurface(device.Y)};
    }

private:
    int width_ = 0;
    int height_ = 0;
    TRect field_; // in surface pixels
    PlacementAxis x_;
    PlacementAxis y_;
};

} // namespace dd
