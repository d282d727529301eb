#include "shell/Entry.h"

#include "platform/io/WindowDirectory.h"

#include <cctype>

namespace dd {

RunMode ModeFromArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return RunMode::Settings;
    const std::string& first = arguments.front();
    if (first.empty())
        return RunMode::None;
    char letter = first.size() >= 2
                      ? static_cast<char>(std::toupper(static_cast<unsigned char>(first[1])))
                      : first[0];
    switch (letter) {
    case 'A':
        return RunMode::ChangePassword;
    case 'C':
        return RunMode::Settings;
    case 'S':
        return RunMode::ScreenSaver;
    default:
        return RunMode::None;
    }
}

int RunEntry(const std::vector<std::string>& arguments, ModeWindows& windows) {
    if (FindWindow("", kApplicationTitle))
        return 0;
    if (auto launcher = FindWindow(kLauncherClass, kLauncherTitle);
        launcher && SendMessage(*launcher, kLauncherMessage, 0, 0) != 0)
        return 0;

    // The application's hidden window: it marks this instance as running in every mode.
    WindowEndpoint application("TApplication", std::string(kApplicationTitle));

    RunMode mode = ModeFromArguments(arguments);
    if (mode == RunMode::None)
        return 0;
    windows.CreateWindows(mode);
    return windows.RunMessageLoop();
}

} // namespace dd
