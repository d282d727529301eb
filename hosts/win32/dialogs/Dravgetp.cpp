#include "hosts/win32/dialogs/Dravgetp.h"

#include "hosts/win32/dialogs/Dialog.h"
#include "shell/PasswordPrompt.h"

namespace dd {
namespace {

constexpr int kPasswordEdit = 100;

using Layout = PasswordPromptLayout;

class PasswordDialog final : public Dialog {
public:
    explicit PasswordDialog(const std::string& expected)
        : Dialog(Layout::frame, true), expected_(expected) {}

private:
    HWND CreateControls() override {
        AddControl(L"STATIC", Layout::prompt.text, SS_LEFT | SS_NOPREFIX, kNoId,
                   Layout::prompt.box);
        HWND edit = AddControl(L"EDIT", "", ES_PASSWORD | ES_AUTOHSCROLL | WS_TABSTOP,
                               kPasswordEdit, Layout::password, WS_EX_CLIENTEDGE);
        SendMessageW(edit, EM_SETPASSWORDCHAR, L'*', 0);
        AddButton(Layout::ok, IDOK, true);
        AddButton(Layout::cancel, IDCANCEL);
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
