#include "hosts/win32/dialogs/fHelp.h"

#include "hosts/win32/dialogs/Dialog.h"
#include "shell/HelpText.h"

namespace dd {
namespace {

constexpr int kMemo = 100;

std::string JoinedHelpLines() {
    std::string text;
    for (std::size_t i = 0; i < kHelpLines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += kHelpLines[i];
    }
    return text;
}

class HelpDialog final : public Dialog {
public:
    HelpDialog() : Dialog(HelpLayout::frame) {}

private:
    HWND CreateControls() override {
        HWND close = AddButton(HelpLayout::close, IDCANCEL, true);
        AddControl(L"EDIT", JoinedHelpLines(), ES_MULTILINE | ES_READONLY | WS_TABSTOP, kMemo,
                   HelpLayout::text, WS_EX_CLIENTEDGE);
        return close;
    }

    void Command(int id, int notification) override {
        if (id == kMemo && notification == EN_SETFOCUS)
            SendMessageW(Item(kMemo), EM_SETSEL, 0, 0); // Tab marks the whole text otherwise
        else if (id == IDCANCEL || id == IDOK)
            End(IDCANCEL);
    }

    HBRUSH StaticColor(HWND control, HDC dc) override {
        // Read-only, yet a text box like any other rather than a grey panel.
        if (control != Item(kMemo))
            return nullptr;
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return GetSysColorBrush(COLOR_WINDOW);
    }
};

} // namespace

void RunHelpDialog(HWND owner) {
    HelpDialog dialog;
    dialog.Run(owner);
}

HelpText HelpWindowText() {
    HelpText help;
    help.lines.assign(kHelpLines.begin(), kHelpLines.end());
    help.width = HelpLayout::text.width;
    help.height = HelpLayout::text.height;
    return help;
}

} // namespace dd
