#include "tests/support/StreamBytes.h"

#include "platform/gfx/BmpWriter.h"

namespace dd::test {

StreamBytes& StreamBytes::U8(std::uint8_t v) {
    bytes.push_back(v);
    return *this;
}

StreamBytes& StreamBytes::S16(std::int16_t v) {
    auto u = static_cast<std::uint16_t>(v);
    return U8(u & 0xFF).U8(u >> 8);
}

StreamBytes& StreamBytes::U32(std::uint32_t v) {
    return U8(v & 0xFF).U8((v >> 8) & 0xFF).U8((v >> 16) & 0xFF).U8(v >> 24);
}

StreamBytes& StreamBytes::Name(const std::string& name, const std::string& leftover) {
    U8(static_cast<std::uint8_t>(name.size()));
    std::string field = name + leftover;
    field.resize(80, '\0');
    for (char c : field)
        U8(static_cast<std::uint8_t>(c));
    return *this;
}

StreamBytes& StreamBytes::Raw(const std::vector<std::uint8_t>& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
}

std::vector<std::uint8_t> FrameListStream(const std::vector<FrameSpec>& frames,
                                          const Bitmap& strip) {
    StreamBytes s;
    s.S16(static_cast<std::int16_t>(frames.size()));
    int left = 0;
    for (const auto& f : frames) {
        s.U8(0).Name(f.name).S16(static_cast<std::int16_t>(left)).S16(0);
        s.S16(static_cast<std::int16_t>(f.width)).S16(static_cast<std::int16_t>(f.height));
        left += f.width;
    }
    if (!frames.empty()) {
        auto bmp = WriteBmp(strip);
        s.U32(static_cast<std::uint32_t>(bmp.size())).Raw(bmp);
    }
    return s.bytes;
}

} // namespace dd::test
