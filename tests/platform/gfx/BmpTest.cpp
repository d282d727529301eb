#include "platform/core/Exception.h"
#include "platform/gfx/BmpReader.h"
#include "platform/gfx/BmpWriter.h"

#include <gtest/gtest.h>

namespace dd {
namespace {

// A hand-made BMP file: info or core header, colour table, rows padded to 4 bytes.
struct BmpBuilder {
    int width = 2, height = 2, bits = 8;
    int headerSize = 40;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<TColor> palette;
    std::vector<std::vector<std::uint8_t>> rows; // in file order, unpadded

    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> out = {'B', 'M'};
        auto put = [&](std::uint32_t v, int n) {
            for (int i = 0; i < n; ++i)
                out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        };
        put(0, 4); // the file size is not checked
        put(0, 4);
        put(0, 4); // neither is the pixel offset
        put(static_cast<std::uint32_t>(headerSize), 4);
        if (headerSize == 12) {
            put(static_cast<std::uint32_t>(width), 2);
            put(static_cast<std::uint32_t>(height), 2);
            put(1, 2);
            put(static_cast<std::uint32_t>(bits), 2);
        } else {
            put(static_cast<std::uint32_t>(width), 4);
            put(static_cast<std::uint32_t>(height), 4);
            put(1, 2);
            put(static_cast<std::uint32_t>(bits), 2);
            put(compression, 4);
            put(0, 4);
            put(0, 4);
            put(0, 4);
            put(colorsUsed, 4);
            put(0, 4);
        }
        for (TColor c : palette) {
            out.push_back(BlueOf(c));
            out.push_back(GreenOf(c));
            out.push_back(RedOf(c));
            if (headerSize != 12)
                out.push_back(0);
        }
        for (auto row : rows) {
            row.resize((row.size() + 3) / 4 * 4, 0);
            out.insert(out.end(), row.begin(), row.end());
        }
        return out;
    }
};

std::vector<TColor> Pixels(const Bitmap& b) {
    std::vector<TColor> out;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            out.push_back(b.Pixel(x, y));
    return out;
}

constexpr TColor A = RGB(10, 20, 30), B = RGB(200, 100, 50), C = RGB(0, 0, 255), D = RGB(1, 2, 3);

TEST(BmpReader, ReadsEveryBitDepthBottomUp) {
    BmpBuilder one{.width = 3, .height = 2, .bits = 1, .palette = {A, B}};
    one.rows = {{0b10100000}, {0b01000000}}; // file row 0 is the bottom row
    EXPECT_EQ(Pixels(ReadBmp(one.Bytes())), (std::vector<TColor>{A, B, A, B, A, B}));

    BmpBuilder four{.width = 3, .height = 1, .bits = 4, .palette = {}};
    four.palette.assign(16, D);
    four.palette[2] = A;
    four.palette[15] = B;
    four.rows = {{0x2F, 0x20}};
    EXPECT_EQ(Pixels(ReadBmp(four.Bytes())), (std::vector<TColor>{A, B, A}));

    BmpBuilder eight{.width = 2, .height = 1, .bits = 8, .colorsUsed = 3, .palette = {A, B, C}};
    eight.rows = {{2, 1}};
    EXPECT_EQ(Pixels(ReadBmp(eight.Bytes())), (std::vector<TColor>{C, B}));

    BmpBuilder rgb{.width = 1, .height = 2, .bits = 24};
    rgb.rows = {{30, 20, 10}, {50, 100, 200}};
    EXPECT_EQ(Pixels(ReadBmp(rgb.Bytes())), (std::vector<TColor>{B, A}));

    BmpBuilder rgba{.width = 2, .height = 1, .bits = 32};
    rgba.rows = {{30, 20, 10, 0xFF, 255, 0, 0, 0x7F}};
    EXPECT_EQ(Pixels(ReadBmp(rgba.Bytes())), (std::vector<TColor>{A, C}));
}

TEST(BmpReader, ReadsTopDownRowsAndCoreHeaders) {
    BmpBuilder topDown{.width = 1, .height = -2, .bits = 8, .colorsUsed = 2, .palette = {A, B}};
    topDown.rows = {{0}, {1}};
    EXPECT_EQ(Pixels(ReadBmp(topDown.Bytes())), (std::vector<TColor>{A, B}));

    BmpBuilder core{.width = 2, .height = 1, .bits = 1, .headerSize = 12, .palette = {A, B}};
    core.rows = {{0b01000000}};
    EXPECT_EQ(Pixels(ReadBmp(core.Bytes())), (std::vector<TColor>{A, B}));
}

TEST(BmpReader, RejectsWhatItCannotRead) {
    auto invalid = [](std::vector<std::uint8_t> bytes) {
        EXPECT_THROW(ReadBmp(bytes), EInvalidGraphic);
    };
    BmpBuilder good{.width = 2, .height = 2, .bits = 24};
    good.rows = {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}};
    ASSERT_NO_THROW(ReadBmp(good.Bytes()));

    auto bytes = good.Bytes();
    bytes[0] = 'X';
    invalid(bytes);
    for (int header : {0, 16, 64, 108, 124}) {
        BmpBuilder b = good;
        b.headerSize = header;
        invalid(b.Bytes());
    }
    for (std::uint32_t compression : {1u, 2u, 3u}) {
        BmpBuilder b = good;
        b.compression = compression;
        invalid(b.Bytes());
    }
    for (int bits : {0, 2, 16, 48}) {
        BmpBuilder b = good;
        b.bits = bits;
        invalid(b.Bytes());
    }
    for (auto [w, h] : {std::pair{0, 2}, {2, 0}, {-2, 2}, {16385, 1}, {1, 16385}, {1, -16385}}) {
        BmpBuilder b = good;
        b.width = w;
        b.height = h;
        invalid(b.Bytes());
    }
    BmpBuilder huge = good;
    huge.width = 16384;
    huge.height = 16384;
    invalid(huge.Bytes()); // the rows are not there: no 1 GiB allocation
    BmpBuilder tooManyColors{.width = 1, .height = 1, .bits = 8, .colorsUsed = 257};
    invalid(tooManyColors.Bytes());
    bytes = good.Bytes();
    for (std::size_t cut :
         {std::size_t(0), std::size_t(1), std::size_t(10), std::size_t(20), bytes.size() - 1})
        invalid(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + cut));
}

TEST(BmpReader, PaletteIndexBeyondTheTableIsBlack) {
    BmpBuilder b{.width = 1, .height = 1, .bits = 8, .colorsUsed = 1, .palette = {A}};
    b.rows = {{200}};
    EXPECT_EQ(ReadBmp(b.Bytes()).Pixel(0, 0), clBlack);
}

TEST(BmpWriter, RoundTripsFewAndManyColours) {
    Bitmap few(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            few.SetPixel(x, y, (x + y) % 2 ? A : C);
    auto fewBytes = WriteBmp(few);
    EXPECT_EQ(fewBytes[28], 8) << "palettised";
    EXPECT_EQ(fewBytes.size(), 1078u + 8 * 3);
    EXPECT_EQ(Pixels(ReadBmp(fewBytes)), Pixels(few));

    Bitmap many(30, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 30; ++x)
            many.SetPixel(
                x, y, RGB(static_cast<std::uint8_t>(x * 8), static_cast<std::uint8_t>(y * 20), 7));
    auto manyBytes = WriteBmp(many);
    EXPECT_EQ(manyBytes[28], 24);
    EXPECT_EQ(Pixels(ReadBmp(manyBytes)), Pixels(many));
    EXPECT_TRUE(WriteBmp(Bitmap()).empty());
}

} // namespace
} // namespace dd
