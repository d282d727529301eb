#pragma once

// The password prompt: one try at the password in force before the saver may end.

#include "platform/win32/Windows.h"

#include <string>

namespace dd {

// Shows the prompt above every other window, with the default cursor; true only when exactly
// `password` was entered. The cursor is hidden again on return if it was hidden before.
bool RunPasswordPrompt(HWND owner, const std::string& password);

} // namespace dd
