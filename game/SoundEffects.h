#pragma once

// The four sound effects and which may interrupt which: at most one plays at a time.

#include "platform/io/WavePlayer.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace dd {

enum class Sound : std::uint8_t { Flapping = 0, Creak = 1, Winch = 2, Water = 3 };

inline constexpr std::uint8_t kNoSound = 4;
inline constexpr std::array<const char*, 4> kSoundFiles = {"klapper.wav", "knerp.wav", "ratel.wav",
                                                           "waterlp.wav"};

class TSoundEffects {
public:
    // The players of the flapping sail, the creak, the winch and the water, in that order.
    using Players = std::array<std::unique_ptr<TWavePlayer>, 4>;

    // `soundOn` is the user's switch, read at every play.
    TSoundEffects(Players players, const bool& soundOn);

    // Opens every player from the data folder `homeDir`; the first failure silences the run.
    void OpenSounds(const std::string& homeDir);
    void OpenSound(TWavePlayer& player, int index, const std::string& homeDir);

    // Plays into silence, or over another sound when `force`; never restarts the same sound.
    void PlaySound(Sound sound, bool force);
    // Stops the sound playing; its end-of-play notification clears CurrentSound.
    void StopSound();
    void StopFlapSound();
    void mpWaveNotify(TWavePlayer& sender);

    std::uint8_t CurrentSound = kNoSound;
    bool SoundUnavailable = false;

    TWavePlayer& Player(Sound sound) const { return *players_[static_cast<std::size_t>(sound)]; }

private:
    Players players_;
    const bool& soundOn_;
};

} // namespace dd
