#pragma once

#include "platform/pulse/SoundMixer.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;
struct pa_time_event;

namespace dd {

// A sound stream on the sound server's own client library (libpulse, which PipeWire's pulse
// server speaks as well); a program's players share one (SharedAudioOutput). It stays open
// while they hold it and is fed from a SoundMixer on the library's thread; while nothing has
// played for a while it is corked, so an idle saver costs nothing.
class AudioOutput {
public:
    struct Format {
        int rate = 0;
        int channels = 0;
    };
    // Runs on the audio thread, with the time until the play's last sample is heard.
    using EndedFn = std::function<void(std::chrono::microseconds untilHeard)>;

    // Throws when no sound server answers or it refuses the stream.
    explicit AudioOutput(Format format);
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    Format StreamFormat() const { return format_; }

    // Starts a play after the one playing has faded; returns its id. A play, and a stop, take
    // effect in what the server already holds rather than after it.
    std::uint64_t Play(SoundMixer::Samples samples, EndedFn ended);
    // Fades the play out; its end is not reported.
    void Stop(std::uint64_t id);
    // Forgets the play at once; its end is not reported.
    void Drop(std::uint64_t id);

private:
    void Connect();
    void Close();
    // Makes `change` to the mixer take effect in what the server holds, as soon as it can.
    void Change(const std::function<void()>& change);
    std::uint64_t RewritableFrames() const;
    // Renders `frames` and writes them `seek` bytes from the stream's write index.
    void Write(std::size_t frames, std::int64_t seek);
    void Report();
    static void OnWritable(pa_stream* stream, std::size_t bytes, void* self);

    Format format_;
    std::chrono::microseconds buffer_;
    SoundMixer mixer_;
    std::map<std::uint64_t, EndedFn> ended_;
    // Ends rendered but not yet reported. They are reported once the library has sent what was
    // written: it sends on its next turn, and a report that waits for the user interface must
    // not hold the samples back.
    std::vector<SoundMixer::Ended> unreported_;
    pa_time_event* reportEvent_ = nullptr;
    std::uint64_t lastId_ = 0;
    bool corked_ = true;
    bool flushed_ = false; // until the server asks for more after a flush
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
};

// With DRAVELIN_SOUND_TRACE set to a file name, writes a line "<monotonic ns> <what> <index>"
// there, for scripts/measure-sound.sh to set against a recording of the sound server.
void SoundTrace(const char* what, int index);

} // namespace dd
