#pragma once

#include "platform/io/WavePlayer.h"
#include "platform/pulse/SharedAudioOutput.h"

#include <QObject>
#include <cstdint>
#include <memory>

namespace dd {

// A wave player on the program's one sound stream: the file is read once by our own wave
// reader. The end of a play is reported on the user-interface thread as a queued notification
// once its last sample has been heard; a stop fades the sound out and reports at once.
// Opening fails when no sound server answers.
class QtWavePlayer : public QObject, public TWavePlayer {
public:
    explicit QtWavePlayer(SharedAudioOutput& output);
    ~QtWavePlayer() override;

    void Open(const std::string& fileName) override;
    void Play() override;
    void Stop() override;

private:
    void Start(std::uint64_t generation);
    void Ended(std::uint64_t generation, std::chrono::microseconds untilHeard);
    void Notify();

    SharedAudioOutput& shared_;
    std::shared_ptr<AudioOutput> output_;
    SoundMixer::Samples samples_;
    bool playing_ = false;   // from Play until its end is reported or Stop
    std::uint64_t play_ = 0; // the output's id of the play, 0 until it has started
    // Counts plays and stops, so that a late end of an earlier play is ignored.
    std::uint64_t generation_ = 0;
};

} // namespace dd
