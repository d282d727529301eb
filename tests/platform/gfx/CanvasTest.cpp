#include "platform/gfx/Canvas.h"

#include "platform/gfx/TextRenderer.h"
#include "tests/support/PixelText.h"

#include <gtest/gtest.h>
#include <limits>
#include <type_traits>

namespace dd {
namespace {

using test::FromText;
using test::ToText;

const std::map<char, TColor> kColors = {{'.', clBlack},          {'W', clWhite},
                                        {'r', RGB(255, 0, 0)},   {'g', RGB(0, 255, 0)},
                                        {'b', RGB(0, 0, 255)},   {'y', RGB(255, 255, 0)},
                                        {'m', RGB(255, 0, 255)}, {'c', RGB(0, 255, 255)}};

TEST(Rect, IntersectionMustBeNonEmptyAndUnionHoldsBoth) {
    TRect r;
    EXPECT_TRUE(IntersectRect(r, {0, 0, 10, 10}, {5, 5, 20, 20}));
    EXPECT_EQ(r, (TRect{5, 5, 10, 10}));
    EXPECT_FALSE(IntersectRect(r, {0, 0, 10, 10}, {10, 0, 20, 10})) << "shared edge";
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_TRUE(UnionRect(r, {0, 0, 2, 2}, {5, 6, 7, 8}));
    EXPECT_EQ(r, (TRect{0, 0, 7, 8}));
    EXPECT_TRUE(UnionRect(r, {}, {1, 1, 2, 2}));
    EXPECT_EQ(r, (TRect{1, 1, 2, 2}));
}

TEST(Rect, TheSizeOfARectangleWhoseEdgesWrappedWrapsToo) {
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    const TRect wrapped{kMax - 5, kMin + 2, kMin + 4, kMax};
    EXPECT_EQ(wrapped.Width(), 10);
    EXPECT_EQ(wrapped.Height(), -3);
}

TEST(Bitmap, ResizingAndCopyingKeepThePixelsInColourAndMonochrome) {
    Bitmap b = FromText("rg|by", kColors);
    b.SetSize(3, 1);
    EXPECT_EQ(ToText(b, kColors), "rg.");
    b.SetSize(1, 2);
    EXPECT_EQ(ToText(b, kColors), "r|.");
    Bitmap mono(2, 1, PixelFormat::Mono);
    mono.SetPixel(0, 0, RGB(250, 250, 250));
    mono.SetPixel(1, 0, RGB(0, 0, 200));
    EXPECT_EQ(ToText(mono, kColors), "W.");
    EXPECT_EQ(mono.MonoRow(0)[0], 1) << "a byte a pixel";
    mono.SetSize(3, 2);
    EXPECT_EQ(ToText(mono, kColors), "W..|...");
    mono.SetPixel(2, 1, clWhite);
    Bitmap copy = mono;
    EXPECT_EQ(ToText(copy, kColors), "W..|..W");
    copy.SetSize(1, 1);
    copy.SetPixel(0, 0, clBlack);
    mono = copy;
    EXPECT_EQ(ToText(mono, kColors), ".");
}

TEST(CopyRect, RasterOperationsCombinePixelByPixel) {
    const Bitmap dest = FromText("ry|gW|..", kColors);
    Bitmap src = FromText("gb|Wr|c.", kColors);
    auto apply = [&](CopyMode mode) {
        Bitmap d = dest;
        d.GetCanvas().SetCopyMode(mode);
        d.GetCanvas().CopyRect({0, 0, 2, 3}, src, {0, 0, 2, 3});
        return ToText(d, kColors);
    };
    EXPECT_EQ(apply(CopyMode::SrcCopy), "gb|Wr|c.");
    EXPECT_EQ(apply(CopyMode::SrcAnd), "..|gr|..");
    EXPECT_EQ(apply(CopyMode::SrcPaint), "yW|WW|c.");
    Bitmap inverted = dest;
    inverted.GetCanvas().SetCopyMode(CopyMode::DstInvert);
    inverted.GetCanvas().CopyRect({0, 0, 2, 2}, src, {0, 0, 0, 0});
    EXPECT_EQ(ToText(inverted, kColors), "cb|m.|..");
    EXPECT_EQ(apply(CopyMode::Blackness), "..|..|..");
}

TEST(CopyRect, SwappedEdgesMirrorAndSizesStretch) {
    Bitmap src = FromText("rgb|Wy.", kColors);
    Bitmap d(3, 2);
    d.GetCanvas().CopyRect({3, 0, 0, 2}, src, {0, 0, 3, 2});
    EXPECT_EQ(ToText(d, kColors), "bgr|.yW");
    d.GetCanvas().CopyRect({0, 2, 3, 0}, src, {0, 0, 3, 2});
    EXPECT_EQ(ToText(d, kColors), "Wy.|rgb");
    Bitmap wide(6, 1);
    wide.GetCanvas().CopyRect({0, 0, 6, 1}, src, {0, 0, 3, 1});
    EXPECT_EQ(ToText(wide, kColors), "rrggbb");
    Bitmap narrow(2, 1);
    Bitmap four = FromText("rgby", kColors);
    narrow.GetCanvas().CopyRect({0, 0, 2, 1}, four, {0, 0, 4, 1});
    EXPECT_EQ(ToText(narrow, kColors), "rb");
}

TEST(CopyRect, MonochromeAndColourConvertByThePlatformsRules) {
    Bitmap mono = FromText("W.|.W", kColors, PixelFormat::Mono);
    Bitmap colour = FromText("rr|rr", kColors);
    colour.GetCanvas().CopyRect({0, 0, 2, 2}, mono, {0, 0, 2, 2});
    EXPECT_EQ(ToText(colour, kColors), "W.|.W");

    Bitmap picture = FromText("rgb|bbr", kColors);
    Bitmap mask(3, 2, PixelFormat::Mono);
    picture.GetCanvas().SetBrushColor(RGB(0, 0, 255));
    mask.GetCanvas().CopyRect({0, 0, 3, 2}, picture, {0, 0, 3, 2});
    EXPECT_EQ(ToText(mask, kColors), "..W|WW.");
}

TEST(CopyRect, StaysInsideTheClipAndTheBitmap) {
    Bitmap src = FromText("rrrr|rrrr|rrrr", kColors);
    Bitmap d(4, 3);
    d.GetCanvas().SetClipRect({1, 1, 3, 5});
    d.GetCanvas().CopyRect({-2, -2, 10, 10}, src, {0, 0, 4, 3});
    EXPECT_EQ(ToText(d, kColors), "....|.rr.|.rr.");
    Bitmap out(2, 2);
    out.GetCanvas().CopyRect({0, 0, 2, 2}, src, {3, 2, 5, 4}); // source partly outside
    EXPECT_EQ(ToText(out, kColors), "r.|..");
}

TEST(MaskedCopy, KeepsTheDestinationUnderTransparentPixels) {
    Bitmap dest = FromText("yyy|yyy", kColors);
    Bitmap image = FromText("r.g|.b.", kColors);
    Bitmap mask = FromText(".W.|W.W", kColors, PixelFormat::Mono);
    dest.GetCanvas().MaskedCopy({0, 0, 3, 2}, image, mask, {0, 0, 3, 2});
    EXPECT_EQ(ToText(dest, kColors), "ryg|yby");
    Bitmap mirrored = FromText("yyy|yyy", kColors);
    mirrored.GetCanvas().MaskedCopy({3, 0, 0, 2}, image, mask, {0, 0, 3, 2});
    EXPECT_EQ(ToText(mirrored, kColors), "gyr|yby");
}

TEST(MaskedCopy, OntoItsOwnStripReadsThePictureAsItWasBefore) {
    // A strip whose left half is the picture; drawn mirrored and stretched onto its right half.
    Bitmap strip = FromText("rgby....", kColors);
    Bitmap mask = FromText("........", kColors, PixelFormat::Mono); // all opaque
    strip.GetCanvas().MaskedCopy({8, 0, 0, 1}, strip, mask, {0, 0, 4, 1});
    EXPECT_EQ(ToText(strip, kColors), "yybbggrr");
    Bitmap self = FromText("rgby", kColors);
    self.GetCanvas().MaskedCopy({4, 0, 0, 1}, self, mask, {0, 0, 4, 1});
    EXPECT_EQ(ToText(self, kColors), "ybgr");
}

TEST(Bitmap, MovingHandsThePixelsOverAndKeepsEachCanvasOnItsOwnBitmap) {
    static_assert(std::is_nothrow_move_constructible_v<Bitmap>);
    Bitmap a = FromText("rg|by", kColors);
    a.GetCanvas().SetPixel(0, 0, clWhite);
    const TColor* pixels = a.Row(0);
    Bitmap b = std::move(a);
    EXPECT_EQ(b.Row(0), pixels) << "moved, not copied";
    EXPECT_EQ(ToText(b, kColors), "Wg|by");
    b.GetCanvas().SetPixel(1, 1, clWhite);
    EXPECT_EQ(ToText(b, kColors), "Wg|bW");
    Bitmap c(1, 1);
    c = std::move(b);
    EXPECT_EQ(c.Row(0), pixels);
    c.GetCanvas().SetPixel(0, 1, clBlack);
    EXPECT_EQ(ToText(c, kColors), "Wg|.W");
    a = FromText("m", kColors);
    a.GetCanvas().SetPixel(0, 0, clWhite);
    EXPECT_EQ(ToText(a, kColors), "W") << "a moved-from bitmap takes new pixels and draws on them";
}

TEST(Lines, LeaveOutTheirLastPoint) {
    Bitmap b(5, 3);
    Canvas& c = b.GetCanvas();
    c.SetPenColor(clWhite);
    c.MoveTo(0, 0);
    c.LineTo(4, 0);
    EXPECT_EQ(ToText(b, kColors), "WWWW.|.....|.....");
    c.LineTo(4, 2);
    EXPECT_EQ(ToText(b, kColors), "WWWWW|....W|.....");
    c.MoveTo(0, 2);
    c.LineTo(2, 0);
    EXPECT_EQ(ToText(b, kColors), "WWWWW|.W..W|W....");
}

TEST(FloodFill, ToABorderAndOverASurface) {
    Bitmap b = FromText("rrrrr|r...r|r.r.r|r...r|rrrrr", kColors);
    Canvas& c = b.GetCanvas();
    c.SetBrushColor(RGB(0, 255, 0));
    c.FloodFill(1, 1, RGB(255, 0, 0), FillStyle::Border);
    EXPECT_EQ(ToText(b, kColors), "rrrrr|rgggr|rgrgr|rgggr|rrrrr");
    c.SetBrushColor(RGB(0, 0, 255));
    c.FloodFill(0, 0, RGB(255, 0, 0), FillStyle::Surface);
    EXPECT_EQ(ToText(b, kColors), "bbbbb|bgggb|bgrgb|bgggb|bbbbb") << "the lone r is apart";
    c.FloodFill(1, 1, RGB(255, 0, 0), FillStyle::Surface);
    EXPECT_EQ(ToText(b, kColors), "bbbbb|bgggb|bgrgb|bgggb|bbbbb") << "start not on the surface";
}

TEST(FloodFill, DoesNotLeakThroughADiagonalLine) {
    Bitmap b(6, 6, PixelFormat::Mono);
    Canvas& c = b.GetCanvas();
    c.SetBrushColor(clWhite);
    c.FillRect({0, 0, 6, 6});
    c.SetPenColor(clBlack);
    c.MoveTo(0, 5);
    c.LineTo(6, -1);
    c.SetBrushColor(clBlack);
    c.FloodFill(0, 0, clWhite, FillStyle::Surface);
    EXPECT_EQ(ToText(b, kColors), "......|.....W|....WW|...WWW|..WWWW|.WWWWW");
}

TEST(Ellipse, OutlineIsClosedAndSymmetric) {
    Bitmap b(9, 7);
    Canvas& c = b.GetCanvas();
    c.SetPenColor(clWhite);
    c.SetBrushStyle(BrushStyle::Clear);
    c.Ellipse(0, 0, 9, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            EXPECT_EQ(b.Pixel(x, y), b.Pixel(8 - x, y)) << x << "," << y;
            EXPECT_EQ(b.Pixel(x, y), b.Pixel(x, 6 - y)) << x << "," << y;
        }
    EXPECT_EQ(b.Pixel(4, 0), clWhite);
    EXPECT_EQ(b.Pixel(0, 3), clWhite);
    EXPECT_EQ(b.Pixel(4, 3), clBlack) << "clear brush leaves the inside";
    // Closed: a fill from the centre stays inside.
    c.SetBrushColor(RGB(255, 0, 0));
    c.SetBrushStyle(BrushStyle::Solid);
    c.FloodFill(4, 3, clWhite, FillStyle::Border);
    EXPECT_EQ(b.Pixel(0, 0), clBlack);
    EXPECT_EQ(b.Pixel(4, 3), RGB(255, 0, 0));
}

TEST(Text, SolidBrushFillsTheExtentAndClearBrushKeepsTheBackground) {
    Bitmap b(60, 20);
    Canvas& c = b.GetCanvas();
    Font font;
    font.Color = RGB(255, 0, 0);
    c.SetFont(font);
    const TextSize size = c.TextExtent("Go");
    ASSERT_GT(size.Width, 0);
    c.SetBrushColor(RGB(0, 255, 0));
    c.TextOut(1, 1, "Go");
    int red = 0, green = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool inside = Bounds(1, 1, size.Width, size.Height).Contains(x, y);
            red += b.Pixel(x, y) == RGB(255, 0, 0);
            green += b.Pixel(x, y) == RGB(0, 255, 0);
            if (!inside) {
                EXPECT_EQ(b.Pixel(x, y), clBlack) << x << "," << y;
            }
        }
    EXPECT_GT(red, 0);
    EXPECT_EQ(red + green, size.Width * size.Height);
    Bitmap clear(60, 20);
    clear.GetCanvas().SetFont(font);
    clear.GetCanvas().SetBrushStyle(BrushStyle::Clear);
    clear.GetCanvas().TextOut(1, 1, "Go");
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            EXPECT_EQ(clear.Pixel(x, y) == clBlack, b.Pixel(x, y) != RGB(255, 0, 0));
}

} // namespace
} // namespace dd
