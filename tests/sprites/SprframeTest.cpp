#include "sprites/Sprframe.h"

#include "platform/gfx/BmpReader.h"
#include "tests/support/PixelText.h"
#include "tests/support/StreamBytes.h"

#include <gtest/gtest.h>
#include <set>

namespace dd {
namespace {

using test::FrameSpec;
using test::StreamBytes;

const std::vector<FrameSpec> kBoatFrames = {
    {"Bmin45", 190, 173}, {"Bmin30", 146, 205},  {"Bmin15", 98, 222},
    {"Bmin75", 80, 231},  {"B0", 78, 231},       {"Bplus75", 80, 231},
    {"Bplus15", 98, 223}, {"Bplus30", 146, 205}, {"Bplus45", 190, 173}};

// A picture on pure blue: a white disc in each frame, and a few black pixels.
Bitmap BoatStrip() {
    return test::StripFor(kBoatFrames, [](int i, int x, int y) {
        if ((x + y + i) % 17 == 0)
            return clBlack;
        return (x - 40) * (x - 40) + (y - 60) * (y - 60) < 900 ? clWhite : clBlue;
    });
}

void Load(TFrameList& list, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    list.ReadData(stream);
}

TEST(FrameListStream, ReadsTheStoredBoatList) {
    const Bitmap strip = BoatStrip();
    const auto bytes = test::FrameListStream(kBoatFrames, strip);
    ASSERT_EQ((std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 9)),
              (std::vector<std::uint8_t>{0x09, 0x00, 0x00, 0x06, 'B', 'm', 'i', 'n', '4'}));
    TFrameList list(clBlue);
    Load(list, bytes);
    ASSERT_EQ(list.Count(), 9);
    EXPECT_EQ(list.Image().Width(), 1106);
    EXPECT_EQ(list.Image().Height(), 231);
    EXPECT_EQ(list.Mask().Width(), 1106);
    EXPECT_EQ(list.Frames(0).Name.Str(), "Bmin45");
    EXPECT_EQ(list.Frames(0).FrameWidth(), 190);
    EXPECT_EQ(list.Frames(0).FrameHeight(), 173);
    EXPECT_EQ(list.Frames(8).StripX, 1106 - 190);
    EXPECT_EQ(list.IndexOf("Bmin30"), 1);
    EXPECT_EQ(list.IndexOf("bmin30"), -1);
    EXPECT_EQ(list.IndexOf("B0"), 4);
    int w = 0, h = 0;
    list.GetMaxSize(w, h);
    EXPECT_EQ(w, 190);
    EXPECT_EQ(h, 231);
    EXPECT_THROW(list.Frames(9), EListError);
    EXPECT_THROW(list.Frames(-1), EListError);
}

TEST(FrameListStream, TwoZeroBytesAreAnEmptyListAndNoStripIsRead) {
    TFrameList list;
    Load(list, {0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 'j', 'u', 'n', 'k'});
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.Image().Empty());
    Load(list, {0x00, 0x80}); // a negative count is no frames either
    EXPECT_EQ(list.Count(), 0);
}

TEST(FrameListStream, FailuresKeepTheFramesReadBefore) {
    StreamBytes s;
    s.S16(3).U8(0).Name("one").S16(0).S16(0).S16(1).S16(1).U8(1).Name("two");
    TFrameList list;
    try {
        Load(list, s.bytes);
        FAIL();
    } catch (const EFrame& e) {
        EXPECT_STREQ(e.what(), "Frame.ReadData: TestByte not equal to zero");
    }
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Frames(0).Name.Str(), "one");
    EXPECT_TRUE(list.Image().Empty()) << "the strip is not read";

    const auto good = test::FrameListStream(kBoatFrames, BoatStrip());
    for (std::size_t cut : {std::size_t(1), std::size_t(50), std::size_t(92 + 45), std::size_t(812),
                            std::size_t(814), good.size() - 1}) {
        TFrameList truncated;
        EXPECT_THROW(Load(truncated, {good.begin(), good.begin() + static_cast<long>(cut)}),
                     EStreamError)
            << cut;
    }
    auto badStrip = good;
    badStrip[2 + 90 * 9 + 4] = 'X';
    TFrameList invalid;
    EXPECT_THROW(Load(invalid, badStrip), EInvalidGraphic);
}

TEST(FrameListStream, HostileStripSizeIsAStreamErrorNotAnAllocation) {
    StreamBytes s;
    s.S16(1).U8(0).Name("f").S16(0).S16(0).S16(1).S16(1).U32(0xFFFFFFF0u);
    TFrameList list;
    EXPECT_THROW(Load(list, s.bytes), EStreamError);
}

TEST(FrameListStream, AHugeFrameRecordDoesNotBlowUpTheScratchBitmap) {
    StreamBytes s;
    s.S16(1).U8(0).Name("huge").S16(0).S16(0).S16(30000).S16(30000).U32(0);
    TFrameList list;
    Load(list, s.bytes);
    ASSERT_NE(TempBitmap(), nullptr);
    EXPECT_LE(TempBitmap()->Width(), 2047);
    EXPECT_LE(TempBitmap()->Height(), 2047);
    Bitmap dest(8, 8);
    list.Frames(0).DrawFrame(dest.GetCanvas(), 0, 0, true); // nothing in the strips to draw
}

