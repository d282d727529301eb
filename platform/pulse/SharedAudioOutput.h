#pragma once

#include "platform/pulse/AudioOutput.h"

#include <memory>

namespace dd {

// The one stream a program's players share: opened with the format of the first sound, closed
// when the last player lets go of it. Used on one thread.
class SharedAudioOutput {
public:
    // Throws as AudioOutput does when the stream must be opened and cannot be.
    std::shared_ptr<AudioOutput> Get(AudioOutput::Format format);

private:
    std::weak_ptr<AudioOutput> output_;
};

} // namespace dd
