#include "platform/gfx/Memo.h"

#include "platform/gfx/TextRenderer.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dd {
namespace {

struct MemoOnForm {
    MemoOnForm(int width, std::vector<std::string> lines) : memo(&form) {
        form.SetClientSize(width + 20, 400);
        memo.SetParent(&form);
        memo.SetBounds(10, 10, width, 380);
        memo.Lines = std::move(lines);
    }
    int Width(const std::string& text) const {
        return TextRenderer::Instance().TextExtent(memo.TextFont, text).Width;
    }
    TForm form;
    TMemo memo;
};

TEST(Memo, LinesThatFitAreShownAsTheyAre) {
    MemoOnForm m(200, {"Short line", "", "  indented;", "trailing blanks   "});
    EXPECT_EQ(m.memo.ShownLines(), m.memo.Lines);
}

TEST(Memo, ALineTooWideWrapsAtBlanksIntoFittingPieces) {
    const std::string line = "The speed of the sailing boat depends on the wind, the current, "
                             "the position of the sail and the direction of the boat.";
    MemoOnForm m(150, {line, "next"});
    const std::vector<std::string> shown = m.memo.ShownLines();
    ASSERT_GT(shown.size(), 3u);
    EXPECT_EQ(shown.back(), "next");
    std::string joined;
    for (std::size_t i = 0; i + 1 < shown.size(); ++i) {
        EXPECT_LE(m.Width(shown[i]), m.memo.TextRect().Width()) << shown[i];
        // Each piece ends with a whole word: the next one did not fit after it.
        if (i + 2 < shown.size()) {
            const std::string next = shown[i + 1].substr(0, shown[i + 1].find(' '));
            EXPECT_GT(m.Width(shown[i] + " " + next), m.memo.TextRect().Width()) << shown[i];
        }
        joined += (i ? " " : "") + shown[i];
    }
    EXPECT_EQ(joined, line) << "nothing lost but the blanks at the breaks";
}

TEST(Memo, TrailingBlanksDoNotWrap) {
    MemoOnForm probe(100, {});
    std::string line = "word";
    while (probe.Width(line + " word") <= probe.memo.TextRect().Width())
        line += " word";
    MemoOnForm m(100, {line + "      "});
    EXPECT_EQ(m.memo.ShownLines().size(), 1u);
}

TEST(Memo, AWordWiderThanTheBoxIsKeptWhole) {
    MemoOnForm m(40, {"Weather-vane: shows"});
    EXPECT_EQ(m.memo.ShownLines(), (std::vector<std::string>{"Weather-vane:", "shows"}));
}

TEST(Memo, PaintsTextOnlyInsideItsMargins) {
    MemoOnForm m(120, {"The purpose of the game is to round all the buoys."});
    m.memo.TextFont.Color = clRed;
    m.memo.Paint();
    const TRect box = m.memo.BoundsRect();
    const TRect text = m.memo.TextRect();
    int ink = 0;
    for (int y = box.Top; y < box.Bottom; ++y) {
        for (int x = box.Left; x < box.Right; ++x) {
            if (m.form.Surface().Pixel(x, y) != clRed)
                continue;
            ++ink;
            EXPECT_TRUE(x >= text.Left && x < text.Right && y >= text.Top && y < text.Bottom)
                << x << ", " << y;
        }
    }
    EXPECT_GT(ink, 100);
    EXPECT_GE(text.Left - box.Left, 3);
    EXPECT_GE(box.Right - text.Right, 3);
}

// The window's canvas is shared: what the memo sets for its own drawing must not leak into the
// next drawing on it.
TEST(Memo, PaintingLeavesTheCanvasAsItFoundIt) {
    MemoOnForm m(120, {"Round all the buoys."});
    m.memo.TextFont.Color = clRed;
    Canvas& c = m.form.GetCanvas();
    Font font = c.GetFont();
    font.Height = 31;
    c.SetFont(font);
    c.SetBrushColor(clBlue);
    c.SetBrushStyle(BrushStyle::Solid);
    c.SetPenColor(clGreen);
    c.SetCopyMode(CopyMode::SrcPaint);
    c.SetClipRect({1, 2, 3, 4});
    m.memo.Paint();
    EXPECT_EQ(c.GetFont().Height, 31);
    EXPECT_EQ(c.GetFont().Color, font.Color);
    EXPECT_EQ(c.BrushColor(), clBlue);
    EXPECT_EQ(c.GetBrushStyle(), BrushStyle::Solid);
    EXPECT_EQ(c.PenColor(), clGreen);
    EXPECT_EQ(c.GetCopyMode(), CopyMode::SrcPaint);
    EXPECT_EQ(c.ClipRect(), (TRect{1, 2, 3, 4}));
}

} // namespace
} // namespace dd
