#include "platform/gfx/SurfacePlacement.h"

#include <gtest/gtest.h>
#include <ostream>

namespace dd {

void PrintTo(const TRect& r, std::ostream* os) {
    *os << '(' << r.Left << ", " << r.Top << ")-(" << r.Right << ", " << r.Bottom << ')';
}

namespace {

// A 3 x 2 surface at scale 2 in a 9 x 7 window: device pixels (1, 1) to (7, 5).
const SurfacePlacement kPlacement(3, 2, 2, 9, 7);

TEST(SurfacePlacement, CentresTheEnlargedSurface) {
    EXPECT_EQ(kPlacement.Shown(), (TRect{1, 1, 7, 5}));
    EXPECT_EQ(kPlacement.Origin(), (TPoint{1, 1}));
    const SurfacePlacement larger(800, 600, 1, 1024, 768);
    EXPECT_EQ(larger.Shown(), (TRect{112, 84, 912, 684}));
    const SurfacePlacement smaller(800, 600, 1, 640, 480);
    EXPECT_EQ(smaller.Origin(), (TPoint{-80, -60})) << "cut evenly on both sides";
}

TEST(SurfacePlacement, MapsEveryDevicePixelToTheSurfacePixelItShows) {
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 9; ++x) {
            const TRect pixel{x, y, x + 1, y + 1};
            const bool onSurface = x >= 1 && x < 7 && y >= 1 && y < 5;
            const TRect expected =
                onSurface ? TRect{(x - 1) / 2, (y - 1) / 2, (x - 1) / 2 + 1, (y - 1) / 2 + 1}
                          : TRect{};
            EXPECT_EQ(kPlacement.ToSurface(pixel), expected) << x << ", " << y;
            EXPECT_EQ(kPlacement.Around(pixel).empty(), onSurface) << x << ", " << y;
            if (onSurface) {
                EXPECT_TRUE(kPlacement.ToDevice(expected).Contains(x, y)) << x << ", " << y;
            }
        }
    }
}

TEST(SurfacePlacement, AnAreaAcrossTheEdgeIsTheSurfacePartAndTheBlackAroundIt) {
    const TRect area{0, 0, 4, 9};
    EXPECT_EQ(kPlacement.ToSurface(area), (TRect{0, 0, 2, 2})) << "half a block is a whole pixel";
    int covered = 0;
    for (const TRect& part : kPlacement.Around(area)) {
        TRect overlap;
        EXPECT_FALSE(IntersectRect(overlap, part, kPlacement.Shown()));
        covered += part.Width() * part.Height();
    }
    EXPECT_EQ(covered, 4 * 9 - 3 * 4) << "the rest of the area, each pixel once";
    EXPECT_EQ(kPlacement.ToDevice({1, 0, 2, 1}), (TRect{3, 1, 5, 3}));
}

TEST(SurfacePlacement, PositionsLeftOfAndAboveTheSurfaceAreNegative) {
    EXPECT_EQ(kPlacement.FromWindow({0, 0}), (TPoint{-1, -1}));
    EXPECT_EQ(kPlacement.FromWindow({8, 6}), (TPoint{7, 5}));
}

} // namespace
} // namespace dd
