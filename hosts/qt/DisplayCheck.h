#pragma once

#include <string>

namespace dd {

// Why the program cannot show a window here, in one line; empty when it can. The platform Qt
// would pick is tried before Qt tries it, whose own failure is an abort with a core dump: a
// display named by DISPLAY or WAYLAND_DISPLAY must open, unless QT_QPA_PLATFORM chooses one.
std::string DisplayProblem();

} // namespace dd
