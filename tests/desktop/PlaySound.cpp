// Plays sound effects through the program's real wave players and reports what the game sees.
//
//   play_sound DATA_FOLDER INDEX
//     prints "unavailable" when no sound can be played, else "played <ms>" once the end of the
//     play has reset CurrentSound. Exits 1 when the end is not reported within 10 s.
//   play_sound DATA_FOLDER INDEX slow-report
//     the same straight through the sound output, with an end handler that takes 200 ms, as
//     a user interface busy elsewhere may; prints "played" once it has run.
//   play_sound DATA_FOLDER sequence
//     water; an unforced creak into it (refused); a forced winch cutting the water; a creak
//     into silence; a flapping sail stopped after 0.4 s; water again. Prints what the rules did
//     and when each end was reported; exits 1 when the rules or the reports go wrong.

#include "game/SoundEffects.h"
#include "hosts/qt/QtWavePlayer.h"
#include "platform/io/AtomicFile.h"
#include "platform/io/WaveFile.h"
#include "platform/pulse/AudioOutput.h"
#include "platform/pulse/SharedAudioOutput.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <array>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

namespace {

using dd::Sound;

void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Waits up to `limitMs` for the end of the play to reach the game; returns the wait, or -1.
long long WaitForEnd(const dd::TSoundEffects& sounds, int limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (sounds.CurrentSound != dd::kNoSound) {
        if (clock.elapsed() > limitMs)
            return -1;
        Wait(2);
    }
    return clock.elapsed();
}

int Sequence(dd::TSoundEffects& sounds) {
    bool ok = true;
    auto expect = [&](bool condition, const char* what) {
        std::printf("%s %s\n", condition ? "ok" : "FAILED", what);
        ok = ok && condition;
    };
    auto ended = [&](const char* what, int limitMs) {
        const long long ms = WaitForEnd(sounds, limitMs);
        std::printf("%s %s after %lld ms\n", ms >= 0 ? "ok" : "FAILED", what, ms);
        ok = ok && ms >= 0;
    };
    sounds.PlaySound(Sound::Water, false);
    expect(sounds.CurrentSound == 3, "water plays into silence");
    Wait(500);
    sounds.PlaySound(Sound::Creak, false);
    expect(sounds.CurrentSound == 3, "an unforced creak is refused while the water plays");
    Wait(300);
    sounds.PlaySound(Sound::Winch, true);
    expect(sounds.CurrentSound == 2, "a forced winch cuts the water");
    ended("the winch's end is reported", 3000);
    Wait(300);
    sounds.PlaySound(Sound::Creak, false);
    expect(sounds.CurrentSound == 1, "a creak plays into silence");
    ended("the creak's end is reported", 3000);
    Wait(300);
    sounds.PlaySound(Sound::Flapping, true);
    expect(sounds.CurrentSound == 0, "the flapping sail plays");
    Wait(400);
    sounds.StopSound();
    ended("the stopped flapping's end is reported", 1000);
    Wait(300);
    sounds.PlaySound(Sound::Water, false);
    expect(sounds.CurrentSound == 3, "water plays again");
    ended("the water's end is reported", 3000);
    return ok ? 0 : 1;
}

int SlowReport(const std::string& folder, int index) {
    const std::array<const char*, 4> files = {"klapper.wav", "knerp.wav", "ratel.wav",
                                              "waterlp.wav"};
    const std::string bytes = dd::ReadWholeFile(folder + "/" + files.at(index));
    dd::WaveData wave =
        dd::ReadWave(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    auto output =
        std::make_shared<dd::AudioOutput>(dd::AudioOutput::Format{wave.sampleRate, wave.channels});
    std::atomic<bool> ended = false;
    output->Play(std::make_shared<const std::vector<std::int16_t>>(std::move(wave.samples)),
                 [&ended](std::chrono::microseconds untilHeard) {
                     std::this_thread::sleep_for(std::chrono::milliseconds(200) + untilHeard);
                     ended = true;
                 });
    for (int waited = 0; !ended; waited += 10) {
        if (waited > 10000) {
            std::printf("no end reported\n");
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::printf("played\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[3]) == "slow-report")
        return SlowReport(argv[1], std::stoi(argv[2]));
    if (argc != 3) {
        std::fprintf(stderr, "usage: play_sound DATA_FOLDER INDEX [slow-report]|sequence\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    bool soundOn = true;
    dd::SharedAudioOutput output;
    dd::TSoundEffects::Players players;
    for (auto& p : players)
        p = std::make_unique<dd::QtWavePlayer>(output);
    dd::TSoundEffects sounds(std::move(players), soundOn);
    sounds.OpenSounds(std::string(argv[1]) + "/");
    if (sounds.SoundUnavailable) {
        std::printf("unavailable\n");
        return 0;
    }
    if (std::string(argv[2]) == "sequence")
        return Sequence(sounds);
    QElapsedTimer clock;
    clock.start();
    sounds.PlaySound(static_cast<Sound>(std::stoi(argv[2])), true);
    const long long ms = WaitForEnd(sounds, 10000);
    if (ms < 0) {
        std::printf("no end reported\n");
        return 1;
    }
    std::printf("played %lld\n", ms);
    return 0;
}
