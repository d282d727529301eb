#pragma once

#include "platform/io/WavePlayer.h"

#include <string>
#include <vector>

namespace dd::test {

// A wave player that writes what it is asked to do into a shared log ("open 0 klapper.wav",
// "play 2", "stop 3"). Like the platform's, it reports the end of a play later, when the test
// calls Finish.
class FakeWavePlayer : public TWavePlayer {
public:
    FakeWavePlayer(int id, std::vector<std::string>& log, bool opens = true)
        : id_(id), log_(log), opens_(opens) {}

    void Open(const std::string& fileName) override;
    void Play() override;
    void Stop() override;

    // The play has ended: raises the notification.
    void Finish();
    bool Playing() const { return playing_; }

private:
    int id_;
    std::vector<std::string>& log_;
    bool opens_;
    bool playing_ = false;
};

} // namespace dd::test
