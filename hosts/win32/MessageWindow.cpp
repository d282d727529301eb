#include "hosts/win32/MessageWindow.h"

#include "hosts/win32/WindowObject.h"
#include "platform/core/Exception.h"

namespace dd {
namespace {

constexpr wchar_t kClassName[] = L"DravelinDidaziMessages";

} // namespace

MessageWindow::MessageWindow(Handler handler) : handler_(std::move(handler)) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &MessageWindow::Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassW(&windowClass); // fails harmlessly when registered before
    window_ = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                ::GetModuleHandleW(nullptr), this);
    if (!window_)
        throw Exception("Windows refused a message window");
}

MessageWindow::~MessageWindow() {
    ::DestroyWindow(window_);
}

LRESULT CALLBACK MessageWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowObject<MessageWindow>(window, message, lParam);
    if (self && self->handler_)
        if (const auto answer = self->handler_(message, wParam, lParam))
            return *answer;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace dd