TEST(Masking, BlueBecomesBlackAndMaskedAndNothingElseChanges) {
    const Bitmap strip = BoatStrip();
    TFrameList list(clBlue);
    Load(list, test::FrameListStream(kBoatFrames, strip));
    for (int y = 0; y < strip.Height(); y += 3)
        for (int x = 0; x < strip.Width(); x += 3) {
            bool inFrame = false;
            for (int i = 0; i < list.Count(); ++i)
                inFrame |= list.Frames(i).StripRect().Contains(x, y);
            if (!inFrame)
                continue;
            const bool blue = strip.Pixel(x, y) == clBlue;
            EXPECT_EQ(list.Mask().Pixel(x, y), blue ? clWhite : clBlack);
            EXPECT_EQ(list.Image().Pixel(x, y), blue ? clBlack : strip.Pixel(x, y));
        }
}

TEST(Masking, BlackIsTransparentAndTheImageUnchangedWithColourZero) {
    const Bitmap strip = BoatStrip();
    TFrameList list(clBlack);
    Load(list, test::FrameListStream(kBoatFrames, strip));
    for (int y = 0; y < 173; ++y)
        for (int x = 0; x < 190; ++x) {
            EXPECT_EQ(list.Image().Pixel(x, y), strip.Pixel(x, y));
            EXPECT_EQ(list.Mask().Pixel(x, y) == clWhite, strip.Pixel(x, y) == clBlack);
        }
}

TEST(Masking, RemaskingGivesTheSameAsLoadingWithTheColour) {
    const auto bytes = test::FrameListStream(kBoatFrames, BoatStrip());
    TFrameList viaBlue(clBlue);
    Load(viaBlue, bytes);
    const Bitmap imageBefore = viaBlue.Image();
    viaBlue.SetTransparentColor(clBlue);
    for (int x = 0; x < 1106; x += 7)
        EXPECT_EQ(viaBlue.Image().Pixel(x, 100), imageBefore.Pixel(x, 100)) << "same colour";
    viaBlue.SetTransparentColor(clMaroon);
    TFrameList direct(clMaroon);
    Load(direct, bytes);
    for (int y = 0; y < 231; y += 2)
        for (int x = 0; x < 1106; ++x) {
            ASSERT_EQ(viaBlue.Image().Pixel(x, y), direct.Image().Pixel(x, y)) << x << "," << y;
            ASSERT_EQ(viaBlue.Mask().Pixel(x, y), direct.Mask().Pixel(x, y)) << x << "," << y;
        }
}

TEST(Masking, DrawingOverATransparentPixelIsOredWithTheOldColour) {
    const std::vector<FrameSpec> frames = {{"f", 2, 1}};
    Bitmap strip = test::StripFor(frames, [](int, int x, int) { return x ? clBlue : clWhite; });
    TFrameList list(clBlue);
    Load(list, test::FrameListStream(frames, strip));
    list.Image().SetPixel(1, 0, RGB(255, 0, 0));
    list.SetTransparentColor(clBlue);
    EXPECT_EQ(list.Image().Pixel(1, 0), RGB(255, 0, 255));
    EXPECT_EQ(list.Mask().Pixel(1, 0), clBlack);
}

TEST(FrameListStream, WriteReproducesTheRecordsAndPixelsAndMasksAgain) {
    const Bitmap strip = BoatStrip();
    const auto bytes = test::FrameListStream(kBoatFrames, strip);
    TFrameList list(clBlue);
    Load(list, bytes);
    const Bitmap masked = list.Image();
    TMemoryStream out;
    list.WriteData(out);
    const auto& written = out.Bytes();
    ASSERT_GT(written.size(), 2u + 90 * 9 + 4);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 2 + 90 * 9, written.begin()));
    std::vector<std::uint8_t> bmp(written.begin() + 2 + 90 * 9 + 4, written.end());
    const Bitmap back = ReadBmp(bmp);
    for (int y = 0; y < strip.Height(); ++y)
        for (int x = 0; x < strip.Width(); ++x)
            ASSERT_EQ(back.Pixel(x, y), strip.Pixel(x, y));
    for (int x = 0; x < strip.Width(); x += 5)
        EXPECT_EQ(list.Image().Pixel(x, 100), masked.Pixel(x, 100)) << "masked again";
    TMemoryStream empty;
    TFrameList().WriteData(empty);
    EXPECT_EQ(empty.Bytes(), (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0}));
}

