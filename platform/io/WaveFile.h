#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace dd {

// PCM sound: interleaved 16-bit samples.
struct WaveData {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 16; // as stored in the file the data came from
    std::vector<std::int16_t> samples;

    double DurationSeconds() const {
        return sampleRate > 0 && channels > 0
                   ? static_cast<double>(samples.size()) / channels / sampleRate
                   : 0.0;
    }
};

// Reads a RIFF/WAVE file of 8- or 16-bit PCM, 1 or 2 channels, 8000 to 96000 Hz; chunks it
// does not know are skipped. A data chunk that claims more bytes than there are is cut to what
// is there. Anything else throws Exception "Wave file is not valid: <what>".
WaveData ReadWave(std::span<const std::uint8_t> bytes);

// A canonical 16-bit PCM RIFF/WAVE file.
std::vector<std::uint8_t> WriteWave(const WaveData& wave);

} // namespace dd
