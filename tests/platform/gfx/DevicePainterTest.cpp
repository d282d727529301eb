#include "platform/gfx/DevicePainter.h"

#include <gtest/gtest.h>
#include <vector>

namespace dd {
namespace {

constexpr std::uint32_t kBlack = 0xFF000000;

// Red, green and blue of a device pixel in BlueFirst order, alpha checked on the way.
std::uint32_t Rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return kBlack | red << 16 | green << 8 | blue;
}

// The pixels of `area` painted into a buffer of their own.
std::vector<std::uint32_t> Painted(const Bitmap* surface, const SurfacePlacement& placement,
                                   const TRect& area,
                                   ChannelOrder order = ChannelOrder::BlueFirst) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(area.Width() * area.Height()), 0);
    PaintDeviceArea(surface, placement, area, {pixels.data(), area.Width(), order});
    return pixels;
}

TColor Color(int red, int green, int blue) {
    return static_cast<TColor>(red | green << 8 | blue << 16);
}

Bitmap SurfaceOf(int width, int height, const std::vector<TColor>& colors) {
    Bitmap surface(width, height);
    for (int i = 0; i < width * height; ++i)
        surface.SetPixel(i % width, i / width, colors[static_cast<std::size_t>(i)]);
    return surface;
}

TEST(DevicePainter, AWholeScaleRepeatsEachPixelAsABlockCentredOnBlack) {
    const Bitmap surface =
        SurfaceOf(3, 2, {clRed, Color(0, 255, 0), clBlue, clWhite, clBlack, Color(255, 255, 0)});
    // 3 x 2 at scale 2 in a 9 x 6 window: device pixels (1, 1) to (7, 5).
    const SurfacePlacement placement(3, 2, {0, 0, 3, 2}, {1, 1, 7, 5});
    const auto pixels = Painted(&surface, placement, {0, 0, 9, 6});
    const std::uint32_t shown[2][3] = {{Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)},
                                       {Rgb(255, 255, 255), kBlack, Rgb(255, 255, 0)}};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x) {
            const bool inside = x >= 1 && x < 7 && y >= 1 && y < 5;
            EXPECT_EQ(pixels[static_cast<std::size_t>(y * 9 + x)],
                      inside ? shown[(y - 1) / 2][(x - 1) / 2] : kBlack)
                << "at (" << x << ", " << y << ")";
        }
}

TEST(DevicePainter, AtOneAndAHalfEachPixelBetweenTwoBlocksIsTheirRoundedMean) {
    const Bitmap surface = SurfaceOf(
        2, 2, {Color(200, 0, 0), Color(0, 100, 0), Color(0, 0, 50), Color(255, 255, 255)});
    const SurfacePlacement placement(2, 2, {0, 0, 2, 2}, {0, 0, 3, 3});
    const std::vector<std::uint32_t> expected = {
        Rgb(200, 0, 0),  Rgb(100, 50, 0),    Rgb(0, 100, 0),     // a, a|b, b
        Rgb(100, 0, 25), Rgb(114, 89, 76),   Rgb(128, 178, 128), // a|c, a|b|c|d, b|d
        Rgb(0, 0, 50),   Rgb(128, 128, 153), Rgb(255, 255, 255), // c, c|d, d
    };
    EXPECT_EQ(Painted(&surface, placement, {0, 0, 3, 3}), expected);
}

TEST(DevicePainter, AtOnePointEightBlocksMeetOverOneDevicePixel) {
    const Bitmap surface = SurfaceOf(
        5, 1,
        {Color(0, 0, 0), Color(50, 0, 0), Color(100, 0, 0), Color(150, 0, 0), Color(200, 0, 0)});
    const SurfacePlacement placement(5, 1, {0, 0, 5, 1}, {0, 0, 9, 2});
    const std::vector<std::uint32_t> row = {Rgb(0, 0, 0),   Rgb(10, 0, 0),  Rgb(50, 0, 0),
                                            Rgb(70, 0, 0),  Rgb(100, 0, 0), Rgb(130, 0, 0),
                                            Rgb(150, 0, 0), Rgb(190, 0, 0), Rgb(200, 0, 0)};
    std::vector<std::uint32_t> both = row;
    both.insert(both.end(), row.begin(), row.end());
    EXPECT_EQ(Painted(&surface, placement, {0, 0, 9, 2}), both)
        << "one surface row, two device rows";
}

TEST(DevicePainter, ShrunkEachPixelIsTheRoundedMeanOfTheBlockItCovers) {
    // 4 x 2 into 2 x 1, as a small preview shows the field: each device pixel covers 2 x 2.
    const Bitmap surface =
        SurfaceOf(4, 2,
                  {Color(10, 0, 255), Color(20, 0, 255), Color(0, 1, 0), Color(0, 2, 0),
                   Color(30, 0, 0), Color(41, 0, 0), Color(0, 0, 0), Color(0, 0, 1)});
    const SurfacePlacement placement(4, 2, {0, 0, 4, 2}, {0, 0, 2, 1});
    EXPECT_EQ(Painted(&surface, placement, {0, 0, 2, 1}),
              (std::vector<std::uint32_t>{Rgb(25, 0, 128), Rgb(0, 1, 0)}));
}

TEST(DevicePainter, AnAreaAtTheFieldsEdgeIsTheSameAsThatPartOfTheWholeWindow) {
    const Bitmap surface = SurfaceOf(2, 2, {clRed, Color(0, 255, 0), clBlue, clWhite});
    const SurfacePlacement placement(2, 2, {0, 0, 2, 2}, {1, 1, 4, 4}); // 1.5, black around
    const auto whole = Painted(&surface, placement, {0, 0, 5, 5});
    for (const TRect& area : {TRect{0, 0, 3, 3}, TRect{3, 2, 5, 5}, TRect{4, 0, 5, 5}}) {
        const auto part = Painted(&surface, placement, area);
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x)
                EXPECT_EQ(
                    part[static_cast<std::size_t>((y - area.Top) * area.Width() + x - area.Left)],
                    whole[static_cast<std::size_t>(y * 5 + x)])
                    << "at (" << x << ", " << y << ")";
    }
    EXPECT_EQ(whole[0], kBlack);
    EXPECT_EQ(whole[6], Rgb(255, 0, 0)) << "(1, 1) is the first field pixel";
    EXPECT_EQ(whole[24], kBlack);
}

TEST(DevicePainter, WritesEitherChannelOrderAlwaysOpaque) {
    const Bitmap surface = SurfaceOf(1, 1, {Color(0x12, 0x34, 0x56)});
    const SurfacePlacement placement(1, 1, {0, 0, 1, 1}, {1, 0, 2, 1});
    const TRect area{0, 0, 2, 1};
    EXPECT_EQ(Painted(&surface, placement, area, ChannelOrder::BlueFirst),
              (std::vector<std::uint32_t>{kBlack, 0xFF123456}));
    EXPECT_EQ(Painted(&surface, placement, area, ChannelOrder::RedFirst),
              (std::vector<std::uint32_t>{kBlack, 0xFF563412}));
    EXPECT_EQ(Painted(nullptr, {}, area), (std::vector<std::uint32_t>{kBlack, kBlack}))
        << "a cover is opaque black";
}

} // namespace
} // namespace dd
