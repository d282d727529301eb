#pragma once

// What a dialog's button leads to, said without any toolkit so that every host's dialogs show
// the same messages and end the same way.

#include "platform/core/Exception.h"
#include "shell/Entry.h"
#include "shell/SaverHost.h"

#include <optional>
#include <string>

namespace dd {

// A message box with one OK button.
struct DialogMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Information;
    bool operator==(const DialogMessage&) const = default;
};

enum class DialogEnd { StayOpen, OK, Cancel };

// The message box, if any, is shown first, with the dialog still up; then the dialog ends.
struct DialogOutcome {
    std::optional<DialogMessage> message;
    DialogEnd end = DialogEnd::StayOpen;
};

// The application's default error report: the error's text under the application's title.
inline DialogMessage ErrorReport(const Exception& error) {
    return {error.what(), std::string(kApplicationTitle), MessageIcon::Error};
}

} // namespace dd
