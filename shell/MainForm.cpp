#include "shell/MainForm.h"

#include "game/Field.h"
#include "shell/Background.h"
#include "sprites/FormReader.h"
#include "sprites/SpriteProperties.h"

#include <functional>

namespace dd {
namespace {

int IntValue(const FormProperty& p) {
    return static_cast<int>(p.value.Integer(p.line));
}

class Loader {
public:
    Loader(TForm& form, Scheduler& scheduler, TfrmMainComponents& c)
        : form_(form), scheduler_(scheduler),
          c_(c), sprites_{{"spriteCenterBoot", &c.spriteCenterBoot},
                          {"spriteCenterZeil", &c.spriteCenterZeil},
                          {"spriteMovingBoot", &c.spriteMovingBoot},
                          {"spriteDemoText", &c.spriteDemoText},
                          {"spriteVerZeil", &c.spriteVerZeil},
                          {"spriteBoeiMarker", &c.spriteBoeiMarker},
                          {"spriteWindroos", &c.spriteWindroos},
                          {"spriteGameOver", &c.spriteGameOver},
                          {"spriteTijden", &c.spriteTijden}},
          timers_{{"timerStart", &c.timerStart},
                  {"timerBoot", &c.timerBoot},
                  {"timerShowBoeien", &c.timerShowBoeien},
                  {"timerGameOver", &c.timerGameOver}} {}

    void Load(const FormObject& root) {
        for (const FormObject& child : root.children)
            Component(child);
        for (auto& [name, slot] : sprites_)
            if (!*slot)
                throw EFormError(root.line, "the description lacks " + name);
        for (auto& [name, slot] : timers_)
            if (!*slot)
                throw EFormError(root.line, "the description lacks " + name);
        if (!c_.SpriteBox1)
            throw EFormError(root.line, "the description lacks SpriteBox1");
    }

private:
    void Component(const FormObject& o) {
        if (o.className == "TSpriteBox" && o.name == "SpriteBox1" && !c_.SpriteBox1)
            SpriteBox(o);
        else if (o.className == "TSprite" && sprites_.contains(o.name) && !*sprites_[o.name])
            Sprite(o, *sprites_[o.name]);
        else if (o.className == "TTimer" && timers_.contains(o.name) && !*timers_[o.name])
            Timer(o, *timers_[o.name]);
        else if (o.className == "TMediaPlayer")
            c_.wavePlayers.push_back(o.name);
        else if (o.className == "TLabel" && o.name == "lblFont")
            Label(o);
        else if (o.className == "TMemo" && o.name == "memoRules")
            Memo(o);
        else
            throw EFormError(o.line, "unexpected component " + o.name + ": " + o.className);
    }

    void SpriteBox(const FormObject& o) {
        c_.SpriteBox1 = std::make_unique<TSpriteBox>(&form_);
        c_.SpriteBox1->Name = o.name;
        c_.SpriteBox1->SetParent(&form_);
        for (const FormProperty& p : o.properties)
            ApplySpriteBoxProperty(*c_.SpriteBox1, p);
    }

    void Sprite(const FormObject& o, std::unique_ptr<TSprite>& slot) {
        slot = std::make_unique<TSprite>(&form_, scheduler_);
        slot->Name = o.name;
        const SpriteBoxByName boxNamed = [this](const std::string& name) -> TSpriteBox* {
            return c_.SpriteBox1 && c_.SpriteBox1->Name == name ? c_.SpriteBox1.get() : nullptr;
        };
        for (const FormProperty& p : o.properties)
            ApplySpriteProperty(*slot, p, boxNamed);
    }

    void Timer(const FormObject& o, std::unique_ptr<TTimer>& slot) {
        slot = std::make_unique<TTimer>(scheduler_);
        for (const FormProperty& p : o.properties) {
            if (p.name == "Interval")
                slot->SetInterval(IntValue(p));
            else if (p.name == "Enabled")
                slot->SetEnabled(p.value.Boolean(p.line));
            else if (p.name == "OnTimer")
                c_.timerHandlers[slot.get()] = Handler(p);
            else
                throw EFormError(p.line, "unknown timer property " + p.name);
        }
    }

    // A handler of the main window's or of the game: a name that neither has would leave its
    // timer silently idle.
    static std::string Handler(const FormProperty& p) {
        std::string name = p.value.Identifier(p.line);
        if (name != kStartTimerHandler && !TSailingGame::HasTimerHandler(name))
            throw EFormError(p.line, "unknown timer handler " + name);
        return name;
    }

