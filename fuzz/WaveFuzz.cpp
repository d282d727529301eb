// Any bytes as a wave file: samples or the wave-file error, nothing else.

#include "platform/core/Exception.h"
#include "platform/io/WaveFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const dd::WaveData wave = dd::ReadWave({data, size});
        if (wave.samples.size() > size)
            std::abort();
    } catch (const dd::Exception&) {
    }
    return 0;
}
