// Records a sound server's source and finds the game's sounds in a recording.
//
//   record_sound record SOURCE OUT.wav SECONDS RATE CHANNELS [FRAGMENT_MS]
//     records 16-bit samples until SECONDS have passed or SIGTERM/SIGINT, in fragments of
//     FRAGMENT_MS (10 by default: the finer, the better the reads date the samples). Prints
//     "recording" once it runs steadily, and at the end a line "read <frames> <ns>" for every read:
//     the frames recorded by then and the monotonic time at which the server handed over the last.
//   record_sound find REC.wav DATA_FOLDER [READS TRACE]
//     finds every stretch of the four sounds in the recording (it must have their format, so
//     the samples can be compared one by one) and prints one line for each:
//       sound INDEX START_S END_S whole|faded|cut   or   unknown|partial START_S END_S
//     With the recorder's reads and a player trace (lines "<ns> play|stop|end <index>")
//     it also prints, for every play, "play INDEX T_S latency MS", "... swallowed", or
//     "... stopped-at-once" when the rules stopped it in the tick that started it,
//     for every reported end "end INDEX T_S late MS", and a summary line.

#include "platform/io/AtomicFile.h"
#include "platform/io/WaveFile.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <pulse/error.h>
#include <pulse/simple.h>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using dd::WaveData;

volatile std::sig_atomic_t stopRequested = 0;

std::int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int Record(const char* source, const char* out, double seconds, int rate, int channels,
           int fragmentMs) {
    std::signal(SIGTERM, [](int) { stopRequested = 1; });
    std::signal(SIGINT, [](int) { stopRequested = 1; });
    const pa_sample_spec spec{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(rate),
                              static_cast<std::uint8_t>(channels)};
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.fragsize = static_cast<std::uint32_t>(pa_usec_to_bytes(fragmentMs * 1000, &spec));
    int error = 0;
    pa_simple* s = pa_simple_new(nullptr, "record_sound", PA_STREAM_RECORD, source, "recording",
                                 &spec, nullptr, &attr, &error);
    if (!s) {
        std::fprintf(stderr, "record_sound: %s\n", pa_strerror(error));
        return 1;
    }
    WaveData wave{rate, channels, 16, {}};
    const std::size_t chunk = static_cast<std::size_t>(rate / 100 * channels);
    const auto total =
        static_cast<std::size_t>(seconds * rate) * static_cast<std::size_t>(channels);
    // Until the server has settled on its latency it hands over what it has in bursts.
    const auto settled = static_cast<std::size_t>(rate / 2 * channels);
    std::vector<std::pair<std::int64_t, std::int64_t>> reads; // frames so far, when handed over
    while (wave.samples.size() < total && !stopRequested) {
        std::vector<std::int16_t> buffer(chunk);
        if (pa_simple_read(s, buffer.data(), buffer.size() * 2, &error) < 0)
            break;
        const std::int64_t now = NowNs();
        wave.samples.insert(wave.samples.end(), buffer.begin(), buffer.end());
        if (wave.samples.size() < settled)
            continue;
        if (reads.empty()) {
            std::printf("recording\n");
            std::fflush(stdout);
        }
        const pa_usec_t latency = pa_simple_get_latency(s, &error);
        reads.emplace_back(static_cast<std::int64_t>(wave.samples.size()) / channels,
                           now - static_cast<std::int64_t>(latency) * 1000);
    }
    pa_simple_free(s);
    const std::vector<std::uint8_t> bytes = dd::WriteWave(wave);
    dd::ReplaceFileAtomically(
        out, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), 0644);
    for (const auto& [frames, ns] : reads)
        std::printf("read %lld %lld\n", static_cast<long long>(frames), static_cast<long long>(ns));
    return 0;
}

