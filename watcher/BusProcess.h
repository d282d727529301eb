#pragma once

#include <systemd/sd-bus.h>

namespace dd {

// Handles every message the connection has read, or can read without waiting; false once the
// bus has gone.
inline bool ProcessAll(sd_bus* bus) {
    int handled = 0;
    while ((handled = sd_bus_process(bus, nullptr)) > 0) {
    }
    return handled >= 0;
}

} // namespace dd
