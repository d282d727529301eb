// The screen saver's start on Windows: Windows runs it as "name.scr /s", "/c", "/p <window>"
// or "/a <window>", and with no argument from Explorer's context menu.

#include "hosts/win32/Win32Host.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Windows.h"
#include "shell/Entry.h"

#include <shellapi.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Arguments() {
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words && i < count; ++i)
        arguments.push_back(dd::Narrow(words[i]));
    ::LocalFree(words);
    return arguments;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Screen sizes in device pixels, as on Linux: the field is enlarged by whole factors of its
    // own, never blurred by the system's scaling.
    ::SetProcessDPIAware();
    const dd::Invocation invocation = dd::InvocationFromArguments(Arguments(), nullptr);
    dd::Win32Host host;
    return dd::RunEntry(invocation, host);
}
