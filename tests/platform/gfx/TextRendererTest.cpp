#include "platform/gfx/TextRenderer.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace dd {
namespace {

using Pixels = std::vector<std::pair<int, int>>;
using PixelSet = std::set<std::pair<int, int>>;

Font MakeFont(int height, bool bold = false) {
    Font font;
    font.Height = height;
    font.Bold = bold;
    return font;
}

Pixels RenderPixels(const Font& font, std::string_view text, int x = 0, int y = 0) {
    Pixels pixels;
    TextRenderer::Instance().Render(font, text, x, y,
                                    [&](int px, int py) { pixels.emplace_back(px, py); });
    return pixels;
}

TextSize Extent(const Font& font, std::string_view text) {
    return TextRenderer::Instance().TextExtent(font, text);
}

TEST(TextRenderer, EmptyTextHasNoWidthButTheNormalHeight) {
    const Font font = MakeFont(11);
    const TextSize empty = Extent(font, "");
    const TextSize w = Extent(font, "W");
    EXPECT_EQ(empty.Width, 0);
    EXPECT_GT(empty.Height, 0);
    EXPECT_EQ(empty.Height, w.Height);
    EXPECT_TRUE(RenderPixels(font, "").empty());
}

TEST(TextRenderer, WidthIsTheSumOfTheAdvances) {
    for (int height : {8, 11, 16, 33}) {
        const Font font = MakeFont(height);
        const TextSize one = Extent(font, "W");
        const TextSize two = Extent(font, "WW");
        EXPECT_GT(one.Width, 0) << height;
        EXPECT_EQ(two.Width, 2 * one.Width) << height;
        EXPECT_EQ(two.Height, one.Height) << height;
        EXPECT_EQ(Extent(font, "Wi").Width, one.Width + Extent(font, "i").Width) << height;
    }
}

TEST(TextRenderer, LargerSizesGiveLargerText) {
    const TextSize small = Extent(MakeFont(11), "Press G");
    const TextSize large = Extent(MakeFont(24), "Press G");
    EXPECT_GT(large.Height, small.Height);
    EXPECT_GT(large.Width, small.Width);
    // The cell holds the whole em, so it is never shorter than the requested size.
    EXPECT_GE(small.Height, 11);
    EXPECT_GE(large.Height, 24);
}

TEST(TextRenderer, BoldIsWiderThanRegular) {
    const std::string text = "Press G to start the game";
    for (int height : {11, 16, 24}) {
        EXPECT_GT(Extent(MakeFont(height, true), text).Width,
                  Extent(MakeFont(height, false), text).Width)
            << height;
    }
    // At 11 pixels hinting gives bold stems of one pixel too; from 16 on they are thicker.
    for (int height : {16, 24}) {
        EXPECT_GT(RenderPixels(MakeFont(height, true), text).size(),
                  RenderPixels(MakeFont(height, false), text).size())
            << height;
    }
}

TEST(TextRenderer, DrawsInTheNarrowFaceTheLayoutsWereMeasuredWith) {
    // The game's panels and the on-screen help fit only in this face (fonts-liberation). GDI
    // names the face, FreeType gives its file.
#ifdef _WIN32
    EXPECT_EQ(TextRenderer::Instance().FontFilePath(false), "Liberation Sans Narrow");
    EXPECT_EQ(TextRenderer::Instance().FontFilePath(true), "Liberation Sans Narrow");
#else
    EXPECT_NE(TextRenderer::Instance().FontFilePath(false).find("LiberationSansNarrow-Regular"),
              std::string::npos);
    EXPECT_NE(TextRenderer::Instance().FontFilePath(true).find("LiberationSansNarrow-Bold"),
              std::string::npos);
#endif
}

TEST(TextRenderer, FamilyNameDoesNotMatter) {
    Font arial = MakeFont(11);
    arial.Name = "Arial";
    const Font standard = MakeFont(11);
    EXPECT_EQ(Extent(arial, "Hello"), Extent(standard, "Hello"));
    EXPECT_EQ(RenderPixels(arial, "Hello"), RenderPixels(standard, "Hello"));
}

TEST(TextRenderer, PlotsOnlyInsideTheCellAndEachPixelOnce) {
    // j reaches left of its pen position and f past its advance in many faces.
    const std::string texts[] = {"jig", "staff", "W", "Press G to start the game", "\xC3\x85gj|"};
    const int x = 37;
    const int y = -5;
    for (bool bold : {false, true}) {
        for (int height : {6, 11, 16, 40}) {
            const Font font = MakeFont(height, bold);
            for (const std::string& text : texts) {
                const TextSize size = Extent(font, text);
                const Pixels pixels = RenderPixels(font, text, x, y);
                EXPECT_FALSE(pixels.empty()) << text << " " << height;
                PixelSet unique;
                for (const auto& [px, py] : pixels) {
                    EXPECT_GE(px, x) << text << " " << height;
                    EXPECT_LT(px, x + size.Width) << text << " " << height;
                    EXPECT_GE(py, y) << text << " " << height;
                    EXPECT_LT(py, y + size.Height) << text << " " << height;
                    unique.emplace(px, py);
                }
                EXPECT_EQ(unique.size(), pixels.size()) << text << " " << height;
            }
        }
    }
}

TEST(TextRenderer, PlotsInkButNothingForBlanks) {
    const Font font = MakeFont(11);
    EXPECT_FALSE(RenderPixels(font, "W").empty());
    EXPECT_TRUE(RenderPixels(font, " ").empty());
    EXPECT_TRUE(RenderPixels(font, "    ").empty());
    EXPECT_GT(Extent(font, "    ").Width, 0);
}

TEST(TextRenderer, MovingTheOriginMovesEveryPixel) {
    const Font font = MakeFont(11);
    const Pixels atOrigin = RenderPixels(font, "Gg");
    Pixels moved = RenderPixels(font, "Gg", 100, 50);
    ASSERT_EQ(moved.size(), atOrigin.size());
    for (auto& [px, py] : moved) {
        px -= 100;
        py -= 50;
    }
    EXPECT_EQ(moved, atOrigin);
}

TEST(TextRenderer, TextIsUprightWithYGrowingDownward) {
    const Font font = MakeFont(16);
    const int height = Extent(font, ".").Height;
    const Pixels dot = RenderPixels(font, ".");
    const Pixels quote = RenderPixels(font, "'");
    ASSERT_FALSE(dot.empty());
    ASSERT_FALSE(quote.empty());
    for (const auto& [px, py] : dot) {
        EXPECT_GT(py, height / 2);
    }
    for (const auto& [px, py] : quote) {
        EXPECT_LT(py, height / 2);
    }
}

// The row or column holding the most ink, and the first and last ones holding any.
struct InkProfile {
    int Fullest = -1;
    int First = INT_MAX;
    int Last = INT_MIN;
};

InkProfile Profile(const Pixels& pixels, bool rows) {
    std::map<int, int> counts;
    for (const auto& [px, py] : pixels) {
        ++counts[rows ? py : px];
    }
    InkProfile profile;
    int most = 0;
    for (const auto& [line, count] : counts) {
        profile.First = std::min(profile.First, line);
        profile.Last = std::max(profile.Last, line);
        if (count > most) {
            most = count;
            profile.Fullest = line;
        }
    }
    return profile;
}

TEST(TextRenderer, GlyphsAreNeitherFlippedNorMirrored) {
    const Font font = MakeFont(24);
    const InkProfile lRows = Profile(RenderPixels(font, "L"), true);
    const InkProfile lColumns = Profile(RenderPixels(font, "L"), false);
    const InkProfile tRows = Profile(RenderPixels(font, "T"), true);
    // Bars can be two pixels thick, so only the half they lie in is checked.
    EXPECT_GT(2 * lRows.Fullest, lRows.First + lRows.Last);          // the foot of the L low
    EXPECT_LT(2 * lColumns.Fullest, lColumns.First + lColumns.Last); // its stem on the left
    EXPECT_LT(2 * tRows.Fullest, tRows.First + tRows.Last);          // the bar of the T high
}

TEST(TextRenderer, SideBearingsAreKept) {
    for (int height : {16, 32}) {
        const Font font = MakeFont(height);
        for (const char* text : {"o", "H"}) {
            const InkProfile columns = Profile(RenderPixels(font, text), false);
            const int left = columns.First;
            const int right = Extent(font, text).Width - 1 - columns.Last;
            EXPECT_GT(left, 0) << text << " " << height;
            EXPECT_LE(std::abs(left - right), 1) << text << " " << height;
        }
    }
}

TEST(TextRenderer, SmallTextIsCrispAndUnsmoothed) {
    // Hinted monochrome output puts the thin stems of l and I on exactly one column; smoothed
    // output cut at any threshold smears them over two.
    const Font font = MakeFont(11);
    for (const char* text : {"l", "I", "|"}) {
        const InkProfile columns = Profile(RenderPixels(font, text), false);
        EXPECT_EQ(columns.First, columns.Last) << text;
    }
}

TEST(TextRenderer, EachCharacterIsDrawnAtItsPenPosition) {
    const Font font = MakeFont(16);
    for (const auto& [first, second] :
         {std::pair{"l", "."}, std::pair{"H", "o"}, std::pair{"W", "W"}}) {
        const int advance = Extent(font, first).Width;
        PixelSet expected;
        for (const auto& pixel : RenderPixels(font, first)) {
            expected.insert(pixel);
        }
        for (const auto& pixel : RenderPixels(font, second, advance, 0)) {
            expected.insert(pixel);
        }
        const Pixels both = RenderPixels(font, std::string(first) + second);
        EXPECT_EQ(PixelSet(both.begin(), both.end()), expected) << first << second;
    }
}

TEST(TextRenderer, RenderingIsRepeatable) {
    const std::string text = "Press G to start the game";
    const Pixels first = RenderPixels(MakeFont(11), text, 3, 4);
    // Other sizes in between must not disturb the cached face.
    RenderPixels(MakeFont(16), text);
    RenderPixels(MakeFont(11, true), text);
    Extent(MakeFont(30), text);
    const Pixels second = RenderPixels(MakeFont(11), text, 3, 4);
    EXPECT_EQ(first, second);
}

TEST(TextRenderer, InvalidUtf8IsSkipped) {
    const Font font = MakeFont(11);
    struct Case {
        const char* bytes;
        const char* kept;
    };
    const Case cases[] = {
        {"\xFF", ""},                         // never valid
        {"\x80", ""},                         // stray continuation byte
        {"\xC0\xAF", ""},                     // overlong '/'
        {"\xE0\x80\xAF", ""},                 // overlong '/' in three bytes
        {"\xF0\x80\x80\xAF", ""},             // overlong '/' in four bytes
        {"\xED\xA0\x80", ""},                 // surrogate
        {"\xF4\x90\x80\x80", ""},             // above U+10FFFF
        {"\xE2\x82", ""},                     // truncated
        {"\xF0\x9F\x98", ""},                 // truncated
        {"\xC3\xC3\xA9\xA9\xFE", "\xC3\xA9"}, // a valid e-acute amid junk stays
    };
    for (const Case& c : cases) {
        const std::string text = std::string("A") + c.bytes + "B";
        const std::string clean = std::string("A") + c.kept + "B";
        EXPECT_EQ(Extent(font, text), Extent(font, clean));
        EXPECT_EQ(RenderPixels(font, text), RenderPixels(font, clean));
    }
    EXPECT_EQ(Extent(font, "A\xE2\x82").Width, Extent(font, "A").Width);
    EXPECT_EQ(Extent(font, "\xC3").Width, 0);
    // A valid sequence is one character, not three.
    EXPECT_GT(Extent(font, "\xE2\x82\xAC").Width, 0);
    EXPECT_LT(Extent(font, "\xE2\x82\xAC").Width, 2 * Extent(font, "W").Width);
    std::string garbage;
    for (int i = 0; i < 256; ++i) {
        garbage.push_back(static_cast<char>(255 - i));
    }
    RenderPixels(font, garbage);
}

TEST(TextRenderer, UnusualHeightsAreNormalised) {
    const std::string text = "Hello";
    EXPECT_EQ(Extent(MakeFont(0), text), Extent(MakeFont(11), text));
    EXPECT_EQ(Extent(MakeFont(-16), text), Extent(MakeFont(16), text));
    EXPECT_EQ(RenderPixels(MakeFont(-16), text), RenderPixels(MakeFont(16), text));
    EXPECT_EQ(Extent(MakeFont(100000), "W"), Extent(MakeFont(512), "W"));
    EXPECT_EQ(Extent(MakeFont(INT_MIN), "W"), Extent(MakeFont(512), "W"));
    EXPECT_LT(Extent(MakeFont(INT_MAX), "W").Height, 1024);
    EXPECT_GT(Extent(MakeFont(1), "W").Height, 0);
}

TEST(TextRenderer, PlotMayMeasureTextItself) {
    const Font font = MakeFont(11);
    int calls = 0;
    TextRenderer::Instance().Render(font, "W", 0, 0, [&](int, int) {
        TextRenderer::Instance().TextExtent(font, "x");
        ++calls;
    });
    EXPECT_GT(calls, 0);
}

} // namespace
} // namespace dd
