#include "shell/win32/Dravgetp.h"

#include "shell/PasswordPrompt.h"
#include "shell/win32/Dialog.h"

namespace dd {
namespace {

constexpr int kPasswordEdit = 100;

class PasswordDialog final : public Dialog {
public:
    explicit PasswordDialog(const std::string& expected)
        : Dialog({L"Password", 249, 97, false, true}), expected_(expected) {}

private:
    HWND CreateControls() override {
        AddControl(L"STATIC",
                   L"Please enter your password in the box below and Press <Enter>. Press <Esc> "
                   L"to cancel.",
                   SS_LEFT | SS_NOPREFIX, kNoId, {8, 4, 233, 34});
        HWND edit = AddControl(L"EDIT", L"", ES_PASSWORD | ES_AUTOHSCROLL | WS_TABSTOP,
                               kPasswordEdit, {8, 40, 233, 21}, WS_EX_CLIENTEDGE);
        SendMessageW(edit, EM_SETPASSWORDCHAR, L'*', 0);
        AddButton(L"OK", IDOK, 44, 68, true);
        AddButton(L"Cancel", IDCANCEL, 130, 68);
        return edit;
    }

    void Command(int id, int) override {
        if (id == IDOK)
            ShowOutcome({{}, PasswordPromptOK(ItemText(kPasswordEdit), expected_)});
        else if (id == IDCANCEL)
            End(IDCANCEL);
    }

    const std::string& expected_;
};

// Shows the arrow however often the cursor was hidden, and hides it as often again on return.
class DefaultCursor {
public:
    DefaultCursor() {
        do
            ++shown_;
        while (ShowCursor(TRUE) < 0);
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    }
    ~DefaultCursor() {
        for (; shown_ > 0; --shown_)
            ShowCursor(FALSE);
    }
    DefaultCursor(const DefaultCursor&) = delete;
    DefaultCursor& operator=(const DefaultCursor&) = delete;

private:
    int shown_ = 0;
};

} // namespace

bool RunPasswordPrompt(HWND owner, const std::string& password) {
    const DefaultCursor cursor;
    PasswordDialog dialog(password);
    return dialog.Run(owner) == IDOK;
}

} // namespace dd
