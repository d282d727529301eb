#pragma once

#include "watcher/IdleSource.h"

#include <chrono>
#include <memory>

namespace dd {

// The compositor's idle notifications: ext-idle-notify-v1 where it offers it (KWin 5.27, sway
// 1.8, Hyprland, river, labwc, niri), else org_kde_kwin_idle (older wlroots compositors such
// as sway 1.7). Both honour the idle inhibitors that clients hold. Null when the session has no
// Wayland display or the compositor offers neither.
std::unique_ptr<IdleSource> OpenWaylandIdle(std::chrono::milliseconds delay);

} // namespace dd
