#pragma once

#include "platform/win32/Windows.h"

namespace dd {

// The object a window procedure serves: given to CreateWindowEx as its creation parameter and
// kept in the window's user data from WM_NCCREATE on. Null before that, and once cleared.
template <typename T> T* WindowObject(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return reinterpret_cast<T*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

} // namespace dd
