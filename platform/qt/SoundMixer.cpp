#include "platform/qt/SoundMixer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dd {

SoundMixer::SoundMixer(int channels, int fadeFrames)
    : channels_(std::max(1, channels)), fadeFrames_(std::max(1, fadeFrames)) {}

void SoundMixer::Play(std::uint64_t id, Samples samples) {
    if (!samples || samples->size() < static_cast<std::size_t>(channels_))
        return;
    next_ = Voice{id, std::move(samples), 0, -1};
    if (current_.samples) {
        if (current_.fadeLeft < 0)
            current_.fadeLeft = fadeFrames_;
    } else {
        StartNext();
    }
}

void SoundMixer::Stop(std::uint64_t id) {
    if (current_.samples && current_.id == id && current_.position == 0) {
        // Nothing of it has gone out: it goes without a sound.
        Drop(id);
        return;
    }
    if (next_.samples && next_.id == id)
        next_ = Voice{};
    if (current_.samples && current_.id == id && current_.fadeLeft < 0)
        current_.fadeLeft = fadeFrames_;
}

void SoundMixer::Drop(std::uint64_t id) {
    if (next_.samples && next_.id == id)
        next_ = Voice{};
    if (current_.samples && current_.id == id) {
        current_ = Voice{};
        StartNext();
    }
}

void SoundMixer::StartNext() {
    current_ = std::move(next_);
    next_ = Voice{};
}

void SoundMixer::Render(std::span<std::int16_t> out, std::vector<Ended>& ended) {
    const std::size_t frames = out.size() / static_cast<std::size_t>(channels_);
    std::int16_t* o = out.data();
    for (std::size_t f = 0; f < frames; ++f) {
        if (!current_.samples) {
            std::fill(o, o + channels_, std::int16_t{0});
            o += channels_;
            ++silentFrames_;
            continue;
        }
        silentFrames_ = 0;
        const std::vector<std::int16_t>& s = *current_.samples;
        if (current_.fadeLeft < 0) {
            std::copy_n(s.data() + current_.position, channels_, o);
        } else {
            // A raised-cosine ramp: no corner where it starts, none where it reaches zero.
            const double x = static_cast<double>(fadeFrames_ - current_.fadeLeft + 1) /
                             static_cast<double>(fadeFrames_ + 1);
            const double gain = 0.5 * (1 + std::cos(std::numbers::pi * x));
            for (int c = 0; c < channels_; ++c)
                o[c] = static_cast<std::int16_t>(std::lround(s[current_.position + c] * gain));
            --current_.fadeLeft;
        }
        o += channels_;
        current_.position += static_cast<std::size_t>(channels_);
        const bool atEnd = current_.position + static_cast<std::size_t>(channels_) > s.size();
        if (current_.fadeLeft == 0 || atEnd) {
            ended.push_back({current_.id, frames_ + f + 1});
            current_ = Voice{};
            StartNext();
        }
    }
    std::fill(o, out.data() + out.size(), std::int16_t{0});
    frames_ += frames;
}

} // namespace dd
