#include "platform/gfx/PlacementAxis.h"

#include <algorithm>
#include <cassert>
#include <numeric>

namespace dd {
namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    assert(b > 0);
    return a / b - (a % b < 0 ? 1 : 0);
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return -FloorDiv(-a, b);
}

} // namespace

PlacementAxis::PlacementAxis(int anchor, int span, int origin, int deviceSpan) {
    assert(span > 0 && deviceSpan > 0);
    const int common = std::gcd(span, deviceSpan);
    perSurface_ = deviceSpan / common;
    perDevice_ = span / common;
    offset_ = std::int64_t{anchor} * perSurface_ - std::int64_t{origin} * perDevice_;
}

int PlacementAxis::ToSurface(int device) const {
    return static_cast<int>(FloorDiv(Fine(device), perSurface_));
}

int PlacementAxis::ToDevice(int surface) const {
    return static_cast<int>(CeilDiv(std::int64_t{surface} * perSurface_ - offset_, perDevice_));
}

std::pair<int, int> PlacementAxis::DeviceSpan(int from, int to) const {
    if (to <= from)
        return {0, 0};
    const auto first = FloorDiv(std::int64_t{from} * perSurface_ - offset_, perDevice_);
    const auto last = CeilDiv(std::int64_t{to} * perSurface_ - offset_, perDevice_);
    return {static_cast<int>(first), static_cast<int>(last)};
}

std::pair<int, int> PlacementAxis::SurfaceSpan(int from, int to) const {
    if (to <= from)
        return {0, 0};
    return {static_cast<int>(FloorDiv(Fine(from), perSurface_)),
            static_cast<int>(CeilDiv(Fine(to), perSurface_))};
}

void PlacementAxis::Taps(int device, std::vector<PlacementTap>& taps) const {
    const std::int64_t start = Fine(device), end = start + perDevice_;
    for (std::int64_t index = FloorDiv(start, perSurface_); index * perSurface_ < end; ++index) {
        const std::int64_t from = std::max(start, index * perSurface_);
        const std::int64_t to = std::min(end, (index + 1) * perSurface_);
        taps.push_back({static_cast<int>(index), static_cast<int>(to - from)});
    }
}

} // namespace dd
