#include "platform/pulse/SharedAudioOutput.h"

namespace dd {

std::shared_ptr<AudioOutput> SharedAudioOutput::Get(AudioOutput::Format format) {
    if (auto output = output_.lock())
        return output;
    auto output = std::make_shared<AudioOutput>(format);
    output_ = output;
    return output;
}

} // namespace dd
