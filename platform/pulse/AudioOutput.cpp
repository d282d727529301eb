#include "platform/pulse/AudioOutput.h"

#include "platform/io/WavePlayer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <pulse/pulseaudio.h>
#include <stdexcept>
#include <utility>
#include <vector>

namespace dd {
namespace {

using std::chrono::microseconds;

// What the server holds ahead of what is heard: the margin against running dry while the
// process waits for the processor on a busy machine. Chosen by scripts/measure-sound.sh;
// DRAVELIN_SOUND_BUFFER_MS overrides it for such measurements.
constexpr microseconds kBuffer{150'000};
// A change is written over what the server holds from this far beyond what its sink has taken:
// the time the rewritten samples take to reach it on a busy machine. Rewritten samples that
// come too late are not played, and a fade that starts in them is lost.
constexpr microseconds kRewriteLead{50'000};
constexpr microseconds kFade{6'000};
// Silence written after the last sound before the stream is corked.
constexpr microseconds kIdleBeforeCork{1'500'000};
constexpr pa_usec_t kConnectTimeout = 3'000'000;

std::size_t Frames(microseconds t, int rate) {
    return static_cast<std::size_t>(t.count() * rate / 1'000'000);
}

microseconds BufferTime() {
    const char* ms = std::getenv("DRAVELIN_SOUND_BUFFER_MS");
    const int value = ms ? std::atoi(ms) : 0;
    return value >= 20 && value <= 2000 ? microseconds(value * 1000) : kBuffer;
}

struct Wait {
    pa_threaded_mainloop* loop;
    bool timedOut = false;
};

void Signal(pa_threaded_mainloop* loop) {
    pa_threaded_mainloop_signal(loop, 0);
}

} // namespace

AudioOutput::AudioOutput(Format format)
    : format_(format), buffer_(BufferTime()),
      mixer_(format.channels, static_cast<int>(Frames(kFade, format.rate)),
             Frames(buffer_, format.rate)) {
    if (format.rate < 1000 || format.channels < 1 || format.channels > 2)
        throw EWaveDevice("unplayable sound format");
    try {
        Connect();
    } catch (...) {
        Close();
        throw;
    }
}

AudioOutput::~AudioOutput() {
    Close();
}

void AudioOutput::Connect() {
    loop_ = pa_threaded_mainloop_new();
    if (!loop_)
        throw EWaveDevice("no sound server");
    pa_proplist* props = pa_proplist_new();
    pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, "Dravelin Didazi");
    pa_proplist_sets(props, PA_PROP_APPLICATION_ICON_NAME, "dravelin-didazi");
    pa_proplist_sets(props, PA_PROP_MEDIA_ROLE, "game");
    context_ =
        pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop_), "Dravelin Didazi", props);
    if (!context_) {
        pa_proplist_free(props);
        throw EWaveDevice("no sound server");
    }
    pa_context_set_state_callback(
        context_, [](pa_context*, void* loop) { Signal(static_cast<pa_threaded_mainloop*>(loop)); },
        loop_);
    // Never start a server of our own: without one the game is silent.
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pa_threaded_mainloop_start(loop_) < 0) {
        pa_proplist_free(props);
        throw EWaveDevice("no sound server");
    }
    pa_threaded_mainloop_lock(loop_);
    Wait wait{loop_};
    pa_time_event* deadline = pa_context_rttime_new(
        context_, pa_rtclock_now() + kConnectTimeout,
        [](pa_mainloop_api*, pa_time_event*, const timeval*, void* w) {
            auto* waiting = static_cast<Wait*>(w);
            waiting->timedOut = true;
            Signal(waiting->loop);
        },
        &wait);
    auto waitFor = [&](auto ready, auto failed) {
        while (!ready() && !failed() && !wait.timedOut)
            pa_threaded_mainloop_wait(loop_);
        return ready();
    };
    bool ok = waitFor([&] { return pa_context_get_state(context_) == PA_CONTEXT_READY; },
                      [&] { return !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)); });
    if (ok) {
        const pa_sample_spec spec{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(format_.rate),
                                  static_cast<std::uint8_t>(format_.channels)};
        const auto bytes = [&](microseconds t) {
            return static_cast<std::uint32_t>(pa_usec_to_bytes(t.count(), &spec));
        };
        stream_ = pa_stream_new_with_proplist(context_, "Sound effects", &spec, nullptr, props);
        ok = stream_ != nullptr;
        if (ok) {
            pa_stream_set_state_callback(
                stream_,
                [](pa_stream*, void* loop) { Signal(static_cast<pa_threaded_mainloop*>(loop)); },
                loop_);
            pa_stream_set_write_callback(stream_, &AudioOutput::OnWritable, this);
            pa_stream_set_underflow_callback(
                stream_,
                [](pa_stream*, void* self) {
                    // Emptying the stream to start a sound at once is no shortage.
                    auto* output = static_cast<AudioOutput*>(self);
                    if (!std::exchange(output->flushed_, false))
                        SoundTrace("underflow", -1);
                },
                this);
            // Requests of a third of the buffer: PulseAudio keeps a sixth of it in its sink, the
            // delay of a sound into silence. PipeWire asks for cycles of a sixth and runs its
            // graph in the power of two of samples below that: 512 at 22,050 Hz, 23 ms. Shorter
            // cycles now and then lose one on a busy machine, a hole in a sound.
            const pa_buffer_attr attr{static_cast<std::uint32_t>(-1), bytes(buffer_),
                                      static_cast<std::uint32_t>(-1), bytes(buffer_ / 3),
                                      static_cast<std::uint32_t>(-1)};
            const auto flags = static_cast<pa_stream_flags_t>(
                PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY | PA_STREAM_INTERPOLATE_TIMING |
                PA_STREAM_AUTO_TIMING_UPDATE);
            ok =
                pa_stream_connect_playback(stream_, nullptr, &attr, flags, nullptr, nullptr) == 0 &&
                waitFor([&] { return pa_stream_get_state(stream_) == PA_STREAM_READY; },
                        [&] { return !PA_STREAM_IS_GOOD(pa_stream_get_state(stream_)); });
            // Timed events wait while the library has deferred work such as sending, so one
            // due at once runs after what was written has gone out.
            reportEvent_ = pa_context_rttime_new(
                context_, PA_USEC_INVALID,
                [](pa_mainloop_api*, pa_time_event*, const timeval*, void* self) {
                    static_cast<AudioOutput*>(self)->Report();
                },
                this);
            ok = ok && reportEvent_;
        }
    }
    if (deadline)
        pa_threaded_mainloop_get_api(loop_)->time_free(deadline);
    pa_threaded_mainloop_unlock(loop_);
    pa_proplist_free(props);
    if (!ok)
        throw EWaveDevice("no sound server");
}

