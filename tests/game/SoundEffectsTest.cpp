#include "game/SoundEffects.h"

#include "tests/support/FakeWavePlayer.h"

#include <gtest/gtest.h>
#include <utility>

namespace dd {
namespace {

using test::FakeWavePlayer;
using Log = std::vector<std::string>;

struct Sounds {
    explicit Sounds(bool firstOpens = true) {
        TSoundEffects::Players players;
        for (int i = 0; i < 4; ++i) {
            auto p = std::make_unique<FakeWavePlayer>(i, log, i != 0 || firstOpens);
            fakes[static_cast<std::size_t>(i)] = p.get();
            players[static_cast<std::size_t>(i)] = std::move(p);
        }
        effects = std::make_unique<TSoundEffects>(std::move(players), soundOn);
        effects->OpenSounds("");
        opened = std::exchange(log, {});
    }
    Log log, opened;
    bool soundOn = true;
    std::array<FakeWavePlayer*, 4> fakes{};
    std::unique_ptr<TSoundEffects> effects;
};

TEST(SoundEffects, OpensTheFourFilesFromTheDataFolderInOrder) {
    const Sounds s;
    EXPECT_EQ(s.opened, (Log{"open 0 klapper.wav", "open 1 knerp.wav", "open 2 ratel.wav",
                             "open 3 waterlp.wav"}));
    EXPECT_EQ(s.effects->Player(Sound::Water).Tag, 3);
    EXPECT_FALSE(s.effects->SoundUnavailable);
}

TEST(SoundEffects, WhenTheFirstPlayerFailsTheRunIsSilent) {
    Sounds s(false);
    EXPECT_TRUE(s.effects->SoundUnavailable);
    s.effects->PlaySound(Sound::Winch, true);
    EXPECT_TRUE(s.log.empty()) << "no other player was opened and nothing plays";
    EXPECT_EQ(s.effects->CurrentSound, kNoSound);
}

TEST(SoundEffects, UnforcedSoundsPlayOnlyIntoSilenceAndForcedOnesCutIn) {
    Sounds s;
    s.effects->PlaySound(Sound::Water, false);
    s.effects->PlaySound(Sound::Creak, false);
    EXPECT_EQ(s.effects->CurrentSound, 3);
    s.effects->PlaySound(Sound::Water, true);
    EXPECT_EQ(s.log, (Log{"play 3"})) << "the playing sound is never restarted";
    s.effects->PlaySound(Sound::Winch, true);
    EXPECT_EQ(s.log, (Log{"play 3", "stop 3", "play 2"}));
    EXPECT_EQ(s.effects->CurrentSound, 2);
    s.fakes[3]->Finish(); // the late end of the water sound
    EXPECT_EQ(s.effects->CurrentSound, 2);
    s.fakes[2]->Finish();
    EXPECT_EQ(s.effects->CurrentSound, kNoSound);
}

TEST(SoundEffects, TheSwitchSilencesPlaysButStopStillStops) {
    Sounds s;
    s.effects->PlaySound(Sound::Creak, false);
    s.soundOn = false;
    s.effects->PlaySound(Sound::Flapping, true);
    s.effects->StopSound();
    EXPECT_EQ(s.log, (Log{"play 1", "stop 1"}));
    EXPECT_EQ(s.effects->CurrentSound, 1) << "left to the notification";
    s.fakes[1]->Finish();
    EXPECT_EQ(s.effects->CurrentSound, kNoSound);
}

TEST(SoundEffects, TheFlappingSoundStopsAtOnceAndOnlyItself) {
    Sounds s;
    s.effects->PlaySound(Sound::Water, false);
    s.effects->StopFlapSound();
    EXPECT_EQ(s.effects->CurrentSound, 3);
    s.effects->PlaySound(Sound::Flapping, true);
    s.effects->StopFlapSound();
    EXPECT_EQ(s.effects->CurrentSound, kNoSound);
    EXPECT_EQ(s.log, (Log{"play 3", "stop 3", "play 0", "stop 0"}));
}

} // namespace
} // namespace dd
