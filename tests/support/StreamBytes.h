#pragma once

#include "platform/gfx/Bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dd::test {

// Builds the bytes of frame list and sequence list streams by hand, independently of the
// classes that read and write them.
class StreamBytes {
public:
    StreamBytes& U8(std::uint8_t v);
    StreamBytes& S16(std::int16_t v);
    StreamBytes& U32(std::uint32_t v);
    // A length byte and 80 name bytes, the ones after the name taken from `leftover`.
    StreamBytes& Name(const std::string& name, const std::string& leftover = "");
    StreamBytes& Raw(const std::vector<std::uint8_t>& bytes);

    std::vector<std::uint8_t> bytes;
};

struct FrameSpec {
    std::string name;
    int width;
    int height;
};

// A stored-style frame list stream: frames side by side at StripY 0 over `strip`.
std::vector<std::uint8_t> FrameListStream(const std::vector<FrameSpec>& frames,
                                          const Bitmap& strip);

// A strip as wide as the frames together and as high as the tallest, each frame filled with
// `fill(frameIndex, x, y)`.
template <typename Fill> Bitmap StripFor(const std::vector<FrameSpec>& frames, Fill fill) {
    int width = 0, height = 0;
    for (const auto& f : frames) {
        width += f.width;
        height = std::max(height, f.height);
    }
    Bitmap strip(width, height);
    int left = 0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        for (int y = 0; y < frames[i].height; ++y)
            for (int x = 0; x < frames[i].width; ++x)
                strip.SetPixel(left + x, y, fill(static_cast<int>(i), x, y));
        left += frames[i].width;
    }
    return strip;
}

} // namespace dd::test
