#pragma once

#include "watcher/IdleSource.h"

#include <chrono>
#include <memory>

namespace dd {

// GNOME's idle monitor, on X and on Wayland: org.gnome.Mutter.IdleMonitor on the session bus.
// An idle watch of the delay fires each time the session has been idle that long; Mutter holds
// it back while the session manager's inhibitors are held. Null where the session bus has no
// such service.
std::unique_ptr<IdleSource> OpenMutterIdle(std::chrono::milliseconds delay);

} // namespace dd
