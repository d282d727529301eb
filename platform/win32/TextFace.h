#pragma once

#include <string>
#include <string_view>

namespace dd {

// The face GDI sets the program's text in, game and dialogs alike: the narrow face the layouts
// were measured with wherever it is installed (under Wine it is), else `requested`, which the
// system maps to a face of its own.
std::wstring TextFace(std::string_view requested);

} // namespace dd
