#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace dd {

// A surface pixel's share of one device pixel along one axis.
struct PlacementTap {
    int index = 0;  // the surface pixel, possibly outside the surface
    int weight = 0; // of Weights() for the whole device pixel
    bool operator==(const PlacementTap&) const = default;
};

// One axis of a placement: `span` surface pixels from `anchor` fill `deviceSpan` device pixels
// from `origin`, so the scale is deviceSpan / span, a whole number or a fraction. Positions are
// counted exactly in fine units: a surface pixel is DeviceUnits() of them, a device pixel
// Weights().
class PlacementAxis {
public:
    PlacementAxis() = default; // one device pixel a surface pixel
    PlacementAxis(int anchor, int span, int origin, int deviceSpan);

    // The surface pixel under the start of device pixel `device`.
    int ToSurface(int device) const;
    // The first device pixel whose start lies at or after the start of surface pixel `surface`.
    int ToDevice(int surface) const;
    // The device pixels [first, last) that show any part of surface pixels [from, to).
    std::pair<int, int> DeviceSpan(int from, int to) const;
    // The surface pixels [first, last) that device pixels [from, to) show any part of.
    std::pair<int, int> SurfaceSpan(int from, int to) const;
    // Appends the surface pixels device pixel `device` shows, each with the length it covers.
    void Taps(int device, std::vector<PlacementTap>& taps) const;
    // The fine units a device pixel spans: the taps of one device pixel add up to this.
    int Weights() const { return perDevice_; }
    // Whether every device pixel shows exactly one surface pixel: a whole scale.
    bool Whole() const { return perDevice_ == 1; }

private:
    std::int64_t Fine(int device) const { return std::int64_t{device} * perDevice_ + offset_; }

    int perSurface_ = 1;      // fine units a surface pixel spans
    int perDevice_ = 1;       // fine units a device pixel spans
    std::int64_t offset_ = 0; // fine position of device coordinate 0
};

} // namespace dd
