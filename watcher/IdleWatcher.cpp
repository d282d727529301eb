#include "watcher/IdleWatcher.h"

namespace dd {

void IdleWatcher::Idle() {
    // The desktop's lock screen would hide the saver, which would then draw for hours unseen.
    if (saving_ || locked_)
        return;
    heldBack_ = actions_.inhibited && actions_.inhibited();
    if (heldBack_)
        return;
    saving_ = true;
    actions_.startSaver();
}

void IdleWatcher::InhibitorReleased() {
    if (!heldBack_ || (actions_.inhibited && actions_.inhibited()))
        return;
    heldBack_ = false;
    if (actions_.countAgain)
        actions_.countAgain();
}

void IdleWatcher::Locked(bool locked) {
    locked_ = locked;
    if (locked && saving_)
        actions_.endSaver();
}

void IdleWatcher::SessionEnded() {
    if (saving_)
        actions_.endSaver();
}

} // namespace dd
