#include "shell/PasswordPrompt.h"

namespace dd {

DialogEnd PasswordPromptOK(std::string_view typed, std::string_view expected) {
    return typed == expected ? DialogEnd::OK : DialogEnd::Cancel;
}

} // namespace dd
