#include "platform/win32/TextFace.h"

#include "platform/gfx/Font.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Windows.h"

#include <optional>

namespace dd {
namespace {

bool Installed(const std::wstring& face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    HDC screen = ::GetDC(nullptr);
    bool found = false;
    ::EnumFontFamiliesExW(
        screen, &wanted,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, screen);
    return found;
}

std::optional<std::wstring> InstalledNarrowFace() {
    for (const char* name : kTextFaces)
        if (std::wstring face = Widen(name); Installed(face))
            return face;
    return std::nullopt;
}

} // namespace

std::wstring TextFace(std::string_view requested) {
    // Fonts are not installed while the program runs; one look is enough.
    static const std::optional<std::wstring> narrow = InstalledNarrowFace();
    return narrow ? *narrow : Widen(requested);
}

} // namespace dd
