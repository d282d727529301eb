#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dd {

inline constexpr std::string_view kApplicationTitle = "Dravelin Didazi Screen Saver";
inline constexpr std::string_view kLauncherClass = "TfrmStartScreensaver";
inline constexpr std::string_view kLauncherTitle = "StartScreensaver";
inline constexpr unsigned kLauncherMessage = 1024 + 103;

enum class RunMode { ChangePassword, Settings, ScreenSaver, None };

// The mode chosen by the first command-line argument; later arguments are ignored.
RunMode ModeFromArguments(const std::vector<std::string>& arguments);

// Where the windows of each mode come from: the entry decides the mode, the host creates its
// windows (the first one is the main window) and runs the message loop.
class ModeWindows {
public:
    virtual ~ModeWindows() = default;
    virtual void CreateWindows(RunMode mode) = 0;
    virtual int RunMessageLoop() = 0;
};

// The program's start: single-instance rule, launcher hand-over, title, mode, windows, loop.
// Returns the exit status.
int RunEntry(const std::vector<std::string>& arguments, ModeWindows& windows);

} // namespace dd
