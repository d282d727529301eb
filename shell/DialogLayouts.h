#pragma once

// The dialogs as both desktops' views lay them out: captions, client sizes, the controls' texts
// with their & accelerators and their places in client pixels. Each dialog lists its controls
// in tab order, and the views create them in that order.

#include "shell/Entry.h"
#include "shell/HelpText.h"

#include <array>
#include <string_view>

namespace dd {

struct ControlBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct DialogFrameLayout {
    std::string_view caption;
    int width = 0; // of the client area
    int height = 0;
    bool systemMenu = false; // the title bar's close icon
};

struct ControlLayout {
    std::string_view text;
    ControlBox box;
};

// Every push button is 75 x 25.
constexpr ControlLayout Button(std::string_view text, int left, int top) {
    return {text, {left, top, 75, 25}};
}

struct PasswordPromptLayout {
    static constexpr DialogFrameLayout frame{"Password", 249, 97, false};
    static constexpr ControlLayout prompt{
        "Please enter your password in the box below and Press <Enter>. Press <Esc> to cancel.",
        {8, 4, 233, 34}};
    static constexpr ControlBox password{8, 40, 233, 21};
    static constexpr ControlLayout ok = Button("OK", 44, 68); // the default button
    static constexpr ControlLayout cancel = Button("Cancel", 130, 68);
};

struct ChangePasswordLayout {
    static constexpr DialogFrameLayout frame{"Change Password", 249, 121, false};
    // A label and its password box on each row: the old password, the new one, and again.
    struct Row {
        std::string_view label;
        int top = 0;
        constexpr ControlBox LabelBox() const { return {8, top + 3, 118, 16}; }
        constexpr ControlBox EditBox() const { return {128, top, 113, 21}; }
    };
    static constexpr Row oldPassword{"Old Password:", 8};
    static constexpr Row newPassword{"New Password:", 34};
    static constexpr Row retyped{"Retype new password:", 60};
    static constexpr ControlLayout ok = Button("OK", 44, 90); // the default button
    static constexpr ControlLayout cancel = Button("Cancel", 130, 90);
};

struct SettingsLayout {
    static constexpr DialogFrameLayout frame{"Settings", 377, 289, true};
    static constexpr ControlBox icon{8, 8, 32, 32};
    // The program's name in a bold face of this many pixels.
    static constexpr ControlLayout title{kApplicationTitle, {48, 8, 321, 28}};
    static constexpr int kTitlePixels = 17;
    // The help text's list of keys, a label a line.
    static constexpr std::size_t kFirstKeyLine = 13;
    static constexpr std::array<int, 6> keyLineTops = {44, 62, 78, 94, 110, 126};
    static constexpr ControlBox KeyLineBox(std::size_t line) {
        return {16, keyLineTops[line], 353, 16};
    }
    static constexpr ControlLayout group{"Settings", {8, 150, 361, 96}};
    static constexpr ControlLayout backgroundLabel{"&Background image:", {20, 174, 120, 20}};
    static constexpr ControlBox background{144, 172, 150, 24};
    static constexpr ControlLayout sound{"&Sound", {20, 208, 120, 22}};
    static constexpr ControlLayout followStar{"&Follow star", {144, 208, 150, 22}};
    static constexpr ControlLayout help = Button("&Help", 8, 256);
    static constexpr ControlLayout password = Button("&Password", 88, 256);
    static constexpr ControlLayout ok = Button("&OK", 214, 256); // the default button
    static constexpr ControlLayout cancel = Button("&Cancel", 294, 256);
};
static_assert(SettingsLayout::kFirstKeyLine + SettingsLayout::keyLineTops.size() ==
              kHelpLines.size());

struct HelpLayout {
    static constexpr DialogFrameLayout frame{"Dravelin Didazi Screen Saver Help", 321, 329, false};
    static constexpr ControlLayout close = Button("Close", 123, 297); // the default button
    static constexpr ControlBox text{8, 8, 305, 281};
};

} // namespace dd
