#pragma once

// The screen-saver window: creation, the start of the demonstration, the keyboard and mouse
// rules of both modes, the on-screen help, the password gate and the orderly stop. It draws
// into its form canvas and receives translated events; the host presents and feeds it.

#include "game/SailingGame.h"
#include "platform/core/VirtualKeys.h"
#include "platform/gfx/Memo.h"
#include "platform/io/ProfileFile.h"
#include "platform/time/Random.h"
#include "platform/time/Scheduler.h"
#include "shell/MainForm.h"
#include "shell/SaverHost.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace dd {

inline constexpr unsigned kScCommandMask = 0xFFF0;
inline constexpr unsigned kScScreenSave = 0xF140;
inline constexpr const char* kFatalMessage = "Fatal Error: Please reinstall this screen saver.";

class TfrmMain : public TForm {
public:
    // Creates the window and its components, reads `settings`, composes the background and
    // sets up the game. A background that cannot be loaded takes the fatal path: a message,
    // then the stop, and no game.
    // The window's surface is as large as `placement` says, shown on its monitor as it says.
    TfrmMain(SaverHost& host, const SurfacePlacement& placement, const ProfileFile& settings,
             Scheduler& scheduler, RandomGenerator& random);
    ~TfrmMain() override;

    // The window has been shown: the demonstration starts a second later.
    void Show();
    void RequestExit();
    // The orderly stop without the password gate, for ends that come from the system rather
    // than from a person at the keyboard.
    void Stop();
    void StartDemo();
    void StartGame();
    void RedrawSprites();

    // Events from the host; mouse positions in device pixels of the monitor (see Placement).
    void FormKeyDown(int key);
    void FormKeyUp(int key);
    void FormKeyPress(char key);
    void MouseDown(int x, int y);
    void MouseMove(int x, int y);
    // A system command; true when it was answered here and must not be passed on.
    bool SystemCommand(unsigned command);
    // The surface is shown another way (its monitor changed size): pointer positions follow.
    void SetPlacement(const SurfacePlacement& placement) { placement_ = placement; }
    // Ordinary close requests are always refused.
    bool CloseQuery() const { return false; }

    // Something changed on the window's surface: the host shows this area.
    std::function<void(const TRect&)> OnPresent;

    TSaverState State;
    std::string Password;
    bool MouseRefSet = false;
    int MouseRefX = 0;
    int MouseRefY = 0;
    TfrmMainComponents Components;
    std::unique_ptr<TMemo> memoRules;
    std::unique_ptr<TSailingGame> Game;

    const std::string& Caption() const { return caption_; }
    bool MemoFocused() const { return memoFocused_; }

private:
    void Create(const ProfileFile& file);
    void LoadBackground(int picture);
    void FatalError();
    void timerStartTimer();
    void ToggleHelp();
    // The held-key flag a steering key (arrow or keypad) sets, or null.
    bool* HeldKeyFlag(int key);
    // Paints the window's own black, the play field and the help text again inside `area`.
    void RepaintArea(const TRect& area);
    void Damaged(const TRect& area);

    SaverHost& host_;
    SurfacePlacement placement_;
    Scheduler& scheduler_;
    RandomGenerator& random_;
    std::string caption_;
    bool memoFocused_ = false;
    bool prompting_ = false;
};

} // namespace dd
