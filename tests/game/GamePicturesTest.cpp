#include "game/Course.h"
#include "game/PanelText.h"
#include "tests/support/GameScene.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace dd {
namespace {

using test::GameScene;

double Luminance(TColor c) {
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(RedOf(c)) + 0.7152 * channel(GreenOf(c)) + 0.0722 * channel(BlueOf(c));
}

double Contrast(TColor a, TColor b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(ResultPicture, TwoResultsInARowLeaveOnlyTheStarsOwnFillAroundTheText) {
    GameScene g, fresh, untouched;
    g.ShowResults({65, 151});
    fresh.ShowResults({151});
    const Bitmap& twice = g.c.spriteGameOver->FrameList().Image();
    const Bitmap& once = fresh.c.spriteGameOver->FrameList().Image();
    const Bitmap& clean = untouched.c.spriteGameOver->FrameList().Image();

    // The texts' box with a border, down to where the wipe reads from.
    TRect changed{twice.Width(), twice.Height(), 0, 0};
    for (int y = 0; y < twice.Height(); ++y)
        for (int x = 0; x < twice.Width(); ++x) {
            ASSERT_EQ(twice.Pixel(x, y), once.Pixel(x, y))
                << "a remnant of the first result at " << x << ", " << y;
            if (twice.Pixel(x, y) != clean.Pixel(x, y))
                changed = {std::min(changed.Left, x), std::min(changed.Top, y),
                           std::max(changed.Right, x + 1), std::max(changed.Bottom, y + 1)};
        }
    ASSERT_FALSE(changed.IsEmpty());
    const TextSize title = LabelSize({"", 24, 0, true}, "Great Sailing");
    const TRect around{changed.Left - 10, changed.Top - 10, changed.Right + 10,
                       std::max(changed.Bottom + 10, changed.Top + 4 * title.Height)};
    // Only the text's own colour differs from the clean star there, and the clean star there is
    // its fill: neither its outline nor the blue around it.
    const TColor outline = clean.Pixel(231, 12);
    ASSERT_NE(outline, clBlue);
    int text = 0;
    for (int y = around.Top; y < around.Bottom; ++y)
        for (int x = around.Left; x < around.Right; ++x) {
            const TColor before = clean.Pixel(x, y);
            ASSERT_NE(before, outline) << "the outline reaches " << x << ", " << y;
            ASSERT_NE(before, clBlue) << x << ", " << y;
            ASSERT_NE(before, kPanelTextColor) << x << ", " << y;
            if (twice.Pixel(x, y) == kPanelTextColor)
                ++text;
            else
                ASSERT_EQ(twice.Pixel(x, y), before)
                    << "the star's fill is disturbed at " << x << ", " << y;
        }
    EXPECT_GT(text, 300) << "both texts were written";
}

TEST(CaptionPicture, RedLettersHaveADarkRimAgainstTheTransparentBlue) {
    GameScene g;
    TFrameList& list = g.c.spriteDemoText->FrameList();
    const Bitmap& strip = list.Image();
    // White in the mask: the stored pixel is the transparent blue.
    const auto clear = [&](int x, int y) { return list.Mask().Pixel(x, y) == clWhite; };
    const TRect frame = list.Frames(0).StripRect();
    EXPECT_TRUE(clear(frame.Left, frame.Top)) << "the background stays transparent";
    int letters = 0, background = 0;
    for (int y = frame.Top; y < frame.Bottom; ++y)
        for (int x = frame.Left; x < frame.Right; ++x) {
            background += clear(x, y);
            const TColor c = strip.Pixel(x, y);
            if (clear(x, y) || RedOf(c) < 160)
                continue;
            ++letters;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    ASSERT_FALSE(clear(x + dx, y + dy))
                        << "a letter touches the background at " << x << ", " << y;
                    // Every neighbour is letter or a rim that sets the letter off.
                    const TColor n = strip.Pixel(x + dx, y + dy);
                    if (RedOf(n) < 160) {
                        EXPECT_GE(Contrast(c, n), 3.0) << x + dx << ", " << y + dy;
                    }
                }
        }
    EXPECT_GT(letters, 300);
    EXPECT_GT(background, frame.Width() * frame.Height() / 2);
}

} // namespace
} // namespace dd
