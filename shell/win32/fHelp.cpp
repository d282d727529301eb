#include "shell/win32/fHelp.h"

#include "platform/win32/WideText.h"
#include "shell/HelpText.h"
#include "shell/win32/Dialog.h"

namespace dd {
namespace {

constexpr int kMemo = 100;
constexpr Box kMemoBox{8, 8, 305, 281};

std::wstring JoinedHelpLines() {
    std::wstring text;
    for (std::size_t i = 0; i < kHelpLines.size(); ++i) {
        if (i > 0)
            text += L"\r\n";
        text += Widen(kHelpLines[i]);
    }
    return text;
}

class HelpDialog final : public Dialog {
public:
    HelpDialog() : Dialog({L"Dravelin Didazi Screen Saver Help", 321, 329}) {}

private:
    HWND CreateControls() override {
        HWND close = AddButton(L"Close", IDCANCEL, 123, 297, true);
        AddControl(L"EDIT", JoinedHelpLines(), ES_MULTILINE | ES_READONLY | WS_TABSTOP, kMemo,
                   kMemoBox, WS_EX_CLIENTEDGE);
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
    help.width = kMemoBox.width;
    help.height = kMemoBox.height;
    return help;
}

} // namespace dd
