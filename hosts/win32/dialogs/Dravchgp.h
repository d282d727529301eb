#pragma once

// The change-password dialog: the old password opens the new boxes, two equal new entries
// enable OK, and OK stores the new password.

#include "platform/win32/Windows.h"

namespace dd {

// Runs the dialog modally with empty boxes; OK and Cancel tell what happened in a message box.
void RunChangePasswordDialog(HWND owner);

} // namespace dd
