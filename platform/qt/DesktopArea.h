#pragma once

#include <QRect>

namespace dd {

// The whole desktop in the application's coordinates. On X it is the root window, which also
// holds heads that a server joins with Xinerama alone and reports to Qt as one screen; elsewhere
// the union of the screens.
QRect DesktopArea();

} // namespace dd
