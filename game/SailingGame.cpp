#include "game/SailingGame.h"

#include "game/Helmsman.h"
#include "game/Instruments.h"
#include "game/PanelText.h"
#include "platform/gfx/CanvasStateSaver.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace dd {
namespace {

constexpr TColor kPureBlue = RGB(0, 0, 255);
constexpr int kLeadInTicks = 20;
constexpr int kPresentationSteps = 10;
// A finished boat counts as stopped below this speed.
constexpr double kStoppedSpeed = 1.0 / 60;
constexpr double kMsPerDay = kSecondsPerDay * 1000;

// Brackets a batch of sprite changes so the box repaints the changed areas once. Within a
// batch already under way it adds to that one: a tick composes once, however its steps nest.
class Batch {
public:
    explicit Batch(TSpriteBox& box) : box_(box), outer_(!box.DirtyRects()) {
        if (outer_)
            box_.BeginUpdate();
    }
    ~Batch() {
        if (outer_)
            box_.EndUpdate();
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

private:
    TSpriteBox& box_;
    bool outer_;
};

bool Chance(RandomGenerator& random, int k) {
    return random.Random(k) == 0;
}

double RandomDegrees(RandomGenerator& random, int k) {
    return Degrees(random.Random(k));
}

} // namespace

TSailingGame::TSailingGame(const TGameComponents& components, TSaverState& state,
                           Scheduler& scheduler, RandomGenerator& random,
                           TSoundEffects::Players players)
    : Sounds(std::move(players), state.SoundOn), c_(components), s_(state), scheduler_(scheduler),
      random_(random) {
    SetUpSprites();
    for (THorizonSail& sail : HorizonSails)
        sail.Sprite = TSprite::CreateCopy(c_.spriteVerZeil);
    Sounds.CurrentSound = kNoSound;
    Sounds.SoundUnavailable = false;
    Sounds.OpenSounds(s_.HomeDir);
}

void TSailingGame::SetUpSprites() {
    c_.spriteWindroos.MoveTo(10, 10);
    c_.spriteWindroos.SetZ(10);
    c_.spriteTijden.MoveTo(s_.FieldWidth - c_.spriteTijden.GetWidth() - 10, 10);
    c_.spriteTijden.SetZ(10);
    c_.spriteCenterZeil.SetZ(2);
    c_.spriteCenterBoot.SetZ(2);
    c_.spriteVerZeil.SetZ(3);
    c_.spriteDemoText.MoveTo((s_.FieldWidth - c_.spriteDemoText.GetWidth()) / 2,
                             s_.FieldHeight - 20 - c_.spriteDemoText.GetHeight());
    c_.spriteDemoText.SetZ(0);
    c_.spriteBoeiMarker.SetZ(0);
    c_.spriteMovingBoot.SetZ(1);
    c_.spriteGameOver.MoveTo((c_.SpriteBox1.Width() - c_.spriteGameOver.GetWidth()) / 2,
                             (c_.SpriteBox1.Height() - c_.spriteGameOver.GetHeight()) / 2);
    c_.spriteGameOver.SetZ(0);
}

namespace {

constexpr std::array<std::pair<std::string_view, void (TSailingGame::*)()>, 3> kTimerHandlers{{
    {"timerBootTimer", &TSailingGame::timerBootTimer},
    {"timerShowBoeienTimer", &TSailingGame::timerShowBoeienTimer},
    {"timerGameOverTimer", &TSailingGame::timerGameOverTimer},
}};

} // namespace

bool TSailingGame::HasTimerHandler(std::string_view name) {
    return std::ranges::any_of(kTimerHandlers, [&](const auto& h) { return h.first == name; });
}

std::function<void()> TSailingGame::TimerHandler(std::string_view name) {
    for (const auto& entry : kTimerHandlers)
        if (entry.first == name)
            return [this, handler = entry.second] { (this->*handler)(); };
    return {};
}

double TSailingGame::RaceTime() const {
    return static_cast<double>((scheduler_.Elapsed() - StartTime).count()) / kMsPerDay;
}

void TSailingGame::StartDemo() {
    ResetRace(TGamePhase::LeadIn);
    BlinkCounter = 0;
    StartBuoyShow();
}

void TSailingGame::StartGame() {
    ResetRace(TGamePhase::RaceFirstBuoy);
    c_.spriteDemoText.SetVisible(false);
    s_.KeyLeft = s_.KeyRight = s_.KeyHome = s_.KeyPageUp = false;
    StartBuoyShow();
}

void TSailingGame::ResetRace(TGamePhase phase) {
    c_.timerBoot.SetEnabled(false);
    c_.timerShowBoeien.SetEnabled(false);
    // An old result's timer would otherwise end the new race when it fires.
    c_.timerGameOver.SetEnabled(false);
    Sounds.StopSound();
    {
        Batch batch(c_.SpriteBox1);
        for (TSprite* sprite :
             {&c_.spriteCenterBoot, &c_.spriteCenterZeil, &c_.spriteMovingBoot,
              &c_.spriteBoeiMarker, &c_.spriteWindroos, &c_.spriteGameOver, &c_.spriteTijden})
            sprite->Hide();
    }
    {
        Batch batch(c_.SpriteBox1);
        Course = GenerateCourse(s_.StarPoints, s_.FollowStar, random_);
        SetupRace();
        UpdateTimePanel(true);
    }
    s_.GamePhase = phase;
    c_.timerBoot.Tag = 0;
    if (OnRaceSetUp)
        OnRaceSetUp();
}

void TSailingGame::SetupRace() {
    LastSailFrame = -1;
    LastHeelIndex = -1;
    LastBoatOutline.reset();
    Weather.WindForce = (random_.Random(40) + 70) / 30.0;
    Weather.WindDir = RandomDegrees(random_, 360);
    Weather.CurrentForce = (random_.Random(20) + 10) / 300.0;
    Weather.CurrentDir = RandomDegrees(random_, 360);
    Boat = TBoatState{};
    Boat.Heading = RandomDegrees(random_, 360);
    Boat.Sail = Degrees(random_.Random(181) - 90);
    Boat.SailLimit = RandomDegrees(random_, 91);
    TrimSail(Boat, Weather, s_.InRace());

    DrawWindRose(c_.spriteWindroos.FrameList(), Weather, c_.lblFont);
    ShowOrRedraw(c_.spriteWindroos);

    c_.spriteVerZeil.SetTransparent(kPureBlue);
    c_.spriteVerZeil.SetLeft(s_.FieldWidth);
    c_.spriteVerZeil.SetFrameIndex(0);
    c_.spriteBoeiMarker.SetLeft(s_.FieldWidth);
    c_.spriteBoeiMarker.SetVisible(true);
    for (THorizonSail& sail : HorizonSails) {
        sail.Sprite->SetLeft(s_.FieldWidth);
        sail.Sprite->SetFrameIndex(0);
        sail.Sprite->SetTransparent(kPureBlue);
        sail.Sprite->PlaySequence(Chance(random_, 2) ? "ZeilL" : "ZeilR", -1);
        sail.Bearing = RandomDegrees(random_, 360);
    }
    c_.spriteCenterBoot.SetTransparent(kPureBlue);
    c_.spriteCenterBoot.SetLeft(s_.FieldWidth);
    c_.spriteCenterBoot.SetFrameIndex(kUprightHeel);
    c_.spriteCenterZeil.SetTransparent(kPureBlue);
    c_.spriteCenterZeil.SetLeft(s_.FieldWidth);
    c_.spriteCenterZeil.SetFrameIndex(kSlackSailFrame);

    BoatPicWidth = c_.spriteMovingBoot.FrameList().Image().Width();
    BoatPicHeight = c_.spriteMovingBoot.FrameList().Image().Height();
    c_.spriteMovingBoot.SetLeft(s_.FieldWidth);
    c_.spriteMovingBoot.SetTransparent(clBlack);
    c_.spriteMovingBoot.SetVisible(true);
    c_.spriteCenterBoot.SetVisible(true);
    c_.spriteCenterZeil.SetVisible(true);
    CurrentBuoy = 0;
}

void TSailingGame::ShowOrRedraw(TSprite& sprite) {
    if (sprite.Visible())
        sprite.Redraw();
    else
        sprite.SetVisible(true);
}

void TSailingGame::timerBootTimer() {
    if (s_.Closing) {
        c_.timerBoot.SetEnabled(false);
        return;
    }
    Batch batch(c_.SpriteBox1);
    if (s_.GamePhase != TGamePhase::LeadIn) {
        UpdateTimePanel(false);
        AmbientSound();
    }
    if (IsFinish(s_.GamePhase)) {
        if (Boat.Speed <= kStoppedSpeed) {
            FinishRace();
            return;
        }
        LuffToStop();
    }
    Steer();
    if (s_.GamePhase != TGamePhase::LeadIn)
        Advance();
}

void TSailingGame::AmbientSound() {
    if (Chance(random_, 4))
        Sounds.PlaySound(Sound::Water, false);
    else if (Chance(random_, 10))
        Sounds.PlaySound(Sound::Creak, false);
}

void TSailingGame::Steer() {
    if (s_.InRace()) {
        if (s_.GamePhase != TGamePhase::RaceFinish)
            ApplyPlayerKeys();
        return;
    }
    if (s_.GamePhase == TGamePhase::LeadIn) {
        if (++c_.timerBoot.Tag == kLeadInTicks)
            s_.GamePhase = TGamePhase::DemoFirstBuoy;
    } else {
        BlinkDemoText();
    }
    if (s_.GamePhase != TGamePhase::DemoFinish)
        AutoPilot(Boat, Weather, CurrentBuoyPoint(), Limits());
}

void TSailingGame::Advance() {
    MoveBoat();
    UpdateBoatViews();
    UpdateHorizonSails();
    if (TimedOut())
        StartDemo();
}

bool TSailingGame::TimedOut() const {
    return RaceTime() > 3 * Course.TargetTime;
}

void TSailingGame::ApplyPlayerKeys() {
    if (s_.KeyPageUp && Boat.SailLimit <= Degrees(70))
        Boat.SailLimit += Degrees(20);
    if (s_.KeyHome && Boat.SailLimit >= Degrees(20)) {
        Boat.SailLimit -= Degrees(20);
        Sounds.PlaySound(Sound::Winch, true);
    }
    if (s_.KeyRight && Boat.Rudder > -Degrees(60))
        Boat.Rudder -= Degrees(15);
    if (s_.KeyLeft && Boat.Rudder < Degrees(60))
        Boat.Rudder += Degrees(15);
    TrimSail(Boat, Weather, s_.InRace());
}

void TSailingGame::LuffToStop() {
    if (Boat.SailLimit < kPi / 2)
        Boat.SailLimit += MinOf(std::fabs(kPi / 2 - Boat.SailLimit), Degrees(20));
    double a = Normalized(Boat.Heading + kPi - Weather.WindDir, false);
    if (std::fabs(a) < 0.0001)
        a = 0;
    Boat.Rudder -= MinOf(std::fabs(a), Degrees(15)) * SignOf(a);
}

void TSailingGame::FinishRace() {
    c_.timerBoot.SetEnabled(false);
    {
        Batch batch(c_.SpriteBox1);
        for (TSprite* sprite : {&c_.spriteCenterZeil, &c_.spriteCenterBoot, &c_.spriteVerZeil,
                                &c_.spriteDemoText, &c_.spriteBoeiMarker, &c_.spriteMovingBoot})
            sprite->Hide();
        ShowResult();
    }
    c_.timerGameOver.SetEnabled(true);
}

void TSailingGame::timerGameOverTimer() {
    c_.timerGameOver.SetEnabled(false);
    HideResult();
}

void TSailingGame::HideResult() {
    c_.spriteGameOver.Hide();
    StartDemo();
}

void TSailingGame::MoveBoat() {
    dd::MoveBoat(Boat, Weather, Limits(), s_.InRace());
    CheckBuoy(Boat.X, Boat.Y);
}

TFieldLimits TSailingGame::Limits() const {
    return {s_.FieldWidth, s_.FieldHeight, BoatPicWidth, BoatPicHeight};
}

TRealPoint TSailingGame::CurrentBuoyPoint() const {
    return s_.StarPoints.at(
        static_cast<std::size_t>(Course.BuoyOrder.at(static_cast<std::size_t>(CurrentBuoy))));
}

void TSailingGame::StartBuoyShow() {
    SavedBuoy = CurrentBuoy;
    c_.timerShowBoeien.Tag = 0;
    c_.timerShowBoeien.SetEnabled(true);
}

void TSailingGame::timerShowBoeienTimer() {
    TTimer& timer = c_.timerShowBoeien;
    if (s_.Closing) {
        timer.SetEnabled(false);
    } else if (timer.Tag == kPresentationSteps) {
        timer.SetEnabled(false);
        StartTime = scheduler_.Elapsed();
        CurrentBuoy = SavedBuoy;
        ShowBuoyMarker();
        c_.timerBoot.SetEnabled(true);
    } else {
        CurrentBuoy = timer.Tag;
        ShowBuoyMarker();
        ++timer.Tag;
    }
}

void TSailingGame::ShowBuoyMarker() {
    if (IsFinish(s_.GamePhase))
        return;
    const TRealPoint buoy = CurrentBuoyPoint();
    TSprite& marker = c_.spriteBoeiMarker;
    marker.MoveTo(Round(buoy.X) + s_.FieldWidth / 2 - marker.GetWidth() / 2,
                  Round(buoy.Y) + s_.FieldHeight / 2 - marker.GetHeight() / 2);
    marker.SetVisible(true);
}

void TSailingGame::CheckBuoy(double x, double y) {
    if (!BuoyReached({x, y}, CurrentBuoyPoint()))
        return;
    switch (s_.GamePhase) {
    case TGamePhase::DemoFirstBuoy:
    case TGamePhase::RaceFirstBuoy:
        s_.GamePhase = NextLeg(s_.GamePhase);
        CurrentBuoy = 1;
        ShowBuoyMarker();
        break;
    case TGamePhase::DemoCourse:
    case TGamePhase::RaceCourse:
        if (++CurrentBuoy == kBuoyCount) {
            s_.GamePhase = NextLeg(s_.GamePhase);
            FinishTime = RaceTime();
            CurrentBuoy = 0;
            c_.spriteBoeiMarker.Hide();
        } else {
            ShowBuoyMarker();
        }
        break;
    default:
        break;
    }
}

void TSailingGame::UpdateTimePanel(bool labelsOnly) {
    std::array<std::string, 2> lines = {"targettime: ", "your time: "};
    if (!labelsOnly) {
        lines[0] += Course.TargetTimeText;
        lines[1] += FormatGameTime(RaceTime());
    }
    // The clock shows seconds: most ticks leave the panel as it is.
    if (c_.spriteTijden.Visible() && lines == PanelLines)
        return;
    PanelLines = lines;
    TFrameList& panel = c_.spriteTijden.FrameList();
    Canvas& canvas = panel.ImageCanvas();
    panel.Frames(1).DrawFrame(canvas, 0, 0, false);
    DrawPanelText(canvas, 12, 6, lines[0], c_.lblFont);
    DrawPanelText(canvas, 12, 22, lines[1], c_.lblFont);
    ShowOrRedraw(c_.spriteTijden);
}

void TSailingGame::ShowResult() {
    Font font = c_.lblFont;
    font.Height = 24; // 18 points at 96 pixels per inch
    font.Bold = true;
    Canvas& canvas = c_.spriteGameOver.FrameList().ImageCanvas();
    const int gw = c_.spriteGameOver.GetWidth();
    const int gh = c_.spriteGameOver.GetHeight();

    const std::string title = "Great Sailing";
    const TextSize t = LabelSize(font, title);
    const int left = (gw - t.Width) / 2;
    const int top = (gh - t.Height) / 2 - 10;
    // The picture's own pixels from further down wipe the text of an earlier result.
    Bitmap& strip = c_.spriteGameOver.FrameList().Image();
    const TRect below = Bounds(left, top + 2 * t.Height, t.Width, 2 * t.Height);
    const CanvasStateSaver saved(canvas);
    canvas.SetCopyMode(CopyMode::SrcCopy);
    canvas.CopyRect(Bounds(left, top, t.Width, 2 * t.Height), strip, below);
    DrawPanelText(canvas, left, top, title, font);

    const std::string time = FormatGameTime(FinishTime);
    const TextSize f = LabelSize(font, time);
    DrawPanelText(canvas, (gw - f.Width) / 2, (gh - f.Height) / 2 + 15, time, font);
    c_.spriteGameOver.SetVisible(true);
}

void TSailingGame::UpdateBoatViews() {
    Batch batch(c_.SpriteBox1);
    const TSmallBoatOutline outline = SmallBoatOutline(Boat, BoatPicWidth, BoatPicHeight);
    TSprite& small = c_.spriteMovingBoot;
    const int left = Round(Boat.X + s_.FieldWidth / 2 - BoatPicWidth * 0.5);
    const int top = Round(Boat.Y + s_.FieldHeight / 2 - BoatPicHeight * 0.5);
    const bool redrawn = outline != LastBoatOutline;
    if (redrawn) {
        LastBoatOutline = outline;
        DrawSmallBoat(small.FrameList(), outline, BoatPicWidth, BoatPicHeight);
    }
    if (redrawn || left != small.GetLeft() || top != small.GetTop())
        small.MoveTo(left, top);

    int heel = HeelIndex(Boat, Weather);
    int sailFrame = SailFrameFor(heel, Boat.Sail);
    if (InIrons(Boat, Weather)) {
        heel = kUprightHeel;
        sailFrame = kSlackSailFrame;
        Sounds.PlaySound(Sound::Flapping, true);
    } else {
        Sounds.StopFlapSound();
    }
    const int shiftX = (s_.FieldWidth - kReferenceWidth) / 2;
    const int shiftY = s_.HorizonY - kReferenceHorizon;
    const auto h = static_cast<std::size_t>(heel);
    if (heel != LastHeelIndex) {
        LastHeelIndex = heel;
        c_.spriteCenterBoot.SetFrameIndex(heel);
        c_.spriteCenterBoot.SetTop(BoatPositions[h].Y + shiftY);
        c_.spriteCenterBoot.SetLeft(BoatPositions[h].X + shiftX);
    }
    if (sailFrame != LastSailFrame) {
        LastSailFrame = sailFrame;
        c_.spriteCenterZeil.SetFrameIndex(sailFrame);
        c_.spriteCenterZeil.SetTop(SailPositions[h].Y + shiftY);
        c_.spriteCenterZeil.SetLeft(SailPositions[h].X + shiftX);
    }
}

void TSailingGame::UpdateHorizonSails() {
    Batch batch(c_.SpriteBox1);
    if (!c_.spriteBoeiMarker.Visible())
        ShowBuoyMarker();
    for (THorizonSail& sail : HorizonSails) {
        TSprite& sprite = *sail.Sprite;
        if (const auto left = HorizonSailLeft(sail.Bearing, Boat.Heading, s_.FieldWidth)) {
            sprite.SetTop(s_.HorizonY - sprite.GetHeight());
            sprite.SetLeft(*left);
            sprite.SetVisible(true);
        } else {
            sprite.SetVisible(false);
        }
    }
}

void TSailingGame::BlinkDemoText() {
    BlinkCounter = (BlinkCounter + 1) % 8;
    if (BlinkCounter == 2)
        c_.spriteDemoText.SetVisible(true);
    else if (BlinkCounter == 6)
        c_.spriteDemoText.SetVisible(false);
}

} // namespace dd
