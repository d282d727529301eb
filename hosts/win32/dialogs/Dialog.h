#pragma once

// A modal dialog whose controls are laid out in code at pixel positions. The dialog manager
// still gives it the Tab order, the default and cancel buttons and the & accelerators.

#include "platform/win32/Windows.h"
#include "shell/DialogLayouts.h"

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

namespace dd {

struct DialogMessage;
struct DialogOutcome;

// A message box with one OK button, on top of every window.
void ShowDialogMessage(HWND owner, const DialogMessage& message);

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

// The dialogs' face; a negative height is the character height in pixels.
FontHandle DialogFont(int height, int weight = FW_NORMAL);

// The id of controls nobody asks for again, such as labels.
inline constexpr int kNoId = -1;

class Dialog {
public:
    // `topmost`: above every window, the saver's too.
    explicit Dialog(const DialogFrameLayout& frame, bool topmost = false)
        : frame_(frame), topmost_(topmost) {}
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Shows the dialog modally, centred on the screen, over `owner` (which may be null).
    // Returns the result given to End; the platform's close gives IDCANCEL.
    INT_PTR Run(HWND owner);

protected:
    // Creates the controls in tab order and returns the one that starts with the focus.
    virtual HWND CreateControls() = 0;
    virtual void Command(int id, int notification) = 0;
    // The background of a label or of a disabled or read-only edit; null keeps the default.
    virtual HBRUSH StaticColor(HWND control, HDC dc);

    HWND AddControl(const wchar_t* windowClass, std::string_view text, DWORD style, int id,
                    const ControlBox& box, DWORD exStyle = 0);
    // The default button answers Enter.
    HWND AddButton(const ControlLayout& button, int id, bool isDefault = false);
    HWND Window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    std::string ItemText(int id) const;
    void End(INT_PTR result);
    // Shows the outcome's message box with the dialog still up, then ends it as told.
    void ShowOutcome(const DialogOutcome& outcome);

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Initialise(HWND window);
    void ShowProgramIcon();
    void PlaceCentred();

    DialogFrameLayout frame_;
    bool topmost_;
    HWND window_ = nullptr;
    FontHandle font_;
};

} // namespace dd
