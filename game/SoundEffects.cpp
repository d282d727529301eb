#include "game/SoundEffects.h"

#include <stdexcept>

namespace dd {

TSoundEffects::TSoundEffects(Players players, const bool& soundOn)
    : players_(std::move(players)), soundOn_(soundOn) {
    for (const auto& player : players_) {
        if (!player)
            throw std::invalid_argument("every sound needs a player");
        player->OnNotify = [this](TWavePlayer& sender) { mpWaveNotify(sender); };
    }
}

void TSoundEffects::OpenSounds(const std::string& homeDir) {
    for (std::size_t i = 0; i < players_.size(); ++i)
        OpenSound(*players_[i], static_cast<int>(i), homeDir);
}

void TSoundEffects::OpenSound(TWavePlayer& player, int index, const std::string& homeDir) {
    if (SoundUnavailable)
        return;
    try {
        player.Open(homeDir + kSoundFiles.at(static_cast<std::size_t>(index)));
        player.Tag = index;
    } catch (const Exception&) {
        // Missing sound is not worth a message: the game runs silently.
        SoundUnavailable = true;
    }
}

void TSoundEffects::PlaySound(Sound sound, bool force) {
    const auto index = static_cast<std::uint8_t>(sound);
    if (!soundOn_ || SoundUnavailable || index == CurrentSound ||
        (CurrentSound != kNoSound && !force))
        return;
    if (CurrentSound < kNoSound)
        players_[CurrentSound]->Stop();
    Player(sound).Play();
    CurrentSound = index;
}

void TSoundEffects::StopSound() {
    if (CurrentSound < kNoSound)
        players_[CurrentSound]->Stop();
}

void TSoundEffects::StopFlapSound() {
    if (CurrentSound == static_cast<std::uint8_t>(Sound::Flapping)) {
        Player(Sound::Flapping).Stop();
        CurrentSound = kNoSound;
    }
}

void TSoundEffects::mpWaveNotify(TWavePlayer& sender) {
    if (sender.Tag == CurrentSound)
        CurrentSound = kNoSound;
}

} // namespace dd
