#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace dd {

// GNOME's own blank delay, org.gnome.desktop.session idle-delay, as `gsettings` reads it;
// nothing where it cannot be read, and nothing for 0, which is never.
std::optional<std::chrono::seconds> GnomeBlankDelay();

// What the watcher says when the desktop blanks the screen before its saver would start;
// empty when it does not.
std::string BlankWarning(std::optional<std::chrono::seconds> blank, std::chrono::seconds delay);

} // namespace dd