WaveData Load(const std::string& path) {
    const std::string bytes = dd::ReadWholeFile(path);
    return dd::ReadWave(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

// Mono view of a wave: the first channel.
std::vector<int> Mono(const WaveData& w) {
    std::vector<int> m;
    for (std::size_t i = 0; i < w.samples.size(); i += static_cast<std::size_t>(w.channels))
        m.push_back(w.samples[i]);
    return m;
}

struct Stretch {
    int index; // -1: unknown
    std::size_t start, end;
    std::string how;
};

constexpr int kTolerance = 2;
constexpr int kOnset = 300;     // about -40 dBFS
constexpr int kQuiet = 40;      // what counts as silence after a fade
constexpr int kStartMatch = 64; // samples that must match from a sound's first one

// Whether the recording from `at` matches the sound from `from` for `n` samples.
bool Fits(const std::vector<int>& x, std::size_t at, const std::vector<int>& r, std::size_t from,
          std::size_t n) {
    if (from + n > r.size() || at + n > x.size())
        return false;
    for (std::size_t j = 0; j < n; ++j)
        if (std::abs(x[at + j] - r[from + j]) > kTolerance)
            return false;
    return true;
}

std::vector<Stretch> Find(const std::vector<int>& x, const std::array<std::vector<int>, 4>& refs,
                          int rate, int& slips) {
    std::array<std::size_t, 4> onset{};
    for (std::size_t k = 0; k < 4; ++k)
        onset[k] =
            static_cast<std::size_t>(std::find_if(refs[k].begin(), refs[k].end(),
                                                  [](int v) { return std::abs(v) > kOnset; }) -
                                     refs[k].begin());
    const auto quietRun = static_cast<std::size_t>(rate / 500); // 2 ms
    const auto shortestFade = static_cast<std::size_t>(rate / 1000);
    const auto longestFade = static_cast<std::size_t>(rate / 50);
    std::vector<Stretch> found;
    std::size_t p = 0;
    while (true) {
        while (p < x.size() && std::abs(x[p]) <= kOnset)
            ++p;
        if (p >= x.size())
            break;
        bool matched = false;
        for (int k = 0; k < 4 && !matched; ++k) {
            const std::vector<int>& r = refs[static_cast<std::size_t>(k)];
            if (onset[k] >= r.size() || p < onset[k])
                continue;
            std::size_t s = p - onset[k];
            std::size_t i = 0;
            auto follow = [&] {
                while (i < r.size() && s + i < x.size() && std::abs(x[s + i] - r[i]) <= kTolerance)
                    ++i;
            };
            follow();
            if (i < std::min<std::size_t>(kStartMatch + onset[k], r.size()))
                continue;
            matched = true;
            // A server that matches clocks by resampling now and then repeats or skips a
            // sample; the sound goes on whole, a sample later or earlier.
            int stretchSlips = 0;
            while (i < r.size() && s + i < x.size() && stretchSlips < 100) {
                auto fits = [&](std::size_t at, std::size_t from) {
                    return Fits(x, at, r, from, 32);
                };
                bool slipped = false;
                for (std::size_t d = 1; d <= 2 && !slipped; ++d) {
                    if (fits(s + i + d, i)) {
                        s += d;
                        slipped = true;
                    } else if (fits(s + i, i + d)) {
                        s -= d;
                        i += d;
                        slipped = true;
                    }
                }
                if (!slipped)
                    break;
                ++stretchSlips;
                follow();
            }
            slips += stretchSlips;
            if (i == r.size()) {
                found.push_back({k, s, s + i, "whole"});
                p = s + i;
                continue;
            }
            if (s + i >= x.size()) {
                found.push_back({k, s, s + i, "recording-ends"});
                p = x.size();
                continue;
            }
            // Stopping where the sound is near silence anyway is no click, even where the next
            // sound follows at once: a fade of near silence looks like the sound going on.
            const std::size_t stop = s + i;
            if (std::all_of(x.begin() + static_cast<std::ptrdiff_t>(stop - std::min(i, quietRun)),
                            x.begin() + static_cast<std::ptrdiff_t>(stop),
                            [](int v) { return std::abs(v) <= kQuiet; })) {
                found.push_back({k, s, stop, "faded"});
                p = stop;
                continue;
            }
            // Otherwise it must die away over a millisecond or more and never exceed the sound
            // itself; a sound cut off drops to silence at once.
            std::size_t e = stop;
            std::size_t quiet = 0;
            bool bounded = true;
            while (e < x.size() && quiet < quietRun && e - stop < longestFade) {
                const std::size_t j = e - s;
                // Within the couple of samples a slip may shift it.
                int ref = 0;
                for (std::size_t m = j >= 2 ? j - 2 : 0; m <= j + 2 && m < r.size(); ++m)
                    ref = std::max(ref, std::abs(r[m]));
                bounded = bounded && std::abs(x[e]) <= ref + kTolerance;
                quiet = std::abs(x[e]) <= kQuiet ? quiet + 1 : 0;
                ++e;
            }
            const std::size_t fadeEnd = e - quiet;
            const bool faded = bounded && quiet >= quietRun &&
                               (fadeEnd - stop >= shortestFade || std::abs(x[stop - 1]) <= kQuiet);
            found.push_back({k, s, fadeEnd, faded ? "faded" : "cut"});
            p = fadeEnd;
        }
        if (!matched) {
            std::size_t e = p;
            std::size_t quiet = 0;
            while (e < x.size() && quiet < static_cast<std::size_t>(rate / 50)) {
                quiet = std::abs(x[e]) <= kOnset ? quiet + 1 : 0;
                ++e;
            }
            // What plays as the recording starts cannot be matched from its first sample, nor
            // can its pieces after a quiet spell: they lie in a sound as far from its start as
            // the recording's start, or further.
            const bool begunBefore = std::ranges::any_of(refs, [&](const std::vector<int>& r) {
                for (std::size_t o = p; o + kStartMatch <= r.size(); ++o)
                    if (Fits(x, p, r, o, kStartMatch))
                        return true;
                return false;
            });
            found.push_back({-1, p, e - quiet, begunBefore ? "partial" : "unknown"});
            p = e;
        }
    }
    return found;
}

struct Event {
    std::int64_t ns;
    std::string what;
    int index;
};

double Percentile(std::vector<double> v, double q) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(std::lround(q * static_cast<double>(v.size() - 1)))];
}