void AudioOutput::Close() {
    if (!loop_)
        return;
    pa_threaded_mainloop_lock(loop_);
    if (reportEvent_) {
        pa_threaded_mainloop_get_api(loop_)->time_free(reportEvent_);
        reportEvent_ = nullptr;
    }
    if (stream_) {
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        pa_stream_set_underflow_callback(stream_, nullptr, nullptr);
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    if (context_) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    pa_threaded_mainloop_unlock(loop_);
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
    loop_ = nullptr;
}

std::uint64_t AudioOutput::Play(SoundMixer::Samples samples, EndedFn ended) {
    pa_threaded_mainloop_lock(loop_);
    const std::uint64_t id = ++lastId_;
    ended_[id] = std::move(ended);
    if (corked_ || (mixer_.Idle() && mixer_.SilentFrames() >= Frames(buffer_, format_.rate))) {
        // All the server holds is silence: drop it, and the sound starts at once.
        mixer_.Play(id, std::move(samples));
        for (pa_operation* op : {pa_stream_flush(stream_, nullptr, nullptr),
                                 corked_ ? pa_stream_cork(stream_, 0, nullptr, nullptr) : nullptr})
            if (op)
                pa_operation_unref(op);
        corked_ = false;
        flushed_ = true;
        Write(Frames(buffer_, format_.rate), 0);
    } else {
        Change([&] { mixer_.Play(id, std::move(samples)); });
    }
    pa_threaded_mainloop_unlock(loop_);
    return id;
}

void AudioOutput::Stop(std::uint64_t id) {
    pa_threaded_mainloop_lock(loop_);
    ended_.erase(id);
    if (!corked_)
        Change([&] { mixer_.Stop(id); });
    pa_threaded_mainloop_unlock(loop_);
}

void AudioOutput::Drop(std::uint64_t id) {
    pa_threaded_mainloop_lock(loop_);
    mixer_.Drop(id);
    ended_.erase(id);
    pa_threaded_mainloop_unlock(loop_);
}

void AudioOutput::Change(const std::function<void()>& change) {
    const std::uint64_t written = mixer_.FramesRendered();
    const std::uint64_t from = mixer_.Rewind(written - std::min(written, RewritableFrames()));
    change();
    // What lay beyond `from` is rendered again, with its ends as they are now.
    std::erase_if(unreported_, [from](const SoundMixer::Ended& e) { return e.frame > from; });
    if (from < written)
        Write(static_cast<std::size_t>(written - from),
              -static_cast<std::int64_t>(pa_frame_size(pa_stream_get_sample_spec(stream_)) *
                                         (written - from)));
}

std::uint64_t AudioOutput::RewritableFrames() const {
    pa_usec_t latency = 0;
    int negative = 0;
    const pa_timing_info* timing = pa_stream_get_timing_info(stream_);
    if (!timing || pa_stream_get_latency(stream_, &latency, &negative) != 0 || negative)
        return 0;
    // What the stream holds beyond what its sink has taken can still be changed.
    const auto held = static_cast<std::int64_t>(latency) -
                      static_cast<std::int64_t>(timing->sink_usec) - kRewriteLead.count();
    return held > 0 ? Frames(microseconds(held), format_.rate) : 0;
}

void AudioOutput::OnWritable(pa_stream*, std::size_t bytes, void* self) {
    auto* output = static_cast<AudioOutput*>(self);
    output->flushed_ = false;
    if (!output->corked_ && bytes != static_cast<std::size_t>(-1))
        output->Write(bytes / pa_frame_size(pa_stream_get_sample_spec(output->stream_)), 0);
}

void AudioOutput::Write(std::size_t frames, std::int64_t seek) {
    std::vector<std::int16_t> samples(frames * static_cast<std::size_t>(format_.channels));
    std::vector<SoundMixer::Ended> ended;
    mixer_.Render(samples, ended);
    if (frames == 0 || pa_stream_write(stream_, samples.data(), samples.size() * sizeof samples[0],
                                       nullptr, seek, PA_SEEK_RELATIVE) < 0)
        return;
    if (!ended.empty()) {
        unreported_.insert(unreported_.end(), ended.begin(), ended.end());
        pa_context_rttime_restart(context_, reportEvent_, pa_rtclock_now());
    }
    // Long silence: the stream stops and forgets the silence it holds, so the next sound
    // starts at once on uncorking.
    if (mixer_.Idle() && mixer_.SilentFrames() >= Frames(kIdleBeforeCork, format_.rate)) {
        corked_ = true;
        for (pa_operation* op : {pa_stream_cork(stream_, 1, nullptr, nullptr),
                                 pa_stream_flush(stream_, nullptr, nullptr)})
            if (op)
                pa_operation_unref(op);
    }
}

void AudioOutput::Report() {
    // The last frame written is heard after the stream's latency; an end lies before it.
    pa_usec_t latency = 0;
    int negative = 0;
    microseconds lastHeard = buffer_;
    if (pa_stream_get_latency(stream_, &latency, &negative) == 0)
        lastHeard = microseconds(negative ? 0 : static_cast<std::int64_t>(latency));
    for (const SoundMixer::Ended& e : std::exchange(unreported_, {})) {
        const auto it = ended_.find(e.id);
        if (it == ended_.end())
            continue;
        const auto behind = static_cast<std::int64_t>(mixer_.FramesRendered() - e.frame);
        const microseconds after = lastHeard - microseconds(behind * 1'000'000 / format_.rate);
        EndedFn fn = std::move(it->second);
        ended_.erase(it);
        fn(std::max(after, microseconds(0)));
    }
}

void SoundTrace(const char* what, int index) {
    static std::FILE* file = [] {
        const char* name = std::getenv("DRAVELIN_SOUND_TRACE");
        std::FILE* f = name && *name ? std::fopen(name, "a") : nullptr;
        if (f)
            std::setvbuf(f, nullptr, _IOLBF, 0);
        return f;
    }();
    if (!file)
        return;
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count();
    std::fprintf(file, "%lld %s %d\n", static_cast<long long>(ns), what, index);
}

} // namespace dd
