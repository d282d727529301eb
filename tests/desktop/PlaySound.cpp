// Plays one sound effect through the program's real wave player and reports what the game
// sees:  play_sound DATA_FOLDER INDEX
// prints "unavailable" when no sound can be played, else "played <ms>" once the end of the
// play has reset CurrentSound. Exits 1 when the end is not reported within 10 s.

#include "game/SoundEffects.h"
#include "platform/qt/QtWavePlayer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: play_sound DATA_FOLDER INDEX\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    bool soundOn = true;
    dd::TSoundEffects::Players players;
    for (auto& p : players)
        p = std::make_unique<dd::QtWavePlayer>();
    dd::TSoundEffects sounds(std::move(players), soundOn);
    sounds.OpenSounds(std::string(argv[1]) + "/");
    if (sounds.SoundUnavailable) {
        std::printf("unavailable\n");
        return 0;
    }
    QElapsedTimer clock;
    clock.start();
    sounds.PlaySound(static_cast<dd::Sound>(std::stoi(argv[2])), true);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (sounds.CurrentSound == dd::kNoSound) {
            std::printf("played %lld\n", static_cast<long long>(clock.elapsed()));
            QApplication::exit(0);
        } else if (clock.elapsed() > 10000) {
            std::printf("no end reported\n");
            QApplication::exit(1);
        }
    });
    poll.start(5);
    return QApplication::exec();
}
