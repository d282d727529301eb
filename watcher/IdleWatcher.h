#pragma once

#include <functional>

namespace dd {

// What the idle watcher does about what the desktop tells it. The desktop's idle source reports
// the session idle for the whole delay once after each spell of activity, which is the rule
// that a saver starts again only after activity and a new idle period; the watcher adds the
// rest: no saver while the session is locked or an inhibitor the source does not see is held, a
// saver it started ended when the session locks, never two of its own at once.
class IdleWatcher {
public:
    struct Actions {
        std::function<void()> startSaver;
        std::function<void()> endSaver;
        // Whether an inhibitor the idle source does not see is held; none when empty.
        std::function<bool()> inhibited;
        // Has the source count the delay again from now.
        std::function<void()> countAgain;
    };

    explicit IdleWatcher(Actions actions) : actions_(std::move(actions)) {}

    // The session has been idle for the whole delay.
    void Idle();
    // An inhibitor the source does not see was released. An idle moment it held back counts
    // again from now, as the desktop's own blank does: a video that ends leaves the session idle.
    void InhibitorReleased();
    // The session was locked or unlocked.
    void Locked(bool locked);
    // The saver the watcher started has ended, however.
    void SaverEnded() { saving_ = false; }
    // The session ends: a saver the watcher started ends with it.
    void SessionEnded();

    bool Saving() const { return saving_; }

private:
    Actions actions_;
    bool saving_ = false;
    bool locked_ = false;
    bool heldBack_ = false;
};

} // namespace dd
