#pragma once

// The change-password dialog without its controls: the old password opens the new boxes, two
// equal new entries enable OK, and OK stores the new password as "PWD".

#include "platform/io/ProfileFile.h"
#include "shell/DialogOutcome.h"

#include <string>
#include <string_view>

namespace dd {

class ChangePassword {
public:
    struct Enabled {
        bool newBoxes = false;
        bool ok = false;
        bool operator==(const Enabled&) const = default;
    };

    // Reads the stored password once; afterwards it follows this dialog's own writes.
    explicit ChangePassword(ProfileFile settings);

    // For the boxes' texts: the new boxes open only while the old box holds exactly the stored
    // password (at once when none is stored); OK needs them open and equal (empty ones are).
    Enabled ForTexts(std::string_view oldText, std::string_view new1, std::string_view new2) const;
    // Stores `newPassword`; a failed write is reported and the dialog stays open.
    DialogOutcome OKClick(const std::string& newPassword);
    // Cancel and Escape: nothing is written.
    static DialogOutcome CancelClick();

    const std::string& StoredPassword() const { return stored_; }

private:
    ProfileFile settings_;
    std::string stored_;
};

} // namespace dd
