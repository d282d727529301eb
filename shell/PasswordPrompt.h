#pragma once

#include "shell/DialogOutcome.h"

#include <string_view>

namespace dd {

// The password prompt's OK: one try, so the prompt closes either way, with OK only for exactly
// the expected password (the whole text, letter case counting).
DialogEnd PasswordPromptOK(std::string_view typed, std::string_view expected);

} // namespace dd