TEST(Frame, ConstructionNeedsAListAndGrowsTheScratchBitmap) {
    EXPECT_EQ(TempBitmap(), nullptr) << "no frame alive";
    try {
        TFrame orphan(nullptr);
        FAIL();
    } catch (const EFrame& e) {
        EXPECT_STREQ(e.what(), "Creation of frame failed. Framelist cannot be nil");
    }
    EXPECT_EQ(TempBitmap(), nullptr);
    {
        TFrameList list;
        StreamBytes s;
        s.S16(2).U8(0).Name("big").S16(0).S16(0).S16(462).S16(449);
        s.U8(0).Name("small").S16(0).S16(0).S16(10).S16(10).U32(0);
        Load(list, s.bytes);
        ASSERT_NE(TempBitmap(), nullptr);
        EXPECT_GE(TempBitmap()->Width(), 923);
        EXPECT_GE(TempBitmap()->Height(), 897);
        list.Clear();
        EXPECT_EQ(TempBitmap(), nullptr) << "freed with the last frame";
    }
}

TEST(Frame, FramesGrowingAPixelAtATimeDoNotResizeTheScratchBitmapEachTime) {
    TFrameList list;
    TFrame frame(&list);
    std::set<int> widths;
    for (int width = 100; width < 160; ++width) {
        frame.SetFrameSize(static_cast<std::int16_t>(width), 20);
        ASSERT_GE(TempBitmap()->Width(), 2 * width - 1);
        widths.insert(TempBitmap()->Width());
    }
    EXPECT_LE(widths.size(), 3u) << "the scratch bitmap was resized for every wider frame";
}

TEST(FrameList, ClearKeepsEmptyStripsAndEmptiesFullOnes) {
    TFrameList list;
    list.Image().SetSize(5, 5);
    list.Clear();
    EXPECT_EQ(list.Image().Width(), 5) << "an empty list keeps its strips";
    Load(list, test::FrameListStream(kBoatFrames, BoatStrip()));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.Image().Empty());
    EXPECT_TRUE(list.Mask().Empty());
}

TEST(FrameList, AssignCopiesFramesAndStripsAndRefusesOtherClasses) {
    TFrameList source(clBlue);
    Load(source, test::FrameListStream(kBoatFrames, BoatStrip()));
    TFrameList copy;
    copy.Assign(source);
    ASSERT_EQ(copy.Count(), 9);
    EXPECT_EQ(&copy.Frames(3).FrameList(), &copy);
    EXPECT_EQ(copy.Frames(3).Name.Str(), "Bmin75");
    EXPECT_EQ(copy.TransparentColor(), clBlue);
    EXPECT_EQ(copy.Image().Pixel(40, 60), source.Image().Pixel(40, 60));
    TFrame frame(&copy);
    try {
        copy.Assign(frame);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TFrame to a TFrameList");
    }
}

TEST(DrawFrameEx, ScalesMirrorsAndDrawsThroughTheMask) {
    const std::vector<FrameSpec> frames = {{"pad", 1, 1}, {"f", 3, 2}};
    const std::map<char, TColor> legend = {{'.', clBlack},
                                           {'W', clWhite},
                                           {'r', RGB(255, 0, 0)},
                                           {'b', clBlue},
                                           {'y', RGB(255, 255, 0)}};
    const Bitmap picture = test::FromText("Wrb|rbW", legend);
    Bitmap strip = test::StripFor(
        frames, [&](int i, int x, int y) { return i == 0 ? clWhite : picture.Pixel(x, y); });
    TFrameList list(clBlue);
    Load(list, test::FrameListStream(frames, strip));
    const TFrame& f = list.Frames(1);

    Bitmap dest = test::FromText("yyyy|yyyy|yyyy", legend);
    f.DrawFrame(dest.GetCanvas(), 1, 1, true);
    EXPECT_EQ(test::ToText(dest, legend), "yyyy|yWry|yryW");
    f.DrawFrameEx(dest.GetCanvas(), 0, 0, true, false, true, 1.0);
    EXPECT_EQ(test::ToText(dest, legend), "yrWy|WWry|yryW");
    f.DrawFrameEx(dest.GetCanvas(), 1, 0, false, true, false, 1.0);
    EXPECT_EQ(test::ToText(dest, legend), "yr.W|WWr.|yryW") << "opaque: transparent shows black";

    Bitmap big(8, 4);
    f.DrawFrameEx(big.GetCanvas(), 0, 0, false, false, false, 2.0);
    EXPECT_EQ(test::ToText(big, legend), "WWrr...."
                                         "|WWrr...."
                                         "|rr..WW.."
                                         "|rr..WW..");
}

TEST(DrawFrameEx, HalfScaleRoundsToEven) {
    const std::vector<FrameSpec> frames = {{"buoy", 37, 37}}; // 18.5 pixels: 18, not 19
    Bitmap strip =
        test::StripFor(frames, [](int, int x, int) { return x == 0 ? clWhite : RGB(9, 9, 9); });
    TFrameList list(clBlue);
    Load(list, test::FrameListStream(frames, strip));
    Bitmap dest(40, 40);
    list.Frames(0).DrawFrameEx(dest.GetCanvas(), 0, 0, true, false, true, 0.5);
    EXPECT_EQ(dest.Pixel(0, 17), RGB(9, 9, 9));
    EXPECT_EQ(dest.Pixel(17, 0), clWhite) << "leftmost source column in the rightmost place";
    EXPECT_EQ(dest.Pixel(18, 0), clBlack);
    EXPECT_EQ(dest.Pixel(0, 18), clBlack);
}

} // namespace
} // namespace dd
