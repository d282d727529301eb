#include "platform/gfx/BmpReader.h"

#include "platform/core/Exception.h"

#include <array>
#include <cstdlib>

namespace dd {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kUncompressed = 0;

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint32_t U8(std::size_t at) const { return At(at, 1)[0]; }
    std::uint32_t U16(std::size_t at) const {
        const auto* p = At(at, 2);
        return p[0] | p[1] << 8;
    }
    std::uint32_t U32(std::size_t at) const {
        const auto* p = At(at, 4);
        return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24;
    }
    std::int32_t S32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    std::int32_t S16(std::size_t at) const { return static_cast<std::int16_t>(U16(at)); }
    const std::uint8_t* At(std::size_t at, std::size_t size) const {
        if (at > bytes_.size() || size > bytes_.size() - at)
            throw EInvalidGraphic();
        return bytes_.data() + at;
    }

private:
    std::span<const std::uint8_t> bytes_;
};

struct Header {
    std::int64_t width;
    std::int64_t height; // negative: top-down rows
    std::uint32_t bitCount;
    std::uint32_t colorsUsed;
    std::size_t paletteEntrySize;
};

Header ReadHeader(const Reader& in) {
    const std::uint32_t size = in.U32(kFileHeaderSize);
    const std::size_t h = kFileHeaderSize;
    if (size == kInfoHeaderSize) {
        if (in.U16(h + 12) != 1 || in.U32(h + 16) != kUncompressed)
            throw EInvalidGraphic();
        return {in.S32(h + 4), in.S32(h + 8), in.U16(h + 14), in.U32(h + 32), 4};
    }
    if (size == kCoreHeaderSize) {
        if (in.U16(h + 8) != 1)
            throw EInvalidGraphic();
        return {in.U16(h + 4), in.S16(h + 6), in.U16(h + 10), 0, 3};
    }
    throw EInvalidGraphic();
}

std::size_t PaletteSize(const Header& header) {
    if (header.colorsUsed != 0) {
        if (header.colorsUsed > 256)
            throw EInvalidGraphic();
        return header.colorsUsed;
    }
    return header.bitCount <= 8 ? std::size_t(1) << header.bitCount : 0;
}

} // namespace

Bitmap ReadBmp(std::span<const std::uint8_t> file) {
    Reader in(file);
    if (in.U8(0) != 'B' || in.U8(1) != 'M')
        throw EInvalidGraphic();
    const Header header = ReadHeader(in);
    const std::uint32_t bits = header.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        throw EInvalidGraphic();
    const std::int64_t width = header.width;
    const std::int64_t height = std::llabs(header.height);
    if (width <= 0 || height == 0 || width > Bitmap::kMaxDimension ||
        height > Bitmap::kMaxDimension)
        throw EInvalidGraphic();

    const std::size_t paletteOffset = kFileHeaderSize + in.U32(kFileHeaderSize);
    const std::size_t entries = PaletteSize(header);
    std::array<TColor, 256> palette{};
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint8_t* e = in.At(paletteOffset + i * header.paletteEntrySize, 3);
        if (i < palette.size())
            palette[i] = RGB(e[2], e[1], e[0]);
    }

    const std::size_t pixelOffset = paletteOffset + entries * header.paletteEntrySize;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    in.At(pixelOffset, stride * static_cast<std::size_t>(height));

    const bool topDown = header.height < 0;
    Bitmap bitmap(static_cast<int>(width), static_cast<int>(height));
    for (int y = 0; y < bitmap.Height(); ++y) {
        const int fileRow = topDown ? y : bitmap.Height() - 1 - y;
        const std::uint8_t* row = in.At(pixelOffset + fileRow * stride, stride);
        TColor* out = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            switch (bits) {
            case 1:
                out[x] = palette[(row[x / 8] >> (7 - x % 8)) & 1];
                break;
            case 4:
                out[x] = palette[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF];
                break;
            case 8:
                out[x] = palette[row[x]];
                break;
            case 24:
                out[x] = RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                break;
            default:
                out[x] = RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
                break;
            }
        }
    }
    return bitmap;
}

} // namespace dd
