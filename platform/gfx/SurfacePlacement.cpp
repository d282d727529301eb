#include "platform/gfx/SurfacePlacement.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <tuple>

namespace dd {
namespace {

// The surface span that reaches both ends of a window axis of `window` device pixels when
// `field` surface pixels are shown at [shownStart, shownStart + shownSpan): the field plus a
// margin on each side, the wider of the two, in whole surface pixels rounded up.
int CoveringSpan(int field, int shownStart, int shownSpan, int window) {
    const std::int64_t margin = std::max(shownStart, window - shownStart - shownSpan);
    const std::int64_t surfaceMargin = margin >= 0 ? (margin * field + shownSpan - 1) / shownSpan
                                                   : -((-margin * field) / shownSpan);
    return static_cast<int>(field + 2 * surfaceMargin);
}

// The largest size of content x by y that fits window x by y, keeping the proportions: the
// limiting axis fills the window, the other is rounded down.
std::pair<int, int> Fit(int width, int height, int windowWidth, int windowHeight) {
    if (std::int64_t{windowWidth} * height <= std::int64_t{windowHeight} * width)
        return {windowWidth, static_cast<int>(std::int64_t{height} * windowWidth / width)};
    return {static_cast<int>(std::int64_t{width} * windowHeight / height), windowHeight};
}

TRect Centred(int width, int height, int windowWidth, int windowHeight) {
    return Bounds((windowWidth - width) / 2, (windowHeight - height) / 2, width, height);
}

// The field shown centred at the largest scale that fits the window, never below 1.
TRect EnlargedField(int fieldWidth, int fieldHeight, int windowWidth, int windowHeight) {
    auto [width, height] = Fit(fieldWidth, fieldHeight, windowWidth, windowHeight);
    if (width < fieldWidth || height < fieldHeight) // a smaller window shows it 1:1, cut
        std::tie(width, height) = std::pair(fieldWidth, fieldHeight);
    return Centred(width, height, windowWidth, windowHeight);
}

} // namespace

SurfacePlacement::SurfacePlacement(int surfaceWidth, int surfaceHeight, const TRect& field,
                                   const TRect& shown)
    : width_(surfaceWidth), height_(surfaceHeight), field_(field),
      x_(field.Left, field.Width(), shown.Left, shown.Width()),
      y_(field.Top, field.Height(), shown.Top, shown.Height()) {
    assert(surfaceWidth > 0 && surfaceHeight > 0);
}

SurfacePlacement SurfacePlacement::Enlarged(int fieldWidth, int fieldHeight, int windowWidth,
                                            int windowHeight) {
    assert(fieldWidth > 0 && fieldHeight > 0);
    const TRect shown = EnlargedField(fieldWidth, fieldHeight, windowWidth, windowHeight);
    const int surfaceWidth = CoveringSpan(fieldWidth, shown.Left, shown.Width(), windowWidth);
    const int surfaceHeight = CoveringSpan(fieldHeight, shown.Top, shown.Height(), windowHeight);
    // Centred on the surface the way the saver window lays out its field.
    const TRect field = Bounds((surfaceWidth - fieldWidth) / 2, (surfaceHeight - fieldHeight) / 2,
                               fieldWidth, fieldHeight);
    return {surfaceWidth, surfaceHeight, field, shown};
}

SurfacePlacement SurfacePlacement::Refitted(int windowWidth, int windowHeight) const {
    assert(HasSurface());
    return {width_, height_, field_,
            EnlargedField(field_.Width(), field_.Height(), windowWidth, windowHeight)};
}

SurfacePlacement SurfacePlacement::Fitted(int surfaceWidth, int surfaceHeight, int windowWidth,
                                          int windowHeight) {
    const auto [width, height] =
        Fit(surfaceWidth, surfaceHeight, std::max(windowWidth, 1), std::max(windowHeight, 1));
    return {surfaceWidth, surfaceHeight, Bounds(0, 0, surfaceWidth, surfaceHeight),
            Centred(std::max(width, 1), std::max(height, 1), windowWidth, windowHeight)};
}

TRect SurfacePlacement::ToDevice(const TRect& surfaceArea) const {
    const auto [left, right] = x_.DeviceSpan(surfaceArea.Left, surfaceArea.Right);
    const auto [top, bottom] = y_.DeviceSpan(surfaceArea.Top, surfaceArea.Bottom);
    return {left, top, right, bottom};
}

} // namespace dd
