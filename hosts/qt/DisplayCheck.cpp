#include "hosts/qt/DisplayCheck.h"

#include <cstdlib>
#include <wayland-client.h>
#include <xcb/xcb.h>

namespace dd {
namespace {

bool Named(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

bool XOpens() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool opens = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return opens;
}

bool WaylandOpens() {
    wl_display* display = wl_display_connect(nullptr);
    if (display)
        wl_display_disconnect(display);
    return display != nullptr;
}

} // namespace

std::string DisplayProblem() {
    if (Named("QT_QPA_PLATFORM"))
        return {};
    const bool wayland = Named("WAYLAND_DISPLAY"), x = Named("DISPLAY");
    if ((wayland && WaylandOpens()) || (x && XOpens()))
        return {};
    const std::string looked = "DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM";
    if (!wayland && !x)
        return "dravelin-didazi needs an X or Wayland display, and none is set (" + looked + ")";
    std::string named;
    if (x)
        named = "DISPLAY=" + std::string(std::getenv("DISPLAY"));
    if (wayland)
        named += (named.empty() ? "" : ", ") +
                 ("WAYLAND_DISPLAY=" + std::string(std::getenv("WAYLAND_DISPLAY")));
    return "dravelin-didazi needs an X or Wayland display, and " + named + " cannot be opened (" +
           looked + ")";
}

} // namespace dd
