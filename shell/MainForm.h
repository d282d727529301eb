#pragma once

// The components of the screen-saver window, created from its stored description.

#include "game/SailingGame.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Form.h"
#include "platform/time/TTimer.h"
#include "sprites/Spritbox.h"
#include "sprites/Spriteob.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dd {

// The text of the stored description compiled into the program, joined anew on each call: a
// few megabytes the loaded form does not need to keep. The pages of the compiled text are given
// back after each join.
std::string StoredMainFormDescription();

// The one timer handler of the window itself; the others are the game's.
inline constexpr std::string_view kStartTimerHandler = "timerStartTimer";

struct TfrmMainComponents {
    std::unique_ptr<TSpriteBox> SpriteBox1;
    std::unique_ptr<TSprite> spriteCenterBoot, spriteCenterZeil, spriteMovingBoot, spriteDemoText,
        spriteVerZeil, spriteBoeiMarker, spriteWindroos, spriteGameOver, spriteTijden;
    std::unique_ptr<TTimer> timerStart, timerBoot, timerShowBoeien, timerGameOver;
    // The stored OnTimer handler of each timer, by name; the window binds them.
    std::map<TTimer*, std::string> timerHandlers;
    // The wave players, in stored order.
    std::vector<std::string> wavePlayers;
    Font lblFont;
    struct Memo {
        std::vector<std::string> lines;
        int left = 0, top = 0, width = 0, height = 0;
        bool visible = true;
        int tabOrder = 0;
    } memoRules;

    // The nine sprites, in stored order.
    std::vector<TSprite*> Sprites() const;
    // What the game works with.
    TGameComponents ForGame() const;
};

// Creates every component of `description` in stored order, with `form` as owner and parent,
// setting each property in stored order through the program's own setters. Throws EFormError
// naming the line for a malformed description or an unknown component or property.
void LoadMainForm(std::string_view description, TForm& form, Scheduler& scheduler,
                  TfrmMainComponents& components);

// Lays the saver out on a screen of the given size: the field's size and horizon, the star,
// the window covering the screen and SpriteBox1 centred on it. The one layout of the saver,
// with a host or without.
void LayOutSaver(TfrmMainComponents& components, TForm& form, TSaverState& state, int screenWidth,
                 int screenHeight);

// Gives SpriteBox1 `background` as its picture and the field's size, then starts the game on
// the components (sprite layout, distant sails, sounds) and binds the game's stored timer
// handlers.
std::unique_ptr<TSailingGame> CreateGame(TfrmMainComponents& components, Bitmap background,
                                         TSaverState& state, Scheduler& scheduler,
                                         RandomGenerator& random, TSoundEffects::Players players);

} // namespace dd
