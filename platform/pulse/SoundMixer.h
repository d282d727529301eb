#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <vector>

namespace dd {

// The samples of one stream that plays at most one sound at a time. A sound that cuts another,
// or a stop, first fades the one playing out over a few milliseconds, so no sample jumps; the
// new sound then starts from its first sample. The mixer can go back over the frames it
// rendered last, so that a change takes effect in what the sound server already holds instead
// of after it. Not thread-safe: the owner locks.
class SoundMixer {
public:
    using Samples = std::shared_ptr<const std::vector<std::int16_t>>;

    // A play whose last sample, or the last of its fade, has been rendered: `frame` is the
    // stream frame just after it.
    struct Ended {
        std::uint64_t id;
        std::uint64_t frame;
    };

    // Keeps enough to go back `rewindFrames` frames.
    SoundMixer(int channels, int fadeFrames, std::uint64_t rewindFrames = 0);

    // Plays `samples` (interleaved, whole frames) as play `id`, once the sound playing has faded.
    void Play(std::uint64_t id, Samples samples);
    // Fades play `id` out, or drops it if none of it has been rendered; other plays are left
    // alone.
    void Stop(std::uint64_t id);
    // Forgets play `id` at once, without a fade and without reporting its end.
    void Drop(std::uint64_t id);

    // Fills `out` with whole frames and appends the plays that ended in it to `ended`.
    void Render(std::span<std::int16_t> out, std::vector<Ended>& ended);

    // Goes back to frame `frame`, as far as it can: never before the last Play, Stop or Drop,
    // nor further than the frames it keeps. The next Render renders the frames after it again,
    // and reports again the ends that lie there. Returns the frame it went back to.
    std::uint64_t Rewind(std::uint64_t frame);
    bool Idle() const { return !state_.current.samples && !state_.next.samples; }
    // Frames rendered so far, and how many of the last of them were silence.
    std::uint64_t FramesRendered() const { return state_.frames; }
    std::uint64_t SilentFrames() const { return state_.silentFrames; }

private:
    struct Voice {
        std::uint64_t id = 0;
        Samples samples;
        std::size_t position = 0; // in samples
        int fadeLeft = -1;        // frames left of the fade-out; -1 while not fading
    };

    // Everything that Render changes.
    struct State {
        Voice current;
        Voice next;
        std::uint64_t frames = 0;
        std::uint64_t silentFrames = 0;
    };

    void StartNext();

    int channels_;
    int fadeFrames_;
    std::uint64_t rewindFrames_;
    State state_;
    // The state at the start of each of the last renders, oldest first; none before the last
    // change, since going back past it would undo the change.
    std::deque<State> history_;
};

} // namespace dd
