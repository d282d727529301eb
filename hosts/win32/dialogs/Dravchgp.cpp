#include "hosts/win32/dialogs/Dravchgp.h"

#include "hosts/win32/dialogs/Dialog.h"
#include "shell/ChangePassword.h"
#include "shell/Settings.h"

namespace dd {
namespace {

constexpr int kOld = 100;
constexpr int kNew1 = 101;
constexpr int kNew2 = 102;
constexpr COLORREF kSilver = 0xC0C0C0; // red, green and blue all 192

using Layout = ChangePasswordLayout;

class ChangePasswordDialog final : public Dialog {
public:
    ChangePasswordDialog() : Dialog(Layout::frame), logic_(SettingsFile()) {}

private:
    HWND CreateControls() override {
        HWND old = AddPasswordRow(Layout::oldPassword, kOld);
        AddPasswordRow(Layout::newPassword, kNew1);
        AddPasswordRow(Layout::retyped, kNew2);
        AddButton(Layout::ok, IDOK, true);
        AddButton(Layout::cancel, IDCANCEL);
        UpdateControls();
        return old;
    }

    HWND AddPasswordRow(const Layout::Row& row, int id) {
        AddControl(L"STATIC", row.label, SS_LEFT | SS_CENTERIMAGE, kNoId, row.LabelBox());
        HWND edit = AddControl(L"EDIT", "", ES_PASSWORD | ES_AUTOHSCROLL | WS_TABSTOP, id,
                               row.EditBox(), WS_EX_CLIENTEDGE);
        SendMessageW(edit, EM_SETPASSWORDCHAR, L'*', 0);
        return edit;
    }

    void UpdateControls() {
        const ChangePassword::Enabled on =
            logic_.ForTexts(ItemText(kOld), ItemText(kNew1), ItemText(kNew2));
        EnableWindow(Item(kNew1), on.newBoxes);
        EnableWindow(Item(kNew2), on.newBoxes);
        EnableWindow(Item(IDOK), on.ok);
    }

    void Command(int id, int notification) override {
        if (notification == EN_CHANGE)
            UpdateControls();
        else if (id == IDOK && IsWindowEnabled(Item(IDOK))) // Enter reaches a disabled OK too
            ShowOutcome(logic_.OKClick(ItemText(kNew1)));
        else if (id == IDCANCEL)
            ShowOutcome(ChangePassword::CancelClick());
    }

    HBRUSH StaticColor(HWND control, HDC dc) override {
        // A closed new box is silver rather than the system's disabled colour.
        const int id = GetDlgCtrlID(control);
        if ((id != kNew1 && id != kNew2) || IsWindowEnabled(control))
            return nullptr;
        SetBkColor(dc, kSilver);
        return static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)); // silver too
    }

    ChangePassword logic_;
};

} // namespace

void RunChangePasswordDialog(HWND owner) {
    ChangePasswordDialog dialog;
    dialog.Run(owner);
}

} // namespace dd
