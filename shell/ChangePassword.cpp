#include "shell/ChangePassword.h"

#include "shell/Settings.h"

#include <utility>

namespace dd {

ChangePassword::ChangePassword(ProfileFile settings)
    : settings_(std::move(settings)),
      stored_(settings_.ReadString(kSettingsSection, kKeyPassword, "")) {}

ChangePassword::Enabled ChangePassword::ForTexts(std::string_view oldText, std::string_view new1,
                                                 std::string_view new2) const {
    const bool open = oldText == stored_;
    return {open, open && new1 == new2};
}

DialogOutcome ChangePassword::OKClick(const std::string& newPassword) {
    try {
        settings_.WriteString(kSettingsSection, kKeyPassword, newPassword);
    } catch (const Exception& e) {
        return {ErrorReport(e), DialogEnd::StayOpen};
    }
    stored_ = newPassword;
    return {DialogMessage{"Your password has been changed.", "Message", MessageIcon::Information},
            DialogEnd::OK};
}

DialogOutcome ChangePassword::CancelClick() {
    return {
        DialogMessage{"Your password has NOT been changed.", "Message", MessageIcon::Exclamation},
        DialogEnd::Cancel};
}

} // namespace dd
