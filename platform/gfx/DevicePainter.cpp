#include "platform/gfx/DevicePainter.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <optional>
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

// Any scale, up or down: every tap of every pixel, a channel at a time.
void PaintMeanRow(const Bitmap& surface, const AxisTaps& rows, int row, const AxisTaps& columns,
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

// Enlarged by a fraction: each device pixel shows at most two surface pixels on each axis. The
// three channels of a pixel are summed at once in lanes of 21 bits of one 64-bit word, a row of
// the surface is blended across once for all the device rows that show it, and the division by
// the weights is a multiplication.
class BlendedRows {
public:
    static constexpr int kLane = 21;

    // Whether the sums of every pixel fit the lanes.
    static bool Fit(std::uint32_t total) { return 255 * total + total / 2 < (1u << kLane); }

    BlendedRows(const Bitmap& surface, const SurfacePlacement& placement, const AxisTaps& columns,
                int width)
        : surface_(surface), width_(width),
          columnWeights_(static_cast<std::uint32_t>(placement.X().Weights())),
          rowWeights_(static_cast<std::uint32_t>(placement.Y().Weights())),
          half_(columnWeights_ * rowWeights_ / 2),
          reciprocal_((std::uint64_t{1} << 42) / (columnWeights_ * rowWeights_) + 1) {
        for (int column = 0; column < width; ++column) {
            const PlacementTap* x = columns.begin(column);
            const std::ptrdiff_t taps = columns.end(column) - x;
            assert(taps <= 2);
            Column c; // no tap: the column lies beside the surface, black
            if (taps > 0)
                c = {x[0].index, x[0].index, Weight(x[0]), 0};
            if (taps > 1) {
                c.second = x[1].index;
                c.secondWeight = Weight(x[1]);
            }
            columns_.push_back(c);
        }
        for (Cached& cached : cache_)
            cached.sums.resize(static_cast<std::size_t>(width));
        zeros_.resize(static_cast<std::size_t>(width));
    }

    void Paint(const AxisTaps& rows, int row, ChannelOrder order, std::uint32_t* out) {
        const PlacementTap* y = rows.begin(row);
        const std::ptrdiff_t taps = rows.end(row) - y;
        assert(taps <= 2);
        // A row beside the surface is black: it blends nothing, with no weight.
        const std::uint64_t* first = taps > 0 ? Across(y[0].index, nullptr) : zeros_.data();
        const std::uint64_t* second = taps > 1 ? Across(y[1].index, first) : zeros_.data();
        const std::uint64_t firstWeight = taps > 0 ? Weight(y[0]) : 0;
        const std::uint64_t secondWeight = taps > 1 ? Weight(y[1]) : 0;
        // A device row inside one surface row shows that row's pixels themselves wherever a
        // device column lies inside one surface column.
        const TColor* whole =
            taps == 1 && firstWeight == rowWeights_ ? surface_.Row(y[0].index) : nullptr;
        if (order == ChannelOrder::RedFirst)
            Blend<ChannelOrder::RedFirst>(first, firstWeight, second, secondWeight, whole, out);
        else
            Blend<ChannelOrder::BlueFirst>(first, firstWeight, second, secondWeight, whole, out);
    }

private:
    struct Column {
        int first = 0, second = 0;
        std::uint32_t firstWeight = 0, secondWeight = 0;
    };
    struct Cached {
        int row = -1;
        std::vector<std::uint64_t> sums;
    };

    template <ChannelOrder order>
    void Blend(const std::uint64_t* first, std::uint64_t firstWeight, const std::uint64_t* second,
               std::uint64_t secondWeight, const TColor* whole, std::uint32_t* out) const {
        const std::uint64_t half = half_ | half_ << kLane | half_ << 2 * kLane;
        constexpr std::uint64_t mask = (1u << kLane) - 1;
        const auto blended = [&](int column) {
            return half + firstWeight * first[column] + secondWeight * second[column];
        };
        const std::uint64_t reciprocal = reciprocal_;
        const auto divided = [reciprocal](std::uint64_t lane) {
            return static_cast<std::uint32_t>((lane * reciprocal) >> 42);
        };
        const int width = width_;
        const Column* columns = columns_.data();
        for (int column = 0; column < width; ++column) {
            const Column& c = columns[column];
            if (whole && c.firstWeight == columnWeights_) {
                const TColor own = whole[c.first];
                out[column] = Pack(own & 0xFF, own >> 8 & 0xFF, own >> 16 & 0xFF, order);
                continue;
            }
            const std::uint64_t sum = blended(column);
            out[column] = Pack(divided(sum & mask), divided(sum >> kLane & mask),
                               divided(sum >> 2 * kLane), order);
        }
    }

    static std::uint32_t Weight(const PlacementTap& tap) {
        return static_cast<std::uint32_t>(tap.weight);
    }
    static std::uint64_t Lanes(TColor c) {
        return (c & 0xFF) | std::uint64_t{c >> 8 & 0xFF} << kLane |
               std::uint64_t{c >> 16 & 0xFF} << 2 * kLane;
    }

    // Surface row `row` blended across into device columns, kept for the next device rows;
    // the sums at `keep` stay.
    const std::uint64_t* Across(int row, const std::uint64_t* keep) {
        for (Cached& cached : cache_)
            if (cached.row == row)
                return cached.sums.data();
        Cached& cached = cache_[next_].sums.data() == keep ? cache_[1 - next_] : cache_[next_];
        next_ = &cached == &cache_[0] ? 1 : 0;
        cached.row = row;
        const TColor* line = surface_.Row(row);
        for (int column = 0; column < width_; ++column) {
            const Column& c = columns_[static_cast<std::size_t>(column)];
            cached.sums[static_cast<std::size_t>(column)] =
                c.firstWeight * Lanes(line[c.first]) + c.secondWeight * Lanes(line[c.second]);
        }
        return cached.sums.data();
    }

    const Bitmap& surface_;
    int width_;
    std::uint32_t columnWeights_; // of a whole device pixel along a row
    std::uint32_t rowWeights_;
    std::uint64_t half_;
    std::uint64_t reciprocal_; // 2^42 / total, rounded up: exact for sums below 2^21
    std::vector<Column> columns_;
    Cached cache_[2];
    std::vector<std::uint64_t> zeros_;
    int next_ = 0; // the cached row to replace next: the older one
};

// At a whole scale, or 1: each device pixel is one surface pixel's own colour, or black.
void PaintWholeRow(const Bitmap& surface, const AxisTaps& rows, int row, const AxisTaps& columns,
                   int width, ChannelOrder order, std::uint32_t* out) {
    const PlacementTap* y = rows.begin(row);
    if (y == rows.end(row)) {
        std::fill_n(out, width, Pack(0, 0, 0, order));
        return;
    }
    const TColor* line = surface.Row(y->index);
    const auto paint = [&](auto convert) {
        for (int column = 0; column < width; ++column) {
            const PlacementTap* x = columns.begin(column);
            out[column] = x == columns.end(column) ? kOpaque : convert(line[x->index]);
        }
    };
    if (order == ChannelOrder::RedFirst)
        paint([](TColor c) { return kOpaque | c; });
    else
        paint(
            [](TColor c) { return kOpaque | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); });
}

// Whether every device pixel shows at most two surface pixels along the axis: enlarged.
bool AtMostTwoTapsEach(const AxisTaps& taps, int count) {
    for (int i = 0; i < count; ++i)
        if (taps.end(i) - taps.begin(i) > 2)
            return false;
    return true;
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
    const bool whole = placement.X().Whole() && placement.Y().Whole();
    std::optional<BlendedRows> blended;
    if (!whole && AtMostTwoTapsEach(columns, width) && AtMostTwoTapsEach(rows, height) &&
        BlendedRows::Fit(total))
        blended.emplace(*surface, placement, columns, width);
    for (int y = 0; y < height; ++y) {
        // Enlarged, neighbouring rows often show the same surface rows in the same shares.
        if (y > 0 && rows.Same(y, y - 1))
            std::memcpy(rowAt(y), rowAt(y - 1), static_cast<std::size_t>(width) * 4);
        else if (whole)
            PaintWholeRow(*surface, rows, y, columns, width, target.order, rowAt(y));
        else if (blended)
            blended->Paint(rows, y, target.order, rowAt(y));
        else
            PaintMeanRow(*surface, rows, y, columns, width, total, target.order, rowAt(y));
    }
}

} // namespace dd
