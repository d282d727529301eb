#pragma once

// The Settings dialog's background, sound and follow-star settings without its controls.

#include "platform/io/ProfileFile.h"
#include "shell/DialogOutcome.h"

#include <array>
#include <string_view>

namespace dd {

// The background list; an item's index is its "Picture" value.
inline constexpr std::array<std::string_view, 5> kPictureItems = {"Random Colors", "Random Picture",
                                                                  "Air", "Water", "Sea"};

struct SettingsChoice {
    int picture = 0; // an index into kPictureItems
    bool sound = false;
    bool followStar = false;
};

// What the dialog shows at creation; a "Picture" outside the list shows as its first item.
SettingsChoice ReadSettingsChoice(const ProfileFile& file);
// OK: writes "Sound", "FollowStar" and "Picture" in this order and closes; at a failed write the
// rest is not written, the error is reported and the dialog stays open.
DialogOutcome SettingsOKClick(ProfileFile file, const SettingsChoice& choice);

} // namespace dd
