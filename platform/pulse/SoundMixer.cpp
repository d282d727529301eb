#include "platform/pulse/SoundMixer.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numbers>

namespace dd {

SoundMixer::SoundMixer(int channels, int fadeFrames, std::uint64_t rewindFrames)
    : channels_(std::max(1, channels)), fadeFrames_(std::max(1, fadeFrames)),
      rewindFrames_(rewindFrames) {}

void SoundMixer::Play(std::uint64_t id, Samples samples) {
    history_.clear();
    if (!samples || samples->size() < static_cast<std::size_t>(channels_))
        return;
    Voice& current = state_.current;
    state_.next = Voice{id, std::move(samples), 0, -1};
    if (current.samples) {
        if (current.fadeLeft < 0)
            current.fadeLeft = fadeFrames_;
    } else {
        StartNext();
    }
}

void SoundMixer::Stop(std::uint64_t id) {
    history_.clear();
    Voice& current = state_.current;
    if (current.samples && current.id == id && current.position == 0) {
        // Nothing of it has gone out: it goes without a sound.
        Drop(id);
        return;
    }
    if (state_.next.samples && state_.next.id == id)
        state_.next = Voice{};
    if (current.samples && current.id == id && current.fadeLeft < 0)
        current.fadeLeft = fadeFrames_;
}

void SoundMixer::Drop(std::uint64_t id) {
    history_.clear();
    if (state_.next.samples && state_.next.id == id)
        state_.next = Voice{};
    if (state_.current.samples && state_.current.id == id) {
        state_.current = Voice{};
        StartNext();
    }
}

void SoundMixer::StartNext() {
    state_.current = std::move(state_.next);
    state_.next = Voice{};
}

std::uint64_t SoundMixer::Rewind(std::uint64_t frame) {
    if (history_.empty() || frame >= state_.frames)
        return state_.frames;
    frame = std::max(frame, history_.front().frames);
    const auto held = std::prev(std::find_if(history_.begin(), history_.end(),
                                             [frame](const State& s) { return s.frames > frame; }));
    // Back to the start of the render that held `frame`, then forward to it again; what ends
    // on the way was reported the first time.
    state_ = *held;
    history_.erase(held, history_.end());
    if (frame > state_.frames) {
        std::vector<std::int16_t> skipped((frame - state_.frames) *
                                          static_cast<std::uint64_t>(channels_));
        std::vector<Ended> reported;
        Render(skipped, reported);
    }
    assert(state_.frames == frame);
    return frame;
}

void SoundMixer::Render(std::span<std::int16_t> out, std::vector<Ended>& ended) {
    if (rewindFrames_ > 0) {
        history_.push_back(state_);
        while (history_.size() > 1 && history_[1].frames + rewindFrames_ <= state_.frames)
            history_.pop_front();
    }
    Voice& current = state_.current;
    const std::size_t frames = out.size() / static_cast<std::size_t>(channels_);
    std::int16_t* o = out.data();
    for (std::size_t f = 0; f < frames; ++f) {
        if (!current.samples) {
            std::fill(o, o + channels_, std::int16_t{0});
            o += channels_;
            ++state_.silentFrames;
            continue;
        }
        state_.silentFrames = 0;
        const std::vector<std::int16_t>& s = *current.samples;
        if (current.fadeLeft < 0) {
            std::copy_n(s.data() + current.position, channels_, o);
        } else {
            // A raised-cosine ramp: no corner where it starts, none where it reaches zero.
            const double x = static_cast<double>(fadeFrames_ - current.fadeLeft + 1) /
                             static_cast<double>(fadeFrames_ + 1);
            const double gain = 0.5 * (1 + std::cos(std::numbers::pi * x));
            for (int c = 0; c < channels_; ++c)
                o[c] = static_cast<std::int16_t>(std::lround(s[current.position + c] * gain));
            --current.fadeLeft;
        }
        o += channels_;
        current.position += static_cast<std::size_t>(channels_);
        const bool atEnd = current.position + static_cast<std::size_t>(channels_) > s.size();
        if (current.fadeLeft == 0 || atEnd) {
            ended.push_back({current.id, state_.frames + f + 1});
            current = Voice{};
            StartNext();
        }
    }
    std::fill(o, out.data() + out.size(), std::int16_t{0});
    state_.frames += frames;
}

} // namespace dd
