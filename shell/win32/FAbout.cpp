#include "shell/win32/FAbout.h"

#include "platform/win32/WideText.h"
#include "shell/Entry.h"
#include "shell/Settings.h"
#include "shell/SettingsForm.h"
#include "shell/win32/Dialog.h"
#include "shell/win32/Dravchgp.h"
#include "shell/win32/fHelp.h"

#include <memory>
#include <string_view>
#include <type_traits>

namespace dd {
namespace {

constexpr int kBackground = 100;
constexpr int kSound = 101;
constexpr int kFollow = 102;
constexpr int kHelp = 103;
constexpr int kPassword = 104;

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

IconHandle ProgramIcon() {
    return IconHandle(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0)));
}

int WindowHeight(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

// The selection field takes its height from the font; the dialog was laid out for `height`.
// Windows and Wine count the field's item height differently, so the result is measured.
void SetFieldHeight(HWND combo, int height) {
    constexpr auto kField = static_cast<WPARAM>(-1);
    LRESULT item = SendMessageW(combo, CB_GETITEMHEIGHT, kField, 0);
    for (int pass = 0; pass < 2; ++pass) {
        item += height - WindowHeight(combo);
        SendMessageW(combo, CB_SETITEMHEIGHT, kField, item);
    }
}

ProfileFile ControlIni() {
    return SettingsFile("Control.ini");
}

class SettingsDialog final : public Dialog {
public:
    SettingsDialog()
        : Dialog({L"Settings", 377, 289, true}), icon_(ProgramIcon()),
          titleFont_(DialogFont(-17, FW_BOLD)) {}

private:
    HWND CreateControls() override {
        ShowIcon();
        CreateLabels();
        HWND first = CreateSettings();
        CreateButtons();
        ReadSettings();
        return first;
    }

    void ShowIcon() {
        if (!icon_)
            return;
        HWND image = AddControl(L"STATIC", L"", SS_ICON, kNoId, {8, 8, 32, 32});
        SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
    }

    void AddLabel(std::wstring_view text, int top) {
        AddControl(L"STATIC", text, SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, kNoId,
                   {16, top, 353, 16});
    }

    void CreateLabels() {
        HWND title = AddControl(L"STATIC", Widen(kApplicationTitle),
                                SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, kNoId, {48, 8, 321, 28});
        SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);
        AddLabel(L"You can use the following keys:", 44);
        AddLabel(L"* Arrow keys left/right: changes the direction of the boat;", 62);
        AddLabel(L"* Home/page up: changes the position of the sail;", 78);
        AddLabel(L"* G: starts the game when in screensaver mode;", 94);
        AddLabel(L"* S: switches sound on and off;", 110);
        AddLabel(L"* H: shows/hides this Help screen.", 126);
    }

    // The group's controls are the dialog's own, placed at the group's offset (8, 150).
    HWND CreateSettings() {
        AddControl(L"BUTTON", L"Settings", BS_GROUPBOX, kNoId, {8, 150, 361, 96});
        AddControl(L"STATIC", L"&Background image:", SS_LEFT | SS_CENTERIMAGE, kNoId,
                   {20, 174, 120, 20});
        HWND combo = AddControl(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                                kBackground, {144, 172, 150, 160});
        SetFieldHeight(combo, 24);
        for (std::string_view item : kPictureItems)
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
        AddControl(L"BUTTON", L"&Sound", BS_AUTOCHECKBOX | WS_TABSTOP, kSound, {20, 208, 120, 22});
        AddControl(L"BUTTON", L"&Follow star", BS_AUTOCHECKBOX | WS_TABSTOP, kFollow,
                   {144, 208, 150, 22});
        return combo;
    }

    void CreateButtons() {
        AddButton(L"&Help", kHelp, 8, 256);
        AddButton(L"&Password", kPassword, 88, 256);
        AddButton(L"&OK", IDOK, 214, 256, true);
        AddButton(L"&Cancel", IDCANCEL, 294, 256);
    }

    void ReadSettings() {
        const SettingsChoice choice = ReadSettingsChoice(ControlIni());
        SendMessageW(Item(kBackground), CB_SETCURSEL, static_cast<WPARAM>(choice.picture), 0);
        CheckDlgButton(Window(), kSound, choice.sound ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(Window(), kFollow, choice.followStar ? BST_CHECKED : BST_UNCHECKED);
    }

    SettingsChoice Choice() const {
        SettingsChoice choice;
        choice.picture = static_cast<int>(SendMessageW(Item(kBackground), CB_GETCURSEL, 0, 0));
        choice.sound = IsDlgButtonChecked(Window(), kSound) == BST_CHECKED;
        choice.followStar = IsDlgButtonChecked(Window(), kFollow) == BST_CHECKED;
        return choice;
    }

    void Command(int id, int notification) override {
        if (notification != BN_CLICKED)
            return;
        switch (id) {
        case kHelp:
            RunHelpDialog(Window());
            break;
        case kPassword:
            RunChangePasswordDialog(Window());
            break;
        case IDOK:
            ShowOutcome(SettingsOKClick(ControlIni(), Choice()));
            break;
        case IDCANCEL:
            End(IDCANCEL);
            break;
        default:
            break;
        }
    }

    IconHandle icon_;
    FontHandle titleFont_;
};

} // namespace

void RunSettingsDialog(HWND owner) {
    SettingsDialog dialog;
    dialog.Run(owner);
}

} // namespace dd
