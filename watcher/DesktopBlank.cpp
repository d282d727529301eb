#include "watcher/DesktopBlank.h"

#include <array>
#include <cstdio>
#include <memory>
#include <sstream>

namespace dd {

std::optional<std::chrono::seconds> GnomeBlankDelay() {
    const std::unique_ptr<FILE, decltype(&pclose)> gsettings(
        popen("gsettings get org.gnome.desktop.session idle-delay 2>/dev/null", "r"), &pclose);
    if (!gsettings)
        return std::nullopt;
    std::array<char, 64> line{};
    if (!std::fgets(line.data(), line.size(), gsettings.get()))
        return std::nullopt;
    // "uint32 300"
    std::istringstream words(line.data());
    std::string type;
    long seconds = 0;
    if (!(words >> type >> seconds) || type != "uint32" || seconds <= 0)
        return std::nullopt;
    return std::chrono::seconds(seconds);
}

std::string BlankWarning(std::optional<std::chrono::seconds> blank, std::chrono::seconds delay) {
    if (!blank || *blank > delay)
        return {};
    return "GNOME blanks the screen after " + std::to_string(blank->count()) +
           " s (org.gnome.desktop.session idle-delay), before the saver's " +
           std::to_string(delay.count()) + " s: set that later, or the delay shorter";
}

} // namespace dd