    void Label(const FormObject& o) {
        for (const FormProperty& p : o.properties) {
            if (p.name == "Font.Name")
                c_.lblFont.Name = p.value.Text(p.line);
            else if (p.name == "Font.Height")
                c_.lblFont.Height = IntValue(p);
            else if (p.name == "Font.Color")
                c_.lblFont.Color = ColorValue(p);
            else if (p.name == "Font.Bold")
                c_.lblFont.Bold = p.value.Boolean(p.line);
            else if (p.name != "Visible" && p.name != "Caption")
                throw EFormError(p.line, "unknown label property " + p.name);
        }
    }

    void Memo(const FormObject& o) {
        auto& m = c_.memoRules;
        for (const FormProperty& p : o.properties) {
            if (p.name == "Lines.Strings")
                m.lines = p.value.kind == FormValue::Kind::Strings
                              ? p.value.strings
                              : throw EFormError(p.line, "expected a list of texts");
            else if (p.name == "Left")
                m.left = IntValue(p);
            else if (p.name == "Top")
                m.top = IntValue(p);
            else if (p.name == "Width")
                m.width = IntValue(p);
            else if (p.name == "Height")
                m.height = IntValue(p);
            else if (p.name == "Visible")
                m.visible = p.value.Boolean(p.line);
            else if (p.name == "TabOrder")
                m.tabOrder = IntValue(p);
            else
                throw EFormError(p.line, "unknown memo property " + p.name);
        }
    }

    TForm& form_;
    Scheduler& scheduler_;
    TfrmMainComponents& c_;
    std::map<std::string, std::unique_ptr<TSprite>*> sprites_;
    std::map<std::string, std::unique_ptr<TTimer>*> timers_;
};

} // namespace

std::vector<TSprite*> TfrmMainComponents::Sprites() const {
    return {spriteCenterBoot.get(), spriteCenterZeil.get(), spriteMovingBoot.get(),
            spriteDemoText.get(),   spriteVerZeil.get(),    spriteBoeiMarker.get(),
            spriteWindroos.get(),   spriteGameOver.get(),   spriteTijden.get()};
}

TGameComponents TfrmMainComponents::ForGame() const {
    return {*SpriteBox1,       *spriteCenterBoot,
            *spriteCenterZeil, *spriteMovingBoot,
            *spriteDemoText,   *spriteVerZeil,
            *spriteBoeiMarker, *spriteWindroos,
            *spriteGameOver,   *spriteTijden,
            *timerBoot,        *timerShowBoeien,
            *timerGameOver,    lblFont};
}

void LoadMainForm(std::string_view description, TForm& form, Scheduler& scheduler,
                  TfrmMainComponents& components) {
    const FormObject root = ParseFormDescription(description);
    if (root.className != "TfrmMain")
        throw EFormError(root.line, "expected the description of TfrmMain");
    Loader(form, scheduler, components).Load(root);
}

void LayOutSaver(TfrmMainComponents& c, TForm& form, TSaverState& state, int screenWidth,
                 int screenHeight) {
    const FieldGeometry field = FieldForScreen(screenWidth, screenHeight);
    state.FieldWidth = field.width;
    state.FieldHeight = field.height;
    state.HorizonY = field.horizonY;
    state.StarPoints = ComputeStarPoints();
    form.SetClientSize(screenWidth, screenHeight);
    c.SpriteBox1->SetBounds((screenWidth - field.width) / 2, (screenHeight - field.height) / 2,
                            kFieldWidth, kFieldHeight);
}

std::unique_ptr<TSailingGame> CreateGame(TfrmMainComponents& c, Bitmap background,
                                         TSaverState& state, Scheduler& scheduler,
                                         RandomGenerator& random, TSoundEffects::Players players) {
    TSpriteBox& box = *c.SpriteBox1;
    box.SetBounds(box.Left(), box.Top(), state.FieldWidth, state.FieldHeight);
    box.Picture() = std::move(background);
    auto game =
        std::make_unique<TSailingGame>(c.ForGame(), state, scheduler, random, std::move(players));
    for (auto& [timer, handler] : c.timerHandlers)
        if (auto run = game->TimerHandler(handler))
            timer->OnTimer = std::move(run);
    return game;
}

} // namespace dd
