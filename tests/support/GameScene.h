#pragma once

#include "game/SailingGame.h"
#include "platform/time/VirtualScheduler.h"
#include "shell/MainForm.h"
#include "tests/support/FakeWavePlayer.h"

#include <memory>
#include <string>
#include <vector>

namespace dd::test {

// The main window's stored components with the game on them, on a plain 800 x 600 field, in
// virtual time, with fake wave players.
class GameScene {
public:
    explicit GameScene(std::uint32_t seed = 1, bool followStar = false, bool soundOn = true);

    // Lets virtual time pass until `done` holds, at most `limit`; false on time-out.
    bool RunUntil(const std::function<bool()>& done, Milliseconds limit);
    // Fires timers until the next game tick has run.
    void RunTick();

    TSprite& Sprite(const std::string& name);
    // Shows the results of races finished in these times, one over the other.
    void ShowResults(std::initializer_list<int> seconds);

    VirtualScheduler clock;
    RandomGenerator random;
    TForm form;
    TfrmMainComponents c;
    TSaverState state;
    std::vector<std::string> soundLog;
    std::array<FakeWavePlayer*, 4> players{};
    std::unique_ptr<TSailingGame> game;
    long ticks = 0;
};

} // namespace dd::test
