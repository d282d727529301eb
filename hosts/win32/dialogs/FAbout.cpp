#include "hosts/win32/dialogs/FAbout.h"

#include "hosts/win32/dialogs/Dialog.h"
#include "hosts/win32/dialogs/Dravchgp.h"
#include "hosts/win32/dialogs/fHelp.h"
#include "platform/win32/WideText.h"
#include "shell/HelpText.h"
#include "shell/Settings.h"
#include "shell/SettingsForm.h"

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

using Layout = SettingsLayout;

class SettingsDialog final : public Dialog {
public:
    SettingsDialog()
        : Dialog(Layout::frame), icon_(ProgramIcon()),
          titleFont_(DialogFont(-Layout::kTitlePixels, FW_BOLD)) {}

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
        HWND image = AddControl(L"STATIC", "", SS_ICON, kNoId, Layout::icon);
        SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
    }

    void CreateLabels() {
        HWND title = AddControl(L"STATIC", Layout::title.text,
                                SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, kNoId, Layout::title.box);
        SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);
        for (std::size_t line = 0; line < Layout::keyLineTops.size(); ++line)
            AddControl(L"STATIC", kHelpLines[Layout::kFirstKeyLine + line],
                       SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, kNoId, Layout::KeyLineBox(line));
    }

    // The group's controls are the dialog's own, at their places in the dialog.
    HWND CreateSettings() {
        AddControl(L"BUTTON", Layout::group.text, BS_GROUPBOX, kNoId, Layout::group.box);
        AddControl(L"STATIC", Layout::backgroundLabel.text, SS_LEFT | SS_CENTERIMAGE, kNoId,
                   Layout::backgroundLabel.box);
        ControlBox list = Layout::background;
        list.height = 160; // the field and its drop-down list
        HWND combo = AddControl(L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                                kBackground, list);
        SetFieldHeight(combo, Layout::background.height);
        for (std::string_view item : kPictureItems)
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
        AddControl(L"BUTTON", Layout::sound.text, BS_AUTOCHECKBOX | WS_TABSTOP, kSound,
                   Layout::sound.box);
        AddControl(L"BUTTON", Layout::followStar.text, BS_AUTOCHECKBOX | WS_TABSTOP, kFollow,
                   Layout::followStar.box);
        return combo;
    }

    void CreateButtons() {
        AddButton(Layout::help, kHelp);
        AddButton(Layout::password, kPassword);
        AddButton(Layout::ok, IDOK, true);
        AddButton(Layout::cancel, IDCANCEL);
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
