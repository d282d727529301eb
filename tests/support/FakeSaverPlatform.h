#pragma once

#include "shell/SaverPlatform.h"
#include "tests/support/FakeWavePlayer.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace dd::test {

// The desktop of in-process saver tests: it records what the window asks of it, answers the
// password prompt from a queue, and hands out fake wave players.
class FakeSaverPlatform : public TSaverPlatform {
public:
    FakeSaverPlatform(int width = 1024, int height = 768) : width_(width), height_(height) {}

    int ScreenWidth() const override { return width_; }
    int ScreenHeight() const override { return height_; }
    void SetScreenSaverRunning(bool running) override { saverRunning.push_back(running); }
    void SetCursorHidden(bool hidden) override { cursorHidden = hidden; }
    void MessageBox(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool RunPasswordPrompt(const std::string& password) override;
    void ProcessMessages() override { ++processed; }
    void PostQuitMessage() override { ++quitPosted; }
    std::unique_ptr<TWavePlayer> NewWavePlayer() override;
    HelpText Help() const override;

    std::vector<bool> saverRunning;
    bool cursorHidden = false;
    std::vector<std::string> messages; // "caption: text"
    std::vector<std::string> prompts;  // the passwords the prompt was run with
    std::deque<std::string> typed;     // what the user types into the next prompts
    // Runs while a prompt is up, as timers keep firing behind a modal dialog.
    std::function<void()> whilePrompting;
    int processed = 0;
    int quitPosted = 0;
    std::vector<std::string> soundLog;
    mutable int helpCopies = 0;
    std::vector<FakeWavePlayer*> players; // every player handed out, in order

private:
    int width_;
    int height_;
};

} // namespace dd::test
