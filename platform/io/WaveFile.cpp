#include "platform/io/WaveFile.h"

#include "platform/core/Exception.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

namespace dd {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

[[noreturn]] void Invalid(const std::string& what) {
    throw Exception("Wave file is not valid: " + what);
}

std::uint32_t U16(const std::uint8_t* p) {
    return p[0] | p[1] << 8;
}
std::uint32_t U32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24;
}

struct Format {
    std::uint32_t channels = 0, rate = 0, bits = 0;
};

Format ReadFormat(std::span<const std::uint8_t> chunk) {
    if (chunk.size() < 16)
        Invalid("fmt chunk too short");
    std::uint32_t tag = U16(chunk.data());
    if (tag == kFormatExtensible) {
        // The sub-format GUID begins with the format tag.
        if (chunk.size() < 40)
            Invalid("extensible fmt chunk too short");
        tag = U16(chunk.data() + 24);
    }
    if (tag != kFormatPcm)
        Invalid("not PCM (format " + std::to_string(tag) + ")");
    Format f{U16(chunk.data() + 2), U32(chunk.data() + 4), U16(chunk.data() + 14)};
    if (f.channels < 1 || f.channels > 2)
        Invalid(std::to_string(f.channels) + " channels");
    if (f.rate < 8000 || f.rate > 96000)
        Invalid("sample rate " + std::to_string(f.rate));
    if (f.bits != 8 && f.bits != 16)
        Invalid(std::to_string(f.bits) + " bits a sample");
    return f;
}

} // namespace

WaveData ReadWave(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        Invalid("no RIFF/WAVE header");
    std::optional<Format> format;
    std::size_t at = 12;
    while (bytes.size() - at >= 8) {
        const std::uint8_t* header = bytes.data() + at;
        const std::uint64_t size = U32(header + 4);
        const std::size_t available = bytes.size() - at - 8;
        at += 8;
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (size > available)
                Invalid("fmt chunk beyond the end");
            format = ReadFormat(bytes.subspan(at, static_cast<std::size_t>(size)));
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (!format)
                Invalid("data before fmt");
            const std::size_t length =
                static_cast<std::size_t>(std::min<std::uint64_t>(size, available));
            const std::uint8_t* data = bytes.data() + at;
            WaveData wave;
            wave.sampleRate = static_cast<int>(format->rate);
            wave.channels = static_cast<int>(format->channels);
            wave.bitsPerSample = static_cast<int>(format->bits);
            const std::size_t frameBytes = format->channels * format->bits / 8;
            const std::size_t count = length / frameBytes * format->channels;
            wave.samples.resize(count);
            for (std::size_t i = 0; i < count; ++i)
                wave.samples[i] = format->bits == 8
                                      ? static_cast<std::int16_t>((data[i] - 128) * 256)
                                      : static_cast<std::int16_t>(U16(data + 2 * i));
            return wave;
        }
        if (size > available)
            break;
        at += static_cast<std::size_t>(size + (size & 1));
        if (at > bytes.size())
            break;
    }
    Invalid(format ? "no data chunk" : "no fmt chunk");
}

std::vector<std::uint8_t> WriteWave(const WaveData& wave) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(wave.samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    auto put = [&](std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(t[i]));
    };
    const auto channels = static_cast<std::uint32_t>(wave.channels);
    const auto rate = static_cast<std::uint32_t>(wave.sampleRate);
    tag("RIFF");
    put(36 + dataBytes, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(kFormatPcm, 2);
    put(channels, 2);
    put(rate, 4);
    put(rate * channels * 2, 4);
    put(channels * 2, 2);
    put(16, 2);
    tag("data");
    put(dataBytes, 4);
    for (std::int16_t s : wave.samples)
        put(static_cast<std::uint16_t>(s), 2);
    return out;
}

} // namespace dd
