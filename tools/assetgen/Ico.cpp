#include "tools/assetgen/Ico.h"

#include <stdexcept>

namespace dd::assetgen {
namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::size_t value) {
    Put16(out, static_cast<unsigned>(value & 0xFFFF));
    Put16(out, static_cast<unsigned>(value >> 16));
}

} // namespace

std::vector<std::uint8_t> WriteIco(const std::vector<RgbaImage>& images) {
    std::vector<std::vector<std::uint8_t>> pngs;
    for (const RgbaImage& image : images) {
        if (image.width < 1 || image.width > 256 || image.height < 1 || image.height > 256)
            throw std::invalid_argument("an icon image is 1 to 256 pixels square");
        pngs.push_back(WritePng(image));
    }
    std::vector<std::uint8_t> out;
    Put16(out, 0); // reserved
    Put16(out, 1); // an icon, not a cursor
    Put16(out, static_cast<unsigned>(images.size()));
    std::size_t offset = kHeaderSize + kEntrySize * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        // 256 is written as 0.
        out.push_back(static_cast<std::uint8_t>(images[i].width & 0xFF));
        out.push_back(static_cast<std::uint8_t>(images[i].height & 0xFF));
        out.push_back(0); // no palette
        out.push_back(0); // reserved
        Put16(out, 1);    // colour planes
        Put16(out, 32);   // bits per pixel
        Put32(out, pngs[i].size());
        Put32(out, offset);
        offset += pngs[i].size();
    }
    for (const auto& png : pngs)
        out.insert(out.end(), png.begin(), png.end());
    return out;
}

} // namespace dd::assetgen
