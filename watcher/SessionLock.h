#pragma once

#include <functional>
#include <memory>
#include <string>

namespace dd {

// Whether the session is locked, from systemd-logind: the LockedHint of the session the watcher
// belongs to, which GNOME Shell and KDE's screen locker set while their lock screen is up (and
// light-locker and xss-lock's lockers through them). It is the one signal both desktops give
// through the same service; their own org.gnome.ScreenSaver and org.freedesktop.ScreenSaver
// differ from desktop to desktop. Lockers that set no hint (swaylock, i3lock) go unseen.
class SessionLock {
public:
    // Null without a system bus, logind, or a session of this process's.
    static std::unique_ptr<SessionLock> Open();
    virtual ~SessionLock() = default;

    virtual std::string Name() const = 0;
    virtual bool Locked() const = 0;
    virtual int Descriptor() const = 0;
    // The events to wait for on the descriptor.
    virtual short Events() const = 0;
    // Handles what arrived; false once the bus has gone.
    virtual bool Dispatch() = 0;

    std::function<void(bool locked)> OnChanged;
};

} // namespace dd
