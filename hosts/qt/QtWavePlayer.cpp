#include "hosts/qt/QtWavePlayer.h"

#include "platform/io/AtomicFile.h"
#include "platform/io/DataFile.h"
#include "platform/io/WaveFile.h"

#include <QMetaObject>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace dd {
namespace {

// The sound in the stream's format: channels copied or averaged, the rate converted linearly.
std::vector<std::int16_t> Converted(const WaveData& wave, AudioOutput::Format to) {
    const std::size_t inFrames = wave.samples.size() / static_cast<std::size_t>(wave.channels);
    auto at = [&](std::size_t frame, int channel) {
        if (wave.channels == to.channels)
            return static_cast<double>(wave.samples[frame * wave.channels + channel]);
        if (wave.channels == 1)
            return static_cast<double>(wave.samples[frame]);
        double sum = 0;
        for (int c = 0; c < wave.channels; ++c)
            sum += wave.samples[frame * wave.channels + c];
        return sum / wave.channels;
    };
    const double step = static_cast<double>(wave.sampleRate) / to.rate;
    const auto outFrames = inFrames == 0 ? 0 : static_cast<std::size_t>((inFrames - 1) / step) + 1;
    std::vector<std::int16_t> out(outFrames * static_cast<std::size_t>(to.channels));
    for (std::size_t f = 0; f < outFrames; ++f) {
        const double x = static_cast<double>(f) * step;
        const auto i = std::min(static_cast<std::size_t>(x), inFrames - 1);
        const std::size_t j = std::min(i + 1, inFrames - 1);
        const double w = x - static_cast<double>(i);
        for (int c = 0; c < to.channels; ++c)
            out[f * to.channels + c] =
                static_cast<std::int16_t>(std::lround((1 - w) * at(i, c) + w * at(j, c)));
    }
    return out;
}

} // namespace

QtWavePlayer::QtWavePlayer(SharedAudioOutput& output) : shared_(output) {}

QtWavePlayer::~QtWavePlayer() {
    // After this no end of ours runs on the audio thread; queued ones die with the object.
    if (output_ && play_)
        output_->Drop(play_);
}

void QtWavePlayer::Open(const std::string& fileName) {
    std::string bytes;
    try {
        bytes = ReadWholeFile(ResolveDataFile(fileName));
    } catch (const std::system_error& e) {
        throw EWaveDevice(e.what());
    }
    const WaveData wave =
        ReadWave(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    if (wave.samples.empty())
        throw EWaveDevice("an empty sound: " + fileName);
    auto output = shared_.Get({wave.sampleRate, wave.channels});
    const AudioOutput::Format format = output->StreamFormat();
    samples_ = std::make_shared<const std::vector<std::int16_t>>(
        format.rate == wave.sampleRate && format.channels == wave.channels
            ? wave.samples
            : Converted(wave, format));
    output_ = std::move(output);
}

void QtWavePlayer::Play() {
    if (!output_)
        return;
    if (playing_)
        Stop();
    SoundTrace("play", Tag);
    playing_ = true;
    const std::uint64_t generation = ++generation_;
    // Started when the game's tick is over: a sound that the same tick cuts again never sounds.
    QMetaObject::invokeMethod(
        this, [this, generation] { Start(generation); }, Qt::QueuedConnection);
}

void QtWavePlayer::Start(std::uint64_t generation) {
    if (generation != generation_)
        return;
    play_ = output_->Play(samples_, [this, generation](std::chrono::microseconds untilHeard) {
        // On the audio thread: hand over to the user-interface thread.
        QMetaObject::invokeMethod(
            this, [this, generation, untilHeard] { Ended(generation, untilHeard); },
            Qt::QueuedConnection);
    });
}

void QtWavePlayer::Stop() {
    if (!output_ || !playing_)
        return;
    SoundTrace("stop", Tag);
    if (play_)
        output_->Stop(play_);
    play_ = 0;
    playing_ = false;
    const std::uint64_t generation = ++generation_;
    // The fade takes a few milliseconds; the game may go on at once.
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation == generation_)
                Notify();
        },
        Qt::QueuedConnection);
}

void QtWavePlayer::Ended(std::uint64_t generation, std::chrono::microseconds untilHeard) {
    const auto ms = static_cast<int>((untilHeard.count() + 999) / 1000);
    QTimer::singleShot(ms, Qt::PreciseTimer, this, [this, generation] {
        if (generation != generation_)
            return;
        play_ = 0;
        playing_ = false;
        Notify();
    });
}

void QtWavePlayer::Notify() {
    SoundTrace("end", Tag);
    if (OnNotify)
        OnNotify(*this);
}

} // namespace dd
