#pragma once

// The sailing game on the main window's components: the phases, the buoy presentation, the
// 100 ms tick, the race clock and result, the instruments and the sounds. The same machinery
// runs the demonstration (phases 0 to 3) and the user's race (phases 4 to 6).

#include "game/Boat.h"
#include "game/Course.h"
#include "game/Instruments.h"
#include "game/SaverState.h"
#include "game/SoundEffects.h"
#include "platform/gfx/Font.h"
#include "platform/time/Random.h"
#include "platform/time/TTimer.h"
#include "sprites/Spritbox.h"
#include "sprites/Spriteob.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace dd {

// The components of the main window the game works with.
struct TGameComponents {
    TSpriteBox& SpriteBox1;
    TSprite& spriteCenterBoot;
    TSprite& spriteCenterZeil;
    TSprite& spriteMovingBoot;
    TSprite& spriteDemoText;
    TSprite& spriteVerZeil;
    TSprite& spriteBoeiMarker;
    TSprite& spriteWindroos;
    TSprite& spriteGameOver;
    TSprite& spriteTijden;
    TTimer& timerBoot;
    TTimer& timerShowBoeien;
    TTimer& timerGameOver;
    const Font& lblFont;
};

struct THorizonSail {
    std::unique_ptr<TSprite> Sprite;
    double Bearing = 0;
};

class TSailingGame {
public:
    // Lays out the sprites, makes the distant sails and opens the sounds. The components, the
    // state, the scheduler and the generator must outlive the game.
    TSailingGame(const TGameComponents& components, TSaverState& state, Scheduler& scheduler,
                 RandomGenerator& random, TSoundEffects::Players players);

    // The handler a stored timer names, or an empty function for a name that is not the game's.
    std::function<void()> TimerHandler(std::string_view name);
    static bool HasTimerHandler(std::string_view name);

    void StartDemo();
    void StartGame();
    void ResetRace(TGamePhase phase);
    void timerBootTimer();
    void timerShowBoeienTimer();
    void timerGameOverTimer();
    // Writes "Great Sailing" and FinishTime onto the star picture and shows it.
    void ShowResult();

    // The race clock's reading as a day fraction.
    double RaceTime() const;

    // The game's state, as the tick leaves it.
    TSoundEffects Sounds;
    TBoatState Boat;
    TWeather Weather;
    TCourse Course;
    int CurrentBuoy = 0;
    int SavedBuoy = 0;
    Milliseconds StartTime{0}; // on the scheduler's clock, which never runs backwards
    double FinishTime = 0;     // day fraction
    int BoatPicWidth = 44;
    int BoatPicHeight = 44;
    int LastHeelIndex = -1;
    int LastSailFrame = -1;
    std::optional<TSmallBoatOutline> LastBoatOutline; // as the small boat's picture shows it
    std::array<std::string, 2> PanelLines;            // as the time panel shows them
    int BlinkCounter = 0;
    std::array<THorizonSail, 8> HorizonSails;

    // For tools that watch the game: raised after every set-up of a race.
    std::function<void()> OnRaceSetUp;

private:
    void SetUpSprites();
    void SetupRace();
    void AmbientSound();
    void Steer();
    void Advance();
    void ApplyPlayerKeys();
    void LuffToStop();
    void FinishRace();
    void HideResult();
    void MoveBoat();
    void StartBuoyShow();
    void ShowBuoyMarker();
    void CheckBuoy(double x, double y);
    void UpdateTimePanel(bool labelsOnly);
    void UpdateBoatViews();
    void UpdateHorizonSails();
    void BlinkDemoText();
    void ShowOrRedraw(TSprite& sprite);
    TRealPoint CurrentBuoyPoint() const;
    TFieldLimits Limits() const;
    bool TimedOut() const;

    TGameComponents c_;
    TSaverState& s_;
    Scheduler& scheduler_;
    RandomGenerator& random_;
};

} // namespace dd
