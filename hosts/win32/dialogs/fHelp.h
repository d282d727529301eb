#pragma once

// The help window: the game's help text in a read-only box, closed by Close, Enter or Escape.

#include "platform/win32/Windows.h"
#include "shell/SaverHost.h"

namespace dd {

void RunHelpDialog(HWND owner);

// The lines of the help window's text box and its size, as the saver copies them.
HelpText HelpWindowText();

} // namespace dd
