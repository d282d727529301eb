#pragma once

#include "shell/SaverHost.h"
#include "tests/support/FakeWavePlayer.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace dd::test {

using WindowLog = std::vector<std::string>;

// A window of the fake desktop: it logs where it is shown, and reports pointer events as a
// host's window would.
class FakeSaverWindow : public TSaverWindow {
public:
    FakeSaverWindow(WindowLog& log, bool field, SaverInput& input);
    ~FakeSaverWindow() override;

    void Cover(const TMonitor& monitor) override;
    void Present(const TRect&) override { ++presented; }
    void TakeKeyboard() override { log_.push_back(kind_ + " takes the keyboard"); }

    void Move(int x, int y) { input_.PointerMoved(*this, {x, y}); }
    void Click(int x, int y) { input_.Clicked(*this, {x, y}); }

    int presented = 0;

private:
    WindowLog& log_;
    SaverInput& input_;
    std::string kind_;
    std::string monitor_;
};

// The desktop of in-process saver tests: one monitor of the given size unless a test sets
// others; it records what the saver asks of it and the windows it opens, answers the password
// prompt from a queue, and hands out fake wave players.
class FakeSaverHost : public SaverHost {
public:
    FakeSaverHost(int width = 1024, int height = 768)
        : monitors{{"", Bounds(0, 0, width, height), true}} {}

    // The saver window's surface shown 1:1 over the first monitor.
    SurfacePlacement OneToOne() const;

    std::vector<TMonitor> Monitors() const override { return monitors; }
    std::unique_ptr<TSaverWindow> OpenWindow(const std::string& caption, const Bitmap* surface,
                                             const SurfacePlacement& placement,
                                             SaverInput& input) override;
    void Quit() override { ++quitPosted; }
    void SetScreenSaverRunning(bool running) override { saverRunning.push_back(running); }
    void SetCursorHidden(bool hidden) override { cursorHidden = hidden; }
    void MessageBox(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool RunPasswordPrompt(const std::string& password) override;
    void ProcessMessages() override { ++processed; }
    std::unique_ptr<TWavePlayer> NewWavePlayer() override;
    HelpText Help() const override;

    std::vector<TMonitor> monitors;
    WindowLog log;
    FakeSaverWindow* field = nullptr;
    FakeSaverWindow* lastCover = nullptr;
    SurfacePlacement fieldPlacement;
    bool failToOpen = false;

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
};

} // namespace dd::test
