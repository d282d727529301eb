#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace dd {

// One wave sound of the platform: opened once, played in the background, stopped. OnNotify is
// raised on the user-interface thread whenever a play ends, also when it was stopped.
class TWavePlayer {
public:
    virtual ~TWavePlayer() = default;

    // Throws when the file or the device cannot be used.
    virtual void Open(const std::string& fileName) = 0;
    virtual void Play() = 0;
    virtual void Stop() = 0;

    int Tag = 0;
    std::function<void(TWavePlayer& sender)> OnNotify;
};

// The player of a run without sound: it cannot be opened, so the game stays silent.
class TNoWaveDevice : public TWavePlayer {
public:
    void Open(const std::string&) override { throw std::runtime_error("no wave device"); }
    void Play() override {}
    void Stop() override {}
};

} // namespace dd