int FindSounds(int argc, char** argv) {
    const WaveData rec = Load(argv[2]);
    const std::string data = argv[3];
    const std::array<const char*, 4> files = {"klapper.wav", "knerp.wav", "ratel.wav",
                                              "waterlp.wav"};
    std::array<std::vector<int>, 4> refs;
    for (std::size_t k = 0; k < 4; ++k) {
        const WaveData w = Load(data + "/" + files[k]);
        if (w.sampleRate != rec.sampleRate) {
            std::fprintf(stderr, "record_sound: %s is not at the recording's rate\n", files[k]);
            return 1;
        }
        refs[k] = Mono(w);
    }
    const int rate = rec.sampleRate;
    int slips = 0;
    const std::vector<Stretch> found = Find(Mono(rec), refs, rate, slips);
    auto seconds = [&](std::size_t frame) { return static_cast<double>(frame) / rate; };
    int cuts = 0, unknown = 0;
    double longestSilence = 0;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const Stretch& f = found[i];
        if (f.index < 0)
            std::printf("%s %.4f %.4f\n", f.how.c_str(), seconds(f.start), seconds(f.end));
        else
            std::printf("sound %d %.4f %.4f %s\n", f.index, seconds(f.start), seconds(f.end),
                        f.how.c_str());
        cuts += f.how == "cut";
        unknown += f.how == "unknown";
        if (i > 0)
            longestSilence = std::max(longestSilence, seconds(f.start) - seconds(found[i - 1].end));
    }
    if (argc < 6) {
        std::printf("summary clicks %d unknown %d slips %d longest_silence_s %.2f\n", cuts, unknown,
                    slips, longestSilence);
        return 0;
    }
    std::vector<std::pair<std::int64_t, std::int64_t>> reads;
    std::ifstream times(argv[4]);
    for (std::string line; std::getline(times, line);) {
        std::istringstream in(line);
        std::string word;
        long long frames = 0, ns = 0;
        if (in >> word >> frames >> ns && word == "read")
            reads.emplace_back(frames, ns);
    }
    if (reads.empty()) {
        std::fprintf(stderr, "record_sound: no reads in %s\n", argv[4]);
        return 1;
    }
    std::vector<Event> events;
    std::ifstream trace(argv[5]);
    for (std::string line; std::getline(trace, line);) {
        std::istringstream in(line);
        Event e;
        if (in >> e.ns >> e.what >> e.index)
            events.push_back(e);
    }
    // A frame was handed over no later than any read in the half second after it dates it,
    // less the frames in between; delays in reading only make a date later, so the earliest
    // is the best. Dating each frame from the reads near it follows any drift of the clocks.
    auto frameNs = [&](std::size_t frame) {
        const auto n = static_cast<std::int64_t>(frame);
        auto it = std::lower_bound(reads.begin(), reads.end(), std::pair{n, INT64_MIN});
        if (it == reads.end())
            --it;
        std::int64_t best = it->second - (it->first - n) * 1'000'000'000 / rate;
        for (; it != reads.end() && it->first <= n + rate / 2; ++it)
            best = std::min(best, it->second - (it->first - n) * 1'000'000'000 / rate);
        return best;
    };
    const std::int64_t start = frameNs(0);
    const std::int64_t recordingEnd = frameNs(
        static_cast<std::size_t>(rec.samples.size() / static_cast<std::size_t>(rec.channels)));
    std::vector<double> latencies, cutLatencies, endLate, stopLate;
    std::vector<bool> used(found.size(), false);
    int plays = 0, swallowed = 0, stoppedAtOnce = 0;
    std::vector<std::size_t> heardOf(events.size(), found.size());
    for (std::size_t e = 0; e < events.size(); ++e) {
        const Event& ev = events[e];
        // Plays too close to either end of the recording cannot be judged.
        if (ev.what != "play" || ev.ns < start || ev.ns > recordingEnd - 1'000'000'000)
            continue;
        const double t = static_cast<double>(ev.ns - start) / 1e9;
        // The rules may stop a sound in the tick that started it; then nothing sounds.
        const auto next =
            std::find_if(events.begin() + static_cast<std::ptrdiff_t>(e) + 1, events.end(),
                         [&](const Event& n) { return n.index == ev.index; });
        if (next != events.end() && next->what == "stop" && next->ns - ev.ns < 20'000'000) {
            ++stoppedAtOnce;
            std::printf("play %d %.4f stopped-at-once\n", ev.index, t);
            continue;
        }
        ++plays;
        for (std::size_t i = 0; i < found.size(); ++i) {
            const std::int64_t at = frameNs(found[i].start);
            // The recording's clock is good to about one block of the sink, so a sound may
            // seem to start a little before its play.
            if (!used[i] && found[i].index == ev.index && at > ev.ns - 30'000'000 &&
                at < ev.ns + 1'000'000'000) {
                used[i] = true;
                heardOf[e] = i;
                latencies.push_back(static_cast<double>(at - ev.ns) / 1e6);
                // A play while another sound is heard cuts it.
                const bool cutting = i > 0 && frameNs(found[i - 1].end) > ev.ns;
                if (cutting)
                    cutLatencies.push_back(latencies.back());
                std::printf("play %d %.4f latency %.1f%s\n", ev.index, t, latencies.back(),
                            cutting ? " cutting" : "");
                break;
            }
        }
        if (heardOf[e] == found.size()) {
            ++swallowed;
            std::printf("play %d %.4f swallowed\n", ev.index, t);
        }
    }
    // The end of a play is due when its last sample is heard, or at its stop.
    for (std::size_t e = 0; e < events.size(); ++e) {
        if (events[e].what != "play" || heardOf[e] == found.size())
            continue;
        for (std::size_t n = e + 1; n < events.size(); ++n) {
            if (events[n].index != events[e].index)
                continue;
            if (events[n].what == "play")
                break;
            if (events[n].what == "stop") {
                for (std::size_t m = n + 1; m < events.size(); ++m)
                    if (events[m].index == events[n].index && events[m].what != "stop") {
                        if (events[m].what == "end")
                            stopLate.push_back(static_cast<double>(events[m].ns - events[n].ns) /
                                               1e6);
                        break;
                    }
                break;
            }
            if (events[n].what == "end") {
                const double late =
                    static_cast<double>(events[n].ns - frameNs(found[heardOf[e]].end)) / 1e6;
                endLate.push_back(late);
                std::printf("end %d %.4f late %.1f\n", events[n].index,
                            static_cast<double>(events[n].ns - start) / 1e9, late);
                break;
            }
        }
    }
    auto most = [](const std::vector<double>& v) {
        return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
    };
    std::printf("summary plays %d swallowed %d stopped_at_once %d latency_median_ms %.1f "
                "latency_p95_ms %.1f cut_latency_median_ms %.1f cut_latency_p95_ms %.1f "
                "end_late_max_ms %.1f end_after_stop_max_ms %.1f clicks %d unknown %d slips %d "
                "longest_silence_s %.2f\n",
                plays, swallowed, stoppedAtOnce, Percentile(latencies, 0.5),
                Percentile(latencies, 0.95), Percentile(cutLatencies, 0.5),
                Percentile(cutLatencies, 0.95), most(endLate), most(stopLate), cuts, unknown, slips,
                longestSilence);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "record" && (argc == 7 || argc == 8))
            return Record(argv[2], argv[3], std::atof(argv[4]), std::atoi(argv[5]),
                          std::atoi(argv[6]), argc == 8 ? std::atoi(argv[7]) : 10);
        if (command == "find" && (argc == 4 || argc == 6))
            return FindSounds(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "record_sound: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: record_sound record SOURCE OUT.wav SECONDS RATE CHANNELS "
                         "[FRAGMENT_MS]\n"
                         "       record_sound find REC.wav DATA_FOLDER [READS TRACE]\n");
    return 2;
}
