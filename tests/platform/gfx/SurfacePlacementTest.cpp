#include "platform/gfx/SurfacePlacement.h"

#include <gtest/gtest.h>
#include <ostream>

namespace dd {

void PrintTo(const TRect& r, std::ostream* os) {
    *os << '(' << r.Left << ", " << r.Top << ")-(" << r.Right << ", " << r.Bottom << ')';
}

namespace {

struct Screen {
    int width, height;
    TRect shown; // the field's device pixels
    int surfaceWidth, surfaceHeight;
    bool whole;
};

TEST(SurfacePlacement, EnlargesTheFieldToTheLargestScaleThatFitsAndCoversTheWindow) {
    const Screen screens[] = {
        {1920, 1080, {240, 0, 1680, 1080}, 1068, 600, false}, // 1.8
        {1024, 768, {0, 0, 1024, 768}, 800, 600, false},      // 1.28
        {1366, 768, {171, 0, 1195, 768}, 1068, 600, false},   // 1.28
        {2560, 1440, {320, 0, 2240, 1440}, 1068, 600, false}, // 2.4
        {3840, 2160, {480, 0, 3360, 2160}, 1068, 600, false}, // 3.6
        {1600, 1200, {0, 0, 1600, 1200}, 800, 600, true},     // 2
        {1000, 500, {100, -50, 900, 550}, 1000, 500, true},   // smaller: 1:1, cut
    };
    for (const Screen& s : screens) {
        const auto p = SurfacePlacement::Enlarged(800, 600, s.width, s.height);
        SCOPED_TRACE(std::to_string(s.width) + " x " + std::to_string(s.height));
        EXPECT_EQ(p.SurfaceWidth(), s.surfaceWidth);
        EXPECT_EQ(p.SurfaceHeight(), s.surfaceHeight);
        const TRect field =
            Bounds((s.surfaceWidth - 800) / 2, (s.surfaceHeight - 600) / 2, 800, 600);
        EXPECT_EQ(p.ToDevice(field), s.shown) << "the field's edges fall on device pixels";
        EXPECT_EQ(p.X().Whole() && p.Y().Whole(), s.whole);
        const TRect surface = p.ToDevice({0, 0, s.surfaceWidth, s.surfaceHeight});
        EXPECT_TRUE(surface.Left <= 0 && surface.Top <= 0 && surface.Right >= s.width &&
                    surface.Bottom >= s.height)
            << "the surface reaches every edge";
        EXPECT_EQ(p.ToSurface({s.shown.Left, s.shown.Top}), (TPoint{field.Left, field.Top}));
        EXPECT_EQ(p.ToSurface({s.shown.Right - 1, s.shown.Bottom - 1}),
                  (TPoint{field.Right - 1, field.Bottom - 1}));
    }
}

TEST(SurfacePlacement, FitsAWholeSurfaceIntoLargerAndSmallerWindows) {
    const auto preview = SurfacePlacement::Fitted(800, 600, 320, 240);
    EXPECT_EQ(preview.ToDevice({0, 0, 800, 600}), (TRect{0, 0, 320, 240}));
    EXPECT_EQ(preview.X().Weights(), 5) << "a device pixel spans two and a half surface pixels";
    const auto wide = SurfacePlacement::Fitted(800, 600, 1000, 600);
    EXPECT_EQ(wide.ToDevice({0, 0, 800, 600}), (TRect{100, 0, 900, 600}));
    const auto large = SurfacePlacement::Fitted(800, 600, 1920, 1200);
    EXPECT_EQ(large.ToDevice({0, 0, 800, 600}), (TRect{160, 0, 1760, 1200}));
}

TEST(PlacementAxis, SplitsEachDevicePixelAmongTheSurfacePixelsItCovers) {
    const PlacementAxis axis(0, 5, 0, 9); // 1.8: nine device pixels to five surface pixels
    using Taps = std::vector<PlacementTap>;
    const Taps expected[] = {{{0, 5}},         {{0, 4}, {1, 1}}, {{1, 5}},
                             {{1, 3}, {2, 2}}, {{2, 5}},         {{2, 2}, {3, 3}},
                             {{3, 5}},         {{3, 1}, {4, 4}}, {{4, 5}}};
    for (int device = 0; device < 9; ++device) {
        Taps taps;
        axis.Taps(device, taps);
        EXPECT_EQ(taps, expected[device]) << "device pixel " << device;
    }
    EXPECT_EQ(axis.DeviceSpan(1, 2), std::make_pair(1, 4)) << "with the pixels blended at its ends";
    EXPECT_EQ(axis.SurfaceSpan(3, 5), std::make_pair(1, 3));
    EXPECT_EQ(axis.ToSurface(-1), -1) << "left of the surface is negative";
    const PlacementAxis moved(134, 800, 240, 1440);
    EXPECT_EQ(moved.ToDevice(134), 240);
    EXPECT_EQ(moved.ToSurface(239), 133);
    EXPECT_EQ(moved.ToSurface(1679), 933);
    EXPECT_EQ(moved.ToSurface(1680), 934);
}

} // namespace
} // namespace dd
