#pragma once

struct xcb_connection_t;

namespace dd {

// The application's connection to its X server; null on any other platform (Wayland, offscreen).
xcb_connection_t* X11Connection();

} // namespace dd
