#include "platform/io/WaveFile.h"

#include "platform/core/Exception.h"

#include <cstring>
#include <gtest/gtest.h>

namespace dd {
namespace {

std::vector<std::uint8_t> Chunk(const char* tag, std::vector<std::uint8_t> body) {
    std::vector<std::uint8_t> out(tag, tag + 4);
    const auto n = static_cast<std::uint32_t>(body.size());
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2)
        out.push_back(0);
    return out;
}

std::vector<std::uint8_t> Fmt(int format, int channels, int rate, int bits) {
    std::vector<std::uint8_t> b(16, 0);
    b[0] = static_cast<std::uint8_t>(format);
    b[1] = static_cast<std::uint8_t>(format >> 8);
    b[2] = static_cast<std::uint8_t>(channels);
    for (int i = 0; i < 4; ++i)
        b[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(rate >> (8 * i));
    b[14] = static_cast<std::uint8_t>(bits);
    return b;
}

std::vector<std::uint8_t> Riff(const std::vector<std::vector<std::uint8_t>>& chunks) {
    std::vector<std::uint8_t> body = {'W', 'A', 'V', 'E'};
    for (const auto& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    return Chunk("RIFF", body);
}

void ExpectInvalid(const std::vector<std::uint8_t>& bytes) {
    try {
        ReadWave(bytes);
        FAIL() << "accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Wave file is not valid: ", 0), 0u) << e.what();
    }
}

TEST(WaveFile, RoundTripsAndConvertsEightBitAndStereo) {
    WaveData wave{22050, 1, 16, {0, 1000, -32768, 32767, -1}};
    const WaveData back = ReadWave(WriteWave(wave));
    EXPECT_EQ(back.samples, wave.samples);
    EXPECT_EQ(back.sampleRate, 22050);
    EXPECT_EQ(WriteWave(wave).size(), 44u + 10);

    const WaveData eight =
        ReadWave(Riff({Chunk("fmt ", Fmt(1, 1, 8000, 8)), Chunk("data", {128, 0, 255})}));
    EXPECT_EQ(eight.samples, (std::vector<std::int16_t>{0, -32768, 32512}));
    const WaveData stereo = ReadWave(
        Riff({Chunk("fmt ", Fmt(1, 2, 44100, 16)), Chunk("data", {1, 0, 2, 0, 3, 0, 4, 0})}));
    EXPECT_EQ(stereo.channels, 2);
    EXPECT_EQ(stereo.samples.size(), 4u);
    EXPECT_DOUBLE_EQ(stereo.DurationSeconds(), 2.0 / 44100);
}

TEST(WaveFile, SkipsUnknownAndOddChunksAndCutsAnOversizedDataChunk) {
    const auto bytes = Riff({Chunk("LIST", {1, 2, 3}), Chunk("fmt ", Fmt(1, 1, 22050, 16)),
                             Chunk("junk", {9}), Chunk("data", {5, 0, 6, 0})});
    EXPECT_EQ(ReadWave(bytes).samples, (std::vector<std::int16_t>{5, 6}));
    auto lying = bytes;
    lying[lying.size() - 8] = 0xFF; // the data chunk claims 255 + 4 bytes
    EXPECT_EQ(ReadWave(lying).samples, (std::vector<std::int16_t>{5, 6}));
}

TEST(WaveFile, RejectsWhatIsNotPcmWave) {
    const auto good = Riff({Chunk("fmt ", Fmt(1, 1, 22050, 16)), Chunk("data", {1, 0, 2, 0})});
    for (std::size_t cut = 0; cut < good.size() - 4; ++cut)
        ExpectInvalid({good.begin(), good.begin() + static_cast<long>(cut)});
    ExpectInvalid(Riff({Chunk("fmt ", Fmt(3, 1, 22050, 32)), Chunk("data", {0, 0, 0, 0})}));
    ExpectInvalid(Riff({Chunk("fmt ", Fmt(2, 1, 22050, 4)), Chunk("data", {0})}));
    ExpectInvalid(Riff({Chunk("fmt ", Fmt(1, 0, 22050, 16)), Chunk("data", {0, 0})}));
    ExpectInvalid(Riff({Chunk("fmt ", Fmt(1, 1, 1000, 16)), Chunk("data", {0, 0})}));
    ExpectInvalid(Riff({Chunk("fmt ", Fmt(1, 1, 22050, 16))}));
    ExpectInvalid(Riff({Chunk("data", {0, 0}), Chunk("fmt ", Fmt(1, 1, 22050, 16))}));
    auto huge =
        Riff({Chunk("LIST", {}), Chunk("fmt ", Fmt(1, 1, 22050, 16)), Chunk("data", {0, 0})});
    std::memset(huge.data() + 16, 0xFF, 4); // a LIST chunk of 4 GiB
    ExpectInvalid(huge);
    const char text[] = "this is not a wave file at all";
    ExpectInvalid({text, text + sizeof text});
}

} // namespace
} // namespace dd
