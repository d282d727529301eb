#include "shell/SettingsForm.h"

#include "shell/Settings.h"

namespace dd {

SettingsChoice ReadSettingsChoice(const ProfileFile& file) {
    SettingsChoice choice;
    choice.sound = file.ReadBool(kSettingsSection, kKeySound, false);
    choice.followStar = file.ReadBool(kSettingsSection, kKeyFollowStar, false);
    const int picture = file.ReadInteger(kSettingsSection, kKeyPicture, 0);
    const bool listed = picture >= 0 && picture < static_cast<int>(kPictureItems.size());
    choice.picture = listed ? picture : 0;
    return choice;
}

DialogOutcome SettingsOKClick(ProfileFile file, const SettingsChoice& choice) {
    try {
        file.WriteBool(kSettingsSection, kKeySound, choice.sound);
        file.WriteBool(kSettingsSection, kKeyFollowStar, choice.followStar);
        file.WriteInteger(kSettingsSection, kKeyPicture, choice.picture);
    } catch (const Exception& e) {
        return {ErrorReport(e), DialogEnd::StayOpen};
    }
    return {std::nullopt, DialogEnd::OK};
}

} // namespace dd
