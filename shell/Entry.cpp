#include "shell/Entry.h"

#include "platform/io/InstanceLock.h"
#include "platform/io/WindowDirectory.h"

#include <algorithm>
#include <cctype>
#include <charconv>

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

std::optional<std::uint64_t> ParseWindowId(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint64_t id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id, base);
    if (error != std::errc() || end != text.data() + text.size() || id == 0)
        return std::nullopt;
    return id;
}

namespace {

bool IsOption(std::string_view argument, std::string_view name) {
    if (argument.starts_with("--"))
        argument.remove_prefix(2);
    else if (argument.starts_with("-"))
        argument.remove_prefix(1);
    else
        return false;
    return argument == name;
}

} // namespace

Invocation InvocationFromArguments(const std::vector<std::string>& arguments,
                                   const char* daemonWindow) {
    const auto windowOption = std::find_if(arguments.begin(), arguments.end(),
                                           [](const auto& a) { return IsOption(a, "window-id"); });
    if (windowOption != arguments.end()) {
        const auto next = std::next(windowOption);
        const auto id = next == arguments.end() ? std::nullopt : ParseWindowId(*next);
        return id ? Invocation{RunMode::Embedded, *id} : Invocation{};
    }
    const bool root = std::any_of(arguments.begin(), arguments.end(),
                                  [](const auto& a) { return IsOption(a, "root"); });
    if (root) {
        if (const auto id = daemonWindow ? ParseWindowId(daemonWindow) : std::nullopt)
            return {RunMode::Embedded, *id};
        return {RunMode::ScreenSaver};
    }
    return {ModeFromArguments(arguments)};
}

int RunEntry(const Invocation& invocation, ModeWindows& windows) {
    // A daemon starts one embedded saver per monitor at the same moment, and a preview beside
    // them: those share nothing and claim nothing.
    if (invocation.mode == RunMode::Embedded) {
        windows.CreateWindows(invocation);
        return windows.RunMessageLoop();
    }
    const InstanceLock instance;
    if (!instance.Held() || FindWindow("", kApplicationTitle))
        return 0;
    if (auto launcher = FindWindow(kLauncherClass, kLauncherTitle);
        launcher && SendMessage(*launcher, kLauncherMessage, 0, 0) != 0)
        return 0;

    // The application's hidden window: it marks this instance as running in every mode.
    WindowEndpoint application("TApplication", std::string(kApplicationTitle));

    if (invocation.mode == RunMode::None)
        return 0;
    windows.CreateWindows(invocation);
    return windows.RunMessageLoop();
}

} // namespace dd
