#pragma once

#include "game/WavePlayer.h"
#include "platform/qt/AudioOutput.h"

#include <QObject>
#include <cstdint>
#include <memory>

namespace dd {

// A wave player on the process's one sound stream: the file is read once by our own wave
// reader. The end of a play is reported on the user-interface thread as a queued notification
// once its last sample has been heard; a stop fades the sound out and reports at once.
// Opening fails when no sound server answers.
class QtWavePlayer : public QObject, public TWavePlayer {
public:
    QtWavePlayer();
    ~QtWavePlayer() override;

    void Open(const std::string& fileName) override;
    void Play() override;
    void Stop() override;

private:
    void Ended(std::uint64_t generation, std::chrono::microseconds untilHeard);
    void Notify();

    std::shared_ptr<AudioOutput> output_;
    SoundMixer::Samples samples_;
    std::uint64_t play_ = 0; // the output's id of the play under way, 0 when none
    std::uint64_t generation_ =
        0; // counts plays and stops, so a late end of an old play is ignored
};

} // namespace dd
