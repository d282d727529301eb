// Finding windows and sending them messages are the system's own services on Windows.

#include "platform/io/WindowDirectory.h"

#include "platform/win32/WideText.h"
#include "platform/win32/Windows.h"

namespace dd {

WindowEndpoint::WindowEndpoint(std::string className, std::string title) {
    const std::wstring wideClass = Widen(className);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = wideClass.c_str();
    // A second endpoint of the same class finds it registered already.
    ::RegisterClassW(&windowClass);
    // Hidden, but a top-level window, so other programs' FindWindow sees it.
    HWND window =
        ::CreateWindowExW(WS_EX_TOOLWINDOW, wideClass.c_str(), Widen(title).c_str(), WS_POPUP, 0, 0,
                          0, 0, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    window_ = reinterpret_cast<std::uintptr_t>(window);
}

WindowEndpoint::~WindowEndpoint() {
    if (window_ != 0)
        ::DestroyWindow(reinterpret_cast<HWND>(window_));
}

// Messages reach the window through the message loop; there is nothing to serve here.
void WindowEndpoint::ServePending(const WindowMessageHandler&) {}

std::optional<WindowRef> FindWindow(std::string_view className, std::string_view title) {
    const std::wstring wideClass = Widen(className);
    HWND window =
        ::FindWindowW(className.empty() ? nullptr : wideClass.c_str(), Widen(title).c_str());
    if (window == nullptr)
        return std::nullopt;
    return WindowRef{{}, reinterpret_cast<std::uintptr_t>(window)};
}

std::int64_t SendMessage(const WindowRef& window, std::uint32_t message, std::int64_t wParam,
                         std::int64_t lParam, std::chrono::milliseconds timeout) {
    DWORD_PTR result = 0;
    if (::SendMessageTimeoutW(reinterpret_cast<HWND>(window.handle), message,
                              static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam),
                              SMTO_ABORTIFHUNG, static_cast<UINT>(timeout.count()), &result) == 0)
        return 0;
    return static_cast<std::int64_t>(result);
}

} // namespace dd
