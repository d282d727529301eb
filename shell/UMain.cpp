#include "shell/UMain.h"

#include "shell/Background.h"
#include "shell/Entry.h"
#include "shell/Settings.h"

#include <cctype>

namespace dd {
namespace {

bool Either(int key, int a, int b) {
    return key == a || key == b;
}

// Set for the life of the object, cleared however the scope is left.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;
    ~ScopedFlag() { flag_ = false; }

private:
    bool& flag_;
};

} // namespace

TfrmMain::TfrmMain(SaverHost& host, const SurfacePlacement& placement, const ProfileFile& settings,
                   Scheduler& scheduler, RandomGenerator& random)
    : host_(host), placement_(placement), scheduler_(scheduler), random_(random) {
    LoadMainForm(StoredMainFormDescription(), *this, scheduler, Components);
    memoRules = std::make_unique<TMemo>(this);
    memoRules->Name = "memoRules";
    memoRules->Lines = Components.memoRules.lines;
    memoRules->Visible = Components.memoRules.visible;
    memoRules->SetParent(this);
    OnPaint = [this] {
        GetCanvas().SetBrushStyle(BrushStyle::Solid);
        GetCanvas().SetBrushColor(clBlack);
        GetCanvas().FillRect(Surface().BoundsRect());
    };
    OnDamage = [this](const TRect& area) { Damaged(area); };
    Create(settings);
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::Create(const ProfileFile& file) {
    State.Closing = false;
    caption_ = std::string(kApplicationTitle);
    memoRules->SetBounds(8, 8, Components.memoRules.width, Components.memoRules.height);
    random_.SeedFromClock(scheduler_.TimeOfDay());
    const SaverSettings settings = ReadSaverSettings(file);
    int picture = settings.picture;
    if (picture == 1)
        picture = 2 + random_.Random(3);
    State.SoundOn = settings.sound;
    State.FollowStar = settings.followStar;
    State.HomeDir = settings.homeDir;

    LayOutSaver(Components, *this, State, placement_.SurfaceWidth(), placement_.SurfaceHeight());
    MouseRefSet = false;
    host_.SetScreenSaverRunning(true);
    host_.SetCursorHidden(true);
    Password = PasswordInForce(file, DesktopPasswordFlag());
    LoadBackground(picture);
}

void TfrmMain::LoadBackground(int picture) {
    Bitmap background;
    try {
        background = ComposeBackground(picture, State.HomeDir,
                                       {State.FieldWidth, State.FieldHeight, State.HorizonY},
                                       State.StarPoints, random_);
    } catch (const EBackgroundFile&) {
        FatalError();
        return;
    }
    TSoundEffects::Players players;
    for (auto& player : players)
        player = host_.NewWavePlayer();
    Game = CreateGame(Components, std::move(background), State, scheduler_, random_,
                      std::move(players));
    for (auto& [timer, handler] : Components.timerHandlers)
        if (handler == kStartTimerHandler)
            timer->OnTimer = [this] { timerStartTimer(); };
}

void TfrmMain::FatalError() {
    host_.MessageBox(kFatalMessage, caption_, MessageIcon::Error);
    Password.clear();
    RequestExit();
}

void TfrmMain::Show() {
    Paint();
    Components.timerStart->SetEnabled(true);
}

void TfrmMain::timerStartTimer() {
    Components.timerStart->SetEnabled(false);
    // A race started with G before the demonstration began stays.
    if (!State.Closing && !State.InRace())
        StartDemo();
}

void TfrmMain::StartDemo() {
    if (Game)
        Game->StartDemo();
}

void TfrmMain::StartGame() {
    if (Game)
        Game->StartGame();
}

void TfrmMain::RedrawSprites() {
    auto& c = Components;
    for (TSprite* s : {c.spriteCenterZeil.get(), c.spriteCenterBoot.get(), c.spriteBoeiMarker.get(),
                       c.spriteVerZeil.get(), c.spriteDemoText.get(), c.spriteWindroos.get(),
                       c.spriteTijden.get()})
        s->Redraw();
}

void TfrmMain::RequestExit() {
    if (prompting_)
        return;
    if (!Password.empty()) {
        bool entered = false;
        {
            const ScopedFlag prompt(prompting_);
            entered = host_.RunPasswordPrompt(Password);
        }
        if (!entered) {
            MouseRefSet = false;
            host_.ProcessMessages();
            RedrawSprites();
            return;
        }
    }
    Stop();
}

void TfrmMain::Stop() {
    if (State.Closing)
        return;
    host_.SetScreenSaverRunning(false);
    Components.timerStart->SetEnabled(false);
    Components.timerBoot->SetEnabled(false);
    Components.timerShowBoeien->SetEnabled(false);
    host_.SetCursorHidden(false);
    State.Closing = true;
    host_.Quit();
}

void TfrmMain::FormKeyDown(int key) {
    if (memoFocused_)
        return;
    if (!State.InRace()) {
        if (key != vk::S && key != vk::G && key != vk::H)
            RequestExit();
        return;
    }
    if (key == vk::Escape)
        RequestExit();
    else if (bool* held = HeldKeyFlag(key))
        *held = true;
    else if (key == vk::Tab && memoRules->Visible)
        memoFocused_ = true; // the help text is the only control that takes the focus
}

void TfrmMain::FormKeyUp(int key) {
    if (memoFocused_ || !State.InRace())
        return;
    if (bool* held = HeldKeyFlag(key))
        *held = false;
}

bool* TfrmMain::HeldKeyFlag(int key) {
    if (Either(key, vk::Left, vk::Numpad4))
        return &State.KeyLeft;
    if (Either(key, vk::Right, vk::Numpad6))
        return &State.KeyRight;
    if (Either(key, vk::Home, vk::Numpad7))
        return &State.KeyHome;
    if (Either(key, vk::PageUp, vk::Numpad9))
        return &State.KeyPageUp;
    return nullptr;
}

void TfrmMain::FormKeyPress(char key) {
    if (memoFocused_) {
        memoFocused_ = false;
        if (memoRules->Visible)
            ToggleHelp();
        return;
    }
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    if (upper == 'S') {
        State.SoundOn = !State.SoundOn;
        if (Game)
            Game->Sounds.StopSound();
    } else if (upper == 'H') {
        ToggleHelp();
    } else if (upper == 'G' && !State.InRace()) {
        StartGame();
    }
}

void TfrmMain::ToggleHelp() {
    if (memoRules->Tag == 0) {
        memoRules->Tag = 1;
        const HelpText help = host_.Help();
        memoRules->Lines = help.lines;
        memoRules->SetBounds(memoRules->Left(), memoRules->Top(), help.width, help.height);
    }
    memoRules->Visible = !memoRules->Visible;
    if (!memoRules->Visible)
        memoFocused_ = false;
    RepaintArea(memoRules->BoundsRect());
    host_.ProcessMessages();
    RedrawSprites();
}

void TfrmMain::RepaintArea(const TRect& area) {
    TRect shown;
    if (!IntersectRect(shown, area, Surface().BoundsRect()))
        return;
    Canvas& c = GetCanvas();
    c.SetBrushStyle(BrushStyle::Solid);
    c.SetBrushColor(clBlack);
    c.FillRect(shown);
    TSpriteBox& box = *Components.SpriteBox1;
    TRect inBox;
    if (IntersectRect(inBox, shown, box.BoundsRect()))
        box.RedrawRect({inBox.Left - box.Left(), inBox.Top - box.Top(), inBox.Right - box.Left(),
                        inBox.Bottom - box.Top()},
                       TSpriteBox::kProjected);
    Damage(shown);
}

void TfrmMain::MouseDown(int x, int y) {
    // The help text is a control of its own: a click there gives it the focus, as movement
    // over it goes to it, and ends nothing.
    const TPoint at = placement_.ToSurface({x, y});
    if (memoRules->Visible && memoRules->BoundsRect().Contains(at.X, at.Y)) {
        memoFocused_ = true;
        return;
    }
    RequestExit();
}

void TfrmMain::MouseMove(int x, int y) {
    if (State.InRace())
        return;
    // The host reports device pixels; a field pixel may span several of them, and a movement
    // of one device pixel still counts.
    const TPoint at = placement_.ToSurface({x, y});
    // Only the window and the play field listen; the help text swallows its own movements.
    if (memoRules->Visible && memoRules->BoundsRect().Contains(at.X, at.Y))
        return;
    const TSpriteBox& box = *Components.SpriteBox1;
    if (box.BoundsRect().Contains(at.X, at.Y)) {
        const TPoint corner = placement_.ToDevice(TPoint{box.Left(), box.Top()});
        x -= corner.X;
        y -= corner.Y;
    }
    if (!MouseRefSet) {
        MouseRefX = x;
        MouseRefY = y;
        MouseRefSet = true;
    }
    if (x != MouseRefX || y != MouseRefY)
        RequestExit();
}

bool TfrmMain::SystemCommand(unsigned command) {
    return (command & kScCommandMask) == kScScreenSave;
}

void TfrmMain::Damaged(const TRect& area) {
    TRect covered;
    if (memoRules->Visible && IntersectRect(covered, area, memoRules->BoundsRect()))
        memoRules->Paint();
    if (OnPresent)
        OnPresent(area);
}

} // namespace dd
