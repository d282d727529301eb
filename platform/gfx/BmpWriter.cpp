#include "platform/gfx/BmpWriter.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace dd {
namespace {

constexpr std::size_t kHeadersSize = 14 + 40;

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = v & 0xFF;
    out[at + 1] = (v >> 8) & 0xFF;
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    Put16(out, at, v & 0xFFFF);
    Put16(out, at + 2, v >> 16);
}

// The colours in order of first appearance, or nothing when there are more than 256.
std::optional<std::vector<TColor>> Palette(const Bitmap& bitmap) {
    std::vector<TColor> colors;
    std::unordered_map<TColor, int> seen;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor c = bitmap.Pixel(x, y);
            if (seen.emplace(c, static_cast<int>(colors.size())).second) {
                if (colors.size() == 256)
                    return std::nullopt;
                colors.push_back(c);
            }
        }
    }
    std::sort(colors.begin(), colors.end());
    return colors;
}

} // namespace

std::vector<std::uint8_t> WriteBmp(const Bitmap& bitmap) {
    if (bitmap.Empty())
        return {};
    const auto palette = Palette(bitmap);
    const std::uint32_t bits = palette ? 8 : 24;
    const std::size_t paletteBytes = palette ? 256 * 4 : 0;
    const std::size_t stride = ((static_cast<std::size_t>(bitmap.Width()) * bits + 31) / 32) * 4;
    const std::size_t pixelOffset = kHeadersSize + paletteBytes;
    std::vector<std::uint8_t> out(pixelOffset + stride * bitmap.Height(), 0);

    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(out.size()));
    Put32(out, 10, static_cast<std::uint32_t>(pixelOffset));
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<std::uint32_t>(bitmap.Width()));
    Put32(out, 22, static_cast<std::uint32_t>(bitmap.Height()));
    Put16(out, 26, 1);
    Put16(out, 28, bits);
    Put32(out, 34, static_cast<std::uint32_t>(stride * bitmap.Height()));
    Put32(out, 38, 2835); // 72 dots per inch
    Put32(out, 42, 2835);

    std::unordered_map<TColor, std::uint8_t> index;
    if (palette) {
        for (std::size_t i = 0; i < palette->size(); ++i) {
            const TColor c = (*palette)[i];
            out[kHeadersSize + 4 * i] = BlueOf(c);
            out[kHeadersSize + 4 * i + 1] = GreenOf(c);
            out[kHeadersSize + 4 * i + 2] = RedOf(c);
            index[c] = static_cast<std::uint8_t>(i);
        }
    }
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* row = out.data() + pixelOffset + (bitmap.Height() - 1 - y) * stride;
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor c = bitmap.Pixel(x, y);
            if (palette) {
                row[x] = index[c];
            } else {
                row[3 * x] = BlueOf(c);
                row[3 * x + 1] = GreenOf(c);
                row[3 * x + 2] = RedOf(c);
            }
        }
    }
    return out;
}

} // namespace dd
