#pragma once

#include "platform/win32/Windows.h"

#include <functional>
#include <optional>

namespace dd {

// A hidden window that only receives messages (timers, end-of-play notices), handing each to
// one handler; what the handler leaves unanswered goes to the default procedure.
class MessageWindow {
public:
    using Handler = std::function<std::optional<LRESULT>(UINT message, WPARAM, LPARAM)>;

    explicit MessageWindow(Handler handler);
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    ~MessageWindow();

    HWND Handle() const { return window_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Handler handler_;
    HWND window_ = nullptr;
};

} // namespace dd
