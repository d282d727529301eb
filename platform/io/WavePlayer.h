#pragma once

#include "platform/core/Exception.h"

#include <functional>
#include <string>

namespace dd {

// A sound that cannot be played: no device or server, or a file that is not a usable wave.
class EWaveDevice : public Exception {
public:
    explicit EWaveDevice(const std::string& message) : Exception(message) {}
};

// One wave sound of the platform: opened once, played in the background, stopped. OnNotify is
// raised on the user-interface thread whenever a play ends, also when it was stopped.
class TWavePlayer {
public:
    virtual ~TWavePlayer() = default;

    // Throws EWaveDevice when the device cannot be used, or the wave file's own error when the
    // file cannot be read.
    virtual void Open(const std::string& fileName) = 0;
    virtual void Play() = 0;
    virtual void Stop() = 0;

    int Tag = 0;
    std::function<void(TWavePlayer& sender)> OnNotify;
};

// The player of a run without sound: it cannot be opened, so the game stays silent.
class TNoWaveDevice : public TWavePlayer {
public:
    void Open(const std::string&) override { throw EWaveDevice("no wave device"); }
    void Play() override {}
    void Stop() override {}
};

} // namespace dd
