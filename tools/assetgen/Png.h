#pragma once

// A small PNG writer for the generated icons: 8-bit RGBA, no interlacing, zlib-compressed rows.

#include <cstdint>
#include <vector>

namespace dd::assetgen {

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // rows top to bottom, four bytes a pixel: R, G, B, A
};

std::vector<std::uint8_t> WritePng(const RgbaImage& image);

} // namespace dd::assetgen
