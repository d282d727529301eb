#pragma once

#include <QRect>

namespace dd {

// The whole desktop in the application's coordinates. On X it is the root window, which also
// holds heads that a server joins with Xinerama alone and reports to Qt as one screen; elsewhere
// the union of the screens.
QRect DesktopArea();

// Whether the program may place its windows itself, as on X. A Wayland compositor places them:
// a window covers a screen only by asking to be full screen on it.
bool ProgramPlacesWindows();

} // namespace dd
