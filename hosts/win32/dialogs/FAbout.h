#pragma once

// The Settings dialog: the key list, the background, sound and follow-star settings, and the
// way to the help window and the change-password dialog.

#include "platform/win32/Windows.h"

namespace dd {

// Runs the dialog modally; OK writes the settings, Cancel leaves them.
void RunSettingsDialog(HWND owner);

} // namespace dd
