#include "platform/pulse/SoundMixer.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <numeric>

namespace dd {
namespace {

constexpr int kFade = 8;

SoundMixer::Samples Ramp(int n, int from = 1000) {
    std::vector<std::int16_t> s(static_cast<std::size_t>(n));
    std::iota(s.begin(), s.end(), static_cast<std::int16_t>(from));
    return std::make_shared<const std::vector<std::int16_t>>(std::move(s));
}

SoundMixer::Samples Constant(int n, std::int16_t value) {
    return std::make_shared<const std::vector<std::int16_t>>(static_cast<std::size_t>(n), value);
}

std::vector<std::int16_t> Render(SoundMixer& mixer, int frames,
                                 std::vector<SoundMixer::Ended>* ended = nullptr) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames), 1234);
    std::vector<SoundMixer::Ended> e;
    mixer.Render(out, e);
    if (ended)
        *ended = e;
    return out;
}

TEST(SoundMixer, PlaysEverySampleThenSilenceAndReportsTheEnd) {
    SoundMixer mixer(1, kFade);
    mixer.Play(7, Ramp(50));
    std::vector<SoundMixer::Ended> ended;
    const auto first = Render(mixer, 30, &ended);
    EXPECT_TRUE(ended.empty());
    const auto second = Render(mixer, 30, &ended);
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(first[i], 1000 + i);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(second[i], 1030 + i);
    for (int i = 20; i < 30; ++i)
        EXPECT_EQ(second[i], 0);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].id, 7u);
    EXPECT_EQ(ended[0].frame, 50u);
    EXPECT_TRUE(mixer.Idle());
    EXPECT_EQ(mixer.SilentFrames(), 10u);
}

TEST(SoundMixer, StopFadesSmoothlyToSilence) {
    SoundMixer mixer(1, kFade);
    mixer.Play(1, Constant(1000, 20000));
    Render(mixer, 10);
    mixer.Stop(1);
    std::vector<SoundMixer::Ended> ended;
    const auto out = Render(mixer, 20, &ended);
    int previous = 20000;
    for (int i = 0; i < kFade; ++i) {
        EXPECT_LT(out[i], previous) << i;
        // No step larger than a quarter of the level: a fade, not a cut.
        EXPECT_LT(previous - out[i], 5000) << i;
        previous = out[i];
    }
    EXPECT_LT(previous, 1000);
    for (int i = kFade; i < 20; ++i)
        EXPECT_EQ(out[i], 0);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].frame, 10u + kFade);
}

TEST(SoundMixer, ANewSoundWaitsForTheFadeAndStartsFromItsFirstSample) {
    SoundMixer mixer(1, kFade);
    mixer.Play(1, Constant(1000, -15000));
    Render(mixer, 5);
    mixer.Play(2, Ramp(40, 100));
    std::vector<SoundMixer::Ended> ended;
    const auto out = Render(mixer, kFade + 40, &ended);
    for (int i = 0; i < kFade; ++i)
        EXPECT_LT(out[i], 0);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(out[kFade + i], 100 + i);
    ASSERT_EQ(ended.size(), 2u);
    EXPECT_EQ(ended[0].id, 1u);
    EXPECT_EQ(ended[1].id, 2u);
    EXPECT_EQ(ended[1].frame, 5u + kFade + 40);
}

TEST(SoundMixer, WhatIsStoppedBeforeItIsHeardOrDroppedIsNeverHeardNorReported) {
    SoundMixer unheard(1, kFade);
    unheard.Play(1, Constant(100, 9000));
    unheard.Stop(1);
    std::vector<SoundMixer::Ended> ended;
    EXPECT_EQ(Render(unheard, 30, &ended), std::vector<std::int16_t>(30, 0));
    EXPECT_TRUE(ended.empty());
    EXPECT_TRUE(unheard.Idle());

    SoundMixer waiting(1, kFade);
    waiting.Play(1, Ramp(100));
    Render(waiting, 10);
    waiting.Play(2, Ramp(100));
    waiting.Stop(2);
    waiting.Stop(3);
    const auto out = Render(waiting, kFade + 10);
    EXPECT_EQ(std::vector<std::int16_t>(out.begin() + kFade, out.end()),
              std::vector<std::int16_t>(10, 0))
        << "the waiting sound was dropped";
    EXPECT_TRUE(waiting.Idle());

    SoundMixer dropped(1, kFade);
    dropped.Play(1, Ramp(100));
    Render(dropped, 10);
    dropped.Drop(1);
    EXPECT_EQ(Render(dropped, 10, &ended)[0], 0) << "dropped at once, without a fade";
    EXPECT_TRUE(ended.empty());
}

TEST(SoundMixer, StereoFramesStayTogether) {
    SoundMixer mixer(2, kFade);
    mixer.Play(1, Ramp(10)); // five frames
    std::vector<SoundMixer::Ended> ended;
    const auto out = Render(mixer, 16, &ended);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(out[i], 1000 + i);
    for (int i = 10; i < 16; ++i)
        EXPECT_EQ(out[i], 0);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].frame, 5u);
}

// A change made after going back sounds exactly as if it had been made at that frame.
TEST(SoundMixer, RewindingMakesAChangeTakeEffectInFramesAlreadyRendered) {
    SoundMixer mixer(1, kFade, 200);
    SoundMixer reference(1, kFade);
    for (SoundMixer* m : {&mixer, &reference})
        m->Play(1, Ramp(300));
    Render(mixer, 40);
    Render(mixer, 40); // rendered ahead to 80
    Render(reference, 50);
    ASSERT_EQ(mixer.Rewind(50), 50u);
    mixer.Play(2, Ramp(60, -500));
    reference.Play(2, Ramp(60, -500));
    std::vector<SoundMixer::Ended> ended, referenceEnded;
    EXPECT_EQ(Render(mixer, 100, &ended), Render(reference, 100, &referenceEnded));
    ASSERT_EQ(ended.size(), 2u);
    EXPECT_EQ(ended[0].frame, 50u + kFade);
    EXPECT_EQ(ended[1].id, 2u);
    EXPECT_EQ(ended[1].frame, referenceEnded[1].frame);
    EXPECT_EQ(mixer.FramesRendered(), 150u);
}

TEST(SoundMixer, RewindingStopsAtTheLastChangeAndAtWhatItKeeps) {
    SoundMixer mixer(1, kFade, 100);
    Render(mixer, 30);
    mixer.Play(1, Ramp(2000));
    Render(mixer, 50);
    EXPECT_EQ(mixer.Rewind(10), 30u) << "went back past the play";
    for (int i = 0; i < 20; ++i)
        Render(mixer, 20);
    // 100 frames back from 430 lie in the render that started at 310.
    EXPECT_EQ(mixer.Rewind(0), 310u) << "kept more than 100 frames, or fewer";
    const auto out = Render(mixer, 1);
    EXPECT_EQ(out[0], 1000 + 310 - 30);
    EXPECT_EQ(mixer.Rewind(500), 311u) << "went forward";
    SoundMixer plain(1, kFade);
    plain.Play(1, Ramp(100));
    Render(plain, 50);
    EXPECT_EQ(plain.Rewind(10), 50u) << "without history it never goes back";
}

} // namespace
} // namespace dd
