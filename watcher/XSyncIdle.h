#pragma once

#include "watcher/IdleSource.h"

#include <chrono>
#include <memory>

namespace dd {

// The X server's own idle time: an alarm on the XSync IDLETIME counter, armed for the delay and,
// once it has fired, for the next input. Null without an X display or the extension.
std::unique_ptr<IdleSource> OpenXSyncIdle(std::chrono::milliseconds delay);

} // namespace dd
