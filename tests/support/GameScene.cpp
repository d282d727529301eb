#include "tests/support/GameScene.h"

#include <stdexcept>

namespace dd::test {

GameScene::GameScene(std::uint32_t seed, bool followStar, bool soundOn) : random(seed) {
    LoadMainForm(StoredMainFormDescription(), form, clock, c);
    LayOutSaver(c, form, state, 800, 600);
    state.FollowStar = followStar;
    state.SoundOn = soundOn;
    TSoundEffects::Players fakes;
    for (int i = 0; i < 4; ++i) {
        auto player = std::make_unique<FakeWavePlayer>(i, soundLog);
        players[static_cast<std::size_t>(i)] = player.get();
        fakes[static_cast<std::size_t>(i)] = std::move(player);
    }
    Bitmap field(state.FieldWidth, state.FieldHeight);
    field.GetCanvas().SetBrushColor(RGB(20, 60, 120));
    field.GetCanvas().FillRect(field.BoundsRect());
    game = CreateGame(c, std::move(field), state, clock, random, std::move(fakes));
    form.Paint();
    c.timerBoot->OnTimer = [this, tick = c.timerBoot->OnTimer] {
        tick();
        ++ticks;
    };
}

bool GameScene::RunUntil(const std::function<bool()>& done, Milliseconds limit) {
    const Milliseconds end = clock.Elapsed() + limit;
    while (!done()) {
        if (clock.Elapsed() > end || !clock.RunNext())
            return false;
    }
    return true;
}

void GameScene::RunTick() {
    const long before = ticks;
    if (!RunUntil([&] { return ticks > before; }, Milliseconds(60'000)))
        throw std::runtime_error("no game tick within a minute");
}

void GameScene::ShowResults(std::initializer_list<int> seconds) {
    for (const int s : seconds) {
        game->FinishTime = s / kSecondsPerDay;
        game->ShowResult();
    }
}

TSprite& GameScene::Sprite(const std::string& name) {
    for (TSprite* s : c.Sprites())
        if (s->Name == name)
            return *s;
    throw std::invalid_argument("no sprite " + name);
}

} // namespace dd::test
