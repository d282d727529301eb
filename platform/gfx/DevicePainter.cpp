#include "platform/gfx/DevicePainter.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <vector>

namespace dd {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000;

std::uint32_t Pack(std::uint32_t red, std::uint32_t green, std::uint32_t blue, ChannelOrder order) {
    return order == ChannelOrder::RedFirst ? kOpaque | blue << 16 | green << 8 | red
                                           : kOpaque | red << 16 | green << 8 | blue;
}

// The surface pixels each device pixel of [from, to) shows along one axis, those outside the
// surface left out: black, they add nothing to a mean but their share of it.
class AxisTaps {
public:
    AxisTaps(const PlacementAxis& axis, int from, int to, int size) {
        std::vector<PlacementTap> all;
        for (int device = from; device < to; ++device) {
            first_.push_back(taps_.size());
            all.clear();
            axis.Taps(device, all);
            std::ranges::copy_if(all, std::back_inserter(taps_), [size](const PlacementTap& t) {
                return t.index >= 0 && t.index < size;
            });
        }
        first_.push_back(taps_.size());
    }

    const PlacementTap* begin(int i) const { return taps_.data() + first_[i]; }
    const PlacementTap* end(int i) const { return taps_.data() + first_[i + 1]; }
    bool Same(int i, int j) const { return std::equal(begin(i), end(i), begin(j), end(j)); }

private:
    std::vector<PlacementTap> taps_;
    std::vector<std::size_t> first_;
};

void PaintRow(const Bitmap& surface, const AxisTaps& rows, int row, const AxisTaps& columns,
              int width, std::uint32_t total, ChannelOrder order, std::uint32_t* out) {
    for (int column = 0; column < width; ++column) {
        std::uint32_t red = 0, green = 0, blue = 0;
        for (const PlacementTap* y = rows.begin(row); y != rows.end(row); ++y) {
            const TColor* line = surface.Row(y->index);
            for (const PlacementTap* x = columns.begin(column); x != columns.end(column); ++x) {
                const std::uint32_t weight = static_cast<std::uint32_t>(y->weight * x->weight);
                const TColor c = line[x->index];
                red += weight * (c & 0xFF);
                green += weight * (c >> 8 & 0xFF);
                blue += weight * (c >> 16 & 0xFF);
            }
        }
        const std::uint32_t half = total / 2;
        out[column] =
            Pack((red + half) / total, (green + half) / total, (blue + half) / total, order);
    }
}

} // namespace

void PaintDeviceArea(const Bitmap* surface, const SurfacePlacement& placement, const TRect& area,
                     const DevicePixels& target) {
    if (area.IsEmpty())
        return;
    const int width = area.Width(), height = area.Height();
    const auto rowAt = [&](int y) { return target.pixels + y * target.stride; };
    if (!surface || !placement.HasSurface()) {
        for (int y = 0; y < height; ++y)
            std::fill_n(rowAt(y), width, Pack(0, 0, 0, target.order));
        return;
    }
    assert(surface->Width() == placement.SurfaceWidth() &&
           surface->Height() == placement.SurfaceHeight());
    const AxisTaps columns(placement.X(), area.Left, area.Right, surface->Width());
    const AxisTaps rows(placement.Y(), area.Top, area.Bottom, surface->Height());
    const auto total =
        static_cast<std::uint32_t>(placement.X().Weights() * placement.Y().Weights());
    // The weights of a pixel are at most `total`, and a channel at most 255.
    assert(total <= 0xFFFFFFFFu / 255);
    for (int y = 0; y < height; ++y) {
        // Enlarged, neighbouring rows often show the same surface rows in the same shares.
        if (y > 0 && rows.Same(y, y - 1))
            std::memcpy(rowAt(y), rowAt(y - 1), static_cast<std::size_t>(width) * 4);
        else
            PaintRow(*surface, rows, y, columns, width, total, target.order, rowAt(y));
    }
}

} // namespace dd
