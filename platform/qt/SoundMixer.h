#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace dd {

// The samples of one stream that plays at most one sound at a time. A sound that cuts another,
// or a stop, first fades the one playing out over a few milliseconds, so no sample jumps; the
// new sound then starts from its first sample. Not thread-safe: the owner locks.
class SoundMixer {
public:
    using Samples = std::shared_ptr<const std::vector<std::int16_t>>;

    // A play whose last sample, or the last of its fade, has been rendered: `frame` is the
    // stream frame just after it.
    struct Ended {
        std::uint64_t id;
        std::uint64_t frame;
    };

    SoundMixer(int channels, int fadeFrames);

    // Plays `samples` (interleaved, whole frames) as play `id`, once the sound playing has faded.
    void Play(std::uint64_t id, Samples samples);
    // Fades play `id` out, or drops it if none of it has been rendered; other plays are left
    // alone.
    void Stop(std::uint64_t id);
    // Forgets play `id` at once, without a fade and without reporting its end.
    void Drop(std::uint64_t id);

    // Fills `out` with whole frames and appends the plays that ended in it to `ended`.
    void Render(std::span<std::int16_t> out, std::vector<Ended>& ended);

    bool Idle() const { return !current_.samples && !next_.samples; }
    // Frames rendered so far, and how many of the last of them were silence.
    std::uint64_t FramesRendered() const { return frames_; }
    std::uint64_t SilentFrames() const { return silentFrames_; }

private:
    struct Voice {
        std::uint64_t id = 0;
        Samples samples;
        std::size_t position = 0; // in samples
        int fadeLeft = -1;        // frames left of the fade-out; -1 while not fading
    };

    void StartNext();

    int channels_;
    int fadeFrames_;
    Voice current_;
    Voice next_;
    std::uint64_t frames_ = 0;
    std::uint64_t silentFrames_ = 0;
};

} // namespace dd
