#include "shell/RunEnd.h"

#include "shell/Entry.h"

namespace dd {

bool RunEnd::Fail(const std::exception& error) {
    if (failed_)
        return false;
    failed_ = true;
    host_.MessageBox(error.what(), std::string(kApplicationTitle), MessageIcon::Error);
    return true;
}

void RunEnd::Quit() {
    if (quitPosted_)
        return;
    quitPosted_ = true;
    host_.Quit();
}

} // namespace dd
