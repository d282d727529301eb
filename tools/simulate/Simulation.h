#pragma once

// The game run headless in virtual time, race after race, as the saver would run it.

#include "game/SailingGame.h"
#include "platform/time/VirtualScheduler.h"
#include "shell/MainForm.h"
#include "tools/simulate/RaceScript.h"

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace dd::simulate {

struct Options {
    std::uint32_t seed = 1;
    int screenWidth = 800;
    int screenHeight = 600;
    bool followStar = false;
    // Where the per-race trace goes, if anywhere.
    std::ostream* trace = nullptr;
    // The field's picture; a black field when empty.
    Bitmap background = Bitmap();
};

struct RaceOutcome {
    TBuoyOrder course{};
    double targetTime = 0; // day fraction
    bool finished = false;
    double finishTime = 0; // day fraction, when finished
    long ticks = 0;
};

class Simulation {
public:
    explicit Simulation(const Options& options);

    // `count` demonstrations one after the other, each with its result display.
    std::vector<RaceOutcome> RunDemonstrations(int count);
    // One race started with G and steered by the script's held keys.
    RaceOutcome RunRace(const RaceScript& script);

    // Starts the demonstration and lets `duration` of virtual time pass.
    void StartDemonstration() { game_->StartDemo(); }
    void RunFor(Milliseconds duration) { clock_.Advance(duration); }
    // The window's pixels as the player sees them: painted once, then drawn by the game.
    Bitmap& Screen() { return form_.Surface(); }
    // The window the game draws into, whose damage reports show what each step composed.
    TForm& Window() { return form_; }

    TSailingGame& Game() { return *game_; }
    TfrmMainComponents& Components() { return components_; }
    const TSaverState& State() const { return state_; }

private:
    void RaceSetUp();
    void GameTick(const std::function<void()>& tick);
    void WriteRaceHeader();
    void WriteRow();
    void CloseRace();
    void RunUntilRacesEnded(std::size_t count);

    Options options_;
    VirtualScheduler clock_;
    RandomGenerator random_;
    TForm form_;
    TfrmMainComponents components_;
    TSaverState state_;
    std::unique_ptr<TSailingGame> game_;
    const RaceScript* script_ = nullptr;
    std::vector<RaceOutcome> ended_;
    std::unique_ptr<RaceOutcome> current_;
};

// "race 3: course 9 8 7 6 5 4 3 2 1 0; target 2:31 (151.7 s); finished in 3:02 (182.4 s)"
std::string DescribeRace(int number, const RaceOutcome& race);
// "finished F of K; median finish/target R"
std::string Summary(const std::vector<RaceOutcome>& races);

} // namespace dd::simulate
