#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dd {

inline constexpr std::string_view kApplicationTitle = "Dravelin Didazi Screen Saver";
inline constexpr std::string_view kLauncherClass = "TfrmStartScreensaver";
inline constexpr std::string_view kLauncherTitle = "StartScreensaver";
inline constexpr unsigned kLauncherMessage = 1024 + 103;

// Embedded: the unattended demonstration inside a window someone else owns (a screen-saver
// daemon's window or a settings tool's preview).
enum class RunMode { ChangePassword, Settings, ScreenSaver, Embedded, None };

struct Invocation {
    RunMode mode = RunMode::None;
    std::uint64_t window = 0; // the X window to draw into, for Embedded
};

// The mode chosen by the first command-line argument; later arguments are ignored.
RunMode ModeFromArguments(const std::vector<std::string>& arguments);

// The display-mode arguments of X screen-saver daemons (--root, --window-id ID, anywhere on
// the line, one or two dashes) come first; every other command line takes the one-letter rule.
// `daemonWindow` is $XSCREENSAVER_WINDOW, or null.
Invocation InvocationFromArguments(const std::vector<std::string>& arguments,
                                   const char* daemonWindow);

// A window id written in decimal or as 0x hexadecimal; nothing for anything else or zero.
std::optional<std::uint64_t> ParseWindowId(std::string_view text);

// Where the windows of each mode come from: the entry decides the mode, the host creates its
// windows (the first one is the main window) and runs the message loop.
class ModeWindows {
public:
    virtual ~ModeWindows() = default;
    virtual void CreateWindows(const Invocation& invocation) = 0;
    virtual int RunMessageLoop() = 0;
};

// The program's start: single-instance rule, launcher hand-over, title, mode, windows, loop.
// Returns the exit status.
int RunEntry(const Invocation& invocation, ModeWindows& windows);

} // namespace dd
