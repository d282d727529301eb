#include "tools/simulate/Simulation.h"

#include "shell/Background.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace dd::simulate {
namespace {

std::string Real(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v + 0.0); // no "-0"
    return text;
}

std::string Seconds(double dayFraction) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", dayFraction * kSecondsPerDay);
    return text;
}

TSoundEffects::Players Silent() {
    TSoundEffects::Players players;
    for (auto& p : players)
        p = std::make_unique<TNoWaveDevice>();
    return players;
}

} // namespace

Simulation::Simulation(const Options& options) : options_(options), random_(options.seed) {
    LoadMainForm(StoredMainFormDescription(), form_, clock_, components_);
    LayOutSaver(components_, form_, state_, options.screenWidth, options.screenHeight);
    state_.FollowStar = options.followStar;
    Bitmap background = options.background.Width() > 0
                            ? options.background
                            : Bitmap(state_.FieldWidth, state_.FieldHeight);
    game_ = CreateGame(components_, std::move(background), state_, clock_, random_, Silent());
    form_.Paint();
    game_->OnRaceSetUp = [this] { RaceSetUp(); };
    TTimer& boot = *components_.timerBoot;
    boot.OnTimer = [this, tick = boot.OnTimer] { GameTick(tick); };
}

void Simulation::RaceSetUp() {
    CloseRace();
    current_ = std::make_unique<RaceOutcome>();
    current_->course = game_->Course.BuoyOrder;
    current_->targetTime = game_->Course.TargetTime;
    WriteRaceHeader();
    WriteRow();
}

void Simulation::CloseRace() {
    if (current_)
        ended_.push_back(*current_);
    current_.reset();
}

void Simulation::GameTick(const std::function<void()>& tick) {
    RaceOutcome* race = current_.get();
    if (script_) {
        const HeldKeys keys = script_->KeysAt(race->ticks + 1);
        state_.KeyLeft = keys.left;
        state_.KeyRight = keys.right;
        state_.KeyHome = keys.home;
        state_.KeyPageUp = keys.pageUp;
    }
    tick();
    if (current_.get() != race)
        return; // the tick timed the race out and a new one began
    ++race->ticks;
    const TGamePhase phase = state_.GamePhase;
    if (IsFinish(phase) && !race->finished) {
        race->finished = true;
        race->finishTime = game_->FinishTime;
    }
    WriteRow();
    if (components_.timerGameOver->Enabled())
        CloseRace();
}

void Simulation::WriteRaceHeader() {
    std::ostream* out = options_.trace;
    if (!out)
        return;
    const TWeather& w = game_->Weather;
    *out << "# FieldWidth " << state_.FieldWidth << " FieldHeight " << state_.FieldHeight
         << " HorizonY " << state_.HorizonY << " BoatPicWidth " << game_->BoatPicWidth
         << " BoatPicHeight " << game_->BoatPicHeight << "\n";
    *out << "# WindForce " << Real(w.WindForce) << " WindDir " << Real(w.WindDir)
         << " CurrentForce " << Real(w.CurrentForce) << " CurrentDir " << Real(w.CurrentDir)
         << "\n# BuoyOrder";
    for (int b : game_->Course.BuoyOrder)
        *out << " " << b;
    *out << "\n# StarPoints";
    for (const TRealPoint& p : state_.StarPoints)
        *out << " " << Real(p.X) << " " << Real(p.Y);
    *out << "\n# TargetTime " << Real(game_->Course.TargetTime * kSecondsPerDay) << "\n";
    *out << "tick,phase,buoy,x,y,speed,track,heading,sail,saillimit,rudder\n";
}

void Simulation::WriteRow() {
    std::ostream* out = options_.trace;
    if (!out)
        return;
    const TBoatState& b = game_->Boat;
    *out << current_->ticks << "," << static_cast<int>(state_.GamePhase) << ","
         << game_->CurrentBuoy;
    for (double v : {b.X, b.Y, b.Speed, b.Track, b.Heading, b.Sail, b.SailLimit, b.Rudder})
        *out << "," << Real(v);
    *out << "\n";
}

void Simulation::RunUntilRacesEnded(std::size_t count) {
    while (ended_.size() < count)
        if (!clock_.RunNext())
            throw std::logic_error("the game stopped scheduling timers");
}

std::vector<RaceOutcome> Simulation::RunDemonstrations(int count) {
    ended_.clear();
    script_ = nullptr;
    game_->StartDemo();
    RunUntilRacesEnded(static_cast<std::size_t>(std::max(count, 0)));
    return {ended_.begin(), ended_.begin() + std::max(count, 0)};
}

RaceOutcome Simulation::RunRace(const RaceScript& script) {
    ended_.clear();
    script_ = &script;
    game_->StartGame();
    RunUntilRacesEnded(1);
    script_ = nullptr;
    return ended_.front();
}

std::string DescribeRace(int number, const RaceOutcome& race) {
    // Appended piece by piece: GCC 12 at -O3 takes "x" + std::string for an overlapping copy.
    std::string text = "race ";
    text += std::to_string(number);
    text += ": course";
    for (int b : race.course) {
        text += ' ';
        text += std::to_string(b);
    }
    text += "; target ";
    text += FormatGameTime(race.targetTime);
    text += " (";
    text += Seconds(race.targetTime);
    text += ')';
    if (race.finished) {
        text += "; finished in ";
        text += FormatGameTime(race.finishTime);
        text += " (";
        text += Seconds(race.finishTime);
        text += ')';
    } else {
        text += "; timed out";
    }
    return text;
}

std::string Summary(const std::vector<RaceOutcome>& races) {
    std::vector<double> ratios;
    for (const RaceOutcome& r : races)
        if (r.finished)
            ratios.push_back(r.finishTime / r.targetTime);
    std::string text = "finished " + std::to_string(ratios.size()) + " of " +
                       std::to_string(races.size()) + "; median finish/target ";
    if (ratios.empty())
        return text + "-";
    std::sort(ratios.begin(), ratios.end());
    const std::size_t n = ratios.size();
    const double median = n % 2 ? ratios[n / 2] : (ratios[n / 2 - 1] + ratios[n / 2]) / 2;
    char value[32];
    std::snprintf(value, sizeof value, "%.3f", median);
    return text + value;
}

} // namespace dd::simulate
