#include "hosts/win32/dialogs/Dialog.h"

#include "hosts/win32/Desktop.h"
#include "platform/win32/TextFace.h"
#include "platform/win32/WideText.h"
#include "shell/DialogOutcome.h"

namespace dd {
namespace {

UINT IconStyle(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return MB_ICONINFORMATION;
    case MessageIcon::Exclamation:
        return MB_ICONEXCLAMATION;
    case MessageIcon::Error:
        break;
    }
    return MB_ICONERROR;
}

} // namespace

FontHandle DialogFont(int height, int weight) {
    return FontHandle(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_SWISS, TextFace("MS Sans Serif").c_str()));
}

INT_PTR Dialog::Run(HWND owner) {
    // A template without controls: they are created at pixel positions on WM_INITDIALOG, since
    // a template would place them in dialog units.
    struct alignas(DWORD) Template {
        DLGTEMPLATE dialog;
        WORD menu;
        WORD windowClass;
        WORD title;
    };
    Template empty{};
    empty.dialog.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    if (frame_.systemMenu)
        empty.dialog.style |= WS_SYSMENU;
    if (topmost_)
        empty.dialog.dwExtendedStyle = WS_EX_TOPMOST;
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &empty.dialog, owner,
                                                   Procedure, reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    return result == -1 ? IDCANCEL : result;
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<Dialog*>(lParam)->Initialise(window);
        return FALSE; // the focus is set
    }
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    return dialog ? dialog->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR Dialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        Command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        // The platform's close skips the Cancel button's handling: no message, nothing written.
        End(IDCANCEL);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(
            StaticColor(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
    default:
        return FALSE;
    }
}

void Dialog::Initialise(HWND window) {
    window_ = window;
    SetWindowTextW(window_, Widen(frame_.caption).c_str());
    ShowProgramIcon();
    font_ = DialogFont(-11);
    PlaceCentred();
    SetFocus(CreateControls());
}

void Dialog::ShowProgramIcon() {
    // Windows leaves a modal frame's title bar without one; window managers show it elsewhere.
    // Shared icons belong to the system.
    for (const auto& [kind, size] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
        const int pixels = GetSystemMetrics(size);
        if (HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                     pixels, pixels, LR_SHARED))
            SendMessageW(window_, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
    }
}

void Dialog::PlaceCentred() {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
    RECT outer{0, 0, frame_.width, frame_.height};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 2;
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH Dialog::StaticColor(HWND, HDC) {
    return nullptr;
}

HWND Dialog::AddControl(const wchar_t* windowClass, std::string_view text, DWORD style, int id,
                        const ControlBox& box, DWORD exStyle) {
    const std::wstring caption = Widen(text);
    HWND control =
        CreateWindowExW(exStyle, windowClass, caption.c_str(), WS_CHILD | WS_VISIBLE | style,
                        box.left, box.top, box.width, box.height, window_,
                        reinterpret_cast<HMENU>(INT_PTR{id}), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
}

HWND Dialog::AddButton(const ControlLayout& layout, int id, bool isDefault) {
    const DWORD kind = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    HWND button = AddControl(L"BUTTON", layout.text, kind | WS_TABSTOP, id, layout.box);
    if (isDefault)
        SendMessageW(window_, DM_SETDEFID, static_cast<WPARAM>(id), 0);
    return button;
}

std::string Dialog::ItemText(int id) const {
    HWND item = Item(id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)), L'\0');
    const int copied = GetWindowTextW(item, text.data(), static_cast<int>(text.size()) + 1);
    text.resize(static_cast<std::size_t>(copied));
    return Narrow(text);
}

void Dialog::End(INT_PTR result) {
    EndDialog(window_, result);
}

void ShowDialogMessage(HWND owner, const DialogMessage& message) {
    ShowMessageBox(owner, message.text, message.caption, IconStyle(message.icon));
}

void Dialog::ShowOutcome(const DialogOutcome& outcome) {
    if (outcome.message)
        ShowDialogMessage(window_, *outcome.message);
    if (outcome.end != DialogEnd::StayOpen)
        End(outcome.end == DialogEnd::OK ? IDOK : IDCANCEL);
}

} // namespace dd
