#include "shell/Background.h"

#include "platform/gfx/BmpWriter.h"
#include "platform/gfx/Canvas.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <set>

namespace dd {
namespace {

TEST(StarPoints, AreExactlyTheListedCorners) {
    const TStarPoints p = ComputeStarPoints();
    const double expected[10][2] = {{0, -222}, {-54, -54}, {-230, -54}, {-88, 49},  {-142, 216},
                                    {0, 113},  {141, 216}, {87, 49},    {229, -54}, {53, -54}};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(p[static_cast<std::size_t>(i)].X, expected[i][0]) << i;
        EXPECT_EQ(p[static_cast<std::size_t>(i)].Y, expected[i][1]) << i;
    }
}

// Data files made here: each picture a flat colour, the strip's column k a flat colour too,
// so every field pixel tells where it came from.
class BackgroundTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string home = dir.path().string() + "\\";
    const TColor kAir = RGB(200, 220, 255), kWater = RGB(20, 90, 160), kSea = RGB(0, 60, 90);
    const TColor kColumns[4] = {RGB(10, 0, 0), RGB(0, 20, 0), RGB(0, 0, 30), RGB(40, 40, 0)};

    void SetUp() override {
        Save("lucht2.bmp", Flat(800, 600, kAir));
        Save("water.bmp", Flat(800, 600, kWater));
        Save("ZEE.BMP", Flat(800, 600, kSea)); // found without regard to case
        Bitmap strip(128, 400);
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 128; ++x)
                strip.SetPixel(x, y, kColumns[x / 32]);
        Save("CLRBTMP.BMP", strip);
    }
    static Bitmap Flat(int w, int h, TColor c) {
        Bitmap b(w, h);
        b.GetCanvas().SetBrushColor(c);
        b.GetCanvas().FillRect(b.BoundsRect());
        return b;
    }
    void Save(const std::string& name, const Bitmap& b) {
        auto bytes = WriteBmp(b);
        test::WriteFile(dir / name, std::string(bytes.begin(), bytes.end()));
    }
    Bitmap Compose(int picture, FieldGeometry f = {}, std::uint32_t seed = 1) {
        RandomGenerator random(seed);
        return ComposeBackground(picture, home, f, ComputeStarPoints(), random);
    }
};

TEST_F(BackgroundTest, TheStarShowsColumnTwoAboveTheHorizonAndColumnOneBelow) {
    for (int picture : {0, 2, 3, 4, 7, -1}) {
        const Bitmap b = Compose(picture);
        EXPECT_EQ(b.Pixel(400, 389), kColumns[2]) << picture;
        EXPECT_EQ(b.Pixel(400, 390), kColumns[1]) << picture;
        EXPECT_EQ(b.Pixel(400, 300 - 200), kColumns[2]) << "near the top tip";
        EXPECT_EQ(b.Pixel(400 - 200, 300 + 5), b.Pixel(5, 305)) << "outside the star";
    }
    EXPECT_EQ(Compose(2).Pixel(5, 5), kAir);
    EXPECT_EQ(Compose(3).Pixel(5, 5), kWater);
    EXPECT_EQ(Compose(4).Pixel(799, 599), kSea);
    for (int odd : {9, -1, 5}) {
        const Bitmap a = Compose(odd, {}, 3), b = Compose(0, {}, 3);
        EXPECT_EQ(a.Pixel(5, 5), b.Pixel(5, 5)) << odd << " behaves as 0";
        EXPECT_EQ(a.Pixel(5, 595), b.Pixel(5, 595)) << odd;
        EXPECT_NE(a.Pixel(5, 5), kAir) << odd;
    }
}

TEST_F(BackgroundTest, RandomColoursCoverTheFieldSplitExactlyAtTheHorizon) {
    std::set<std::pair<TColor, TColor>> pairs;
    for (std::uint32_t seed = 1; seed < 40; ++seed) {
        const Bitmap b = Compose(0, {}, seed);
        const TColor sky = b.Pixel(0, 0), sea = b.Pixel(0, 599);
        pairs.insert({sky, sea});
        for (int x : {0, 31, 32, 100, 767, 799}) {
            EXPECT_EQ(b.Pixel(x, 389), sky) << x;
            EXPECT_EQ(b.Pixel(x, 390), sea) << x;
        }
    }
    const std::set<std::pair<TColor, TColor>> allowed = {
        {kColumns[1], kColumns[0]}, {kColumns[1], kColumns[3]}, {kColumns[3], kColumns[0]}};
    EXPECT_EQ(pairs, allowed);
}

TEST_F(BackgroundTest, ASmallScreenCropsTheCentreAndMovesTheHorizon) {
    Bitmap marked = Flat(800, 600, kAir);
    marked.SetPixel(80, 60, RGB(1, 2, 3)); // the crop's top-left
    marked.SetPixel(79, 60, RGB(9, 9, 9)); // just outside it
    Save("lucht2.bmp", marked);
    const Bitmap b = Compose(2, {640, 480, 330});
    EXPECT_EQ(b.Width(), 640);
    EXPECT_EQ(b.Height(), 480);
    EXPECT_EQ(b.Pixel(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(b.Pixel(320, 329), kColumns[2]);
    EXPECT_EQ(b.Pixel(320, 330), kColumns[1]);
}

TEST_F(BackgroundTest, AMissingOrBrokenFileIsReported) {
    for (const char* name : {"lucht2.bmp", "CLRBTMP.BMP"}) {
        std::filesystem::rename(dir / name, dir / "aside");
        try {
            Compose(0);
            FAIL() << name;
        } catch (const EBackgroundFile& e) {
            EXPECT_EQ(e.File(), name);
        }
        test::WriteFile(dir / name, "BM but not really");
        EXPECT_THROW(Compose(0), EBackgroundFile) << name;
        std::filesystem::rename(dir / "aside", dir / name);
    }
    std::filesystem::remove(dir / "ZEE.BMP");
    EXPECT_THROW(Compose(4), EBackgroundFile);
    EXPECT_NO_THROW(Compose(3));
}

TEST_F(BackgroundTest, PicturesOfOtherSizesAreUsedSafely) {
    for (auto [w, h] : {std::pair{10, 10}, {4000, 4000}}) {
        Save("lucht2.bmp", Flat(w, h, kAir));
        const Bitmap b = Compose(2);
        EXPECT_EQ(b.Width(), 800);
        EXPECT_EQ(b.Pixel(5, 5), kAir);
        EXPECT_EQ(b.Pixel(400, 390), kColumns[1]);
    }
    Bitmap narrow(40, 100); // narrower than four columns, shorter than the sky
    Save("CLRBTMP.BMP", narrow);
    EXPECT_NO_THROW(Compose(0));
}

} // namespace
} // namespace dd
