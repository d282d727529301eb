#include "watcher/SessionLock.h"

#include "watcher/BusProcess.h"

#include <cstdlib>
#include <poll.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

namespace dd {
namespace {

constexpr const char* kLogind = "org.freedesktop.login1";

class LogindLock : public SessionLock {
public:
    LogindLock(sd_bus* bus, std::string session) : bus_(bus), session_(std::move(session)) {}
    LogindLock(const LogindLock&) = delete;
    LogindLock& operator=(const LogindLock&) = delete;
    ~LogindLock() override {
        sd_bus_slot_unref(match_);
        sd_bus_flush_close_unref(bus_);
    }

    bool Watch() {
        // From any sender: the hint is read again from logind itself whenever it may have
        // changed, and a well-known sender is not matched by every bus.
        if (sd_bus_match_signal(bus_, &match_, nullptr, session_.c_str(),
                                "org.freedesktop.DBus.Properties", "PropertiesChanged",
                                &LogindLock::Changed, this) < 0)
            return false;
        return Read();
    }

    std::string Name() const override { return "logind's LockedHint of " + session_; }
    bool Locked() const override { return locked_; }
    int Descriptor() const override { return sd_bus_get_fd(bus_); }
    short Events() const override { return static_cast<short>(sd_bus_get_events(bus_)); }

    bool Dispatch() override { return ProcessAll(bus_); }

private:
    // Reads the hint again; false when it cannot be read.
    bool Read() {
        sd_bus_error error = SD_BUS_ERROR_NULL;
        int locked = 0;
        const int read = sd_bus_get_property_trivial(bus_, kLogind, session_.c_str(),
                                                     "org.freedesktop.login1.Session", "LockedHint",
                                                     &error, 'b', &locked);
        sd_bus_error_free(&error);
        if (read < 0)
            return false;
        locked_ = locked != 0;
        return true;
    }

    static int Changed(sd_bus_message*, void* data, sd_bus_error*) {
        auto* self = static_cast<LogindLock*>(data);
        const bool was = self->locked_;
        if (self->Read() && self->locked_ != was && self->OnChanged)
            self->OnChanged(self->locked_);
        return 0;
    }

    sd_bus* bus_;
    std::string session_;
    sd_bus_slot* match_ = nullptr;
    bool locked_ = false;
};

// The object path of this process's session: by its process, else by XDG_SESSION_ID, else
// "auto", which logind takes for the user's graphical session: a user unit of systemd's
// belongs to no session of its own, and the user manager's environment names none.
std::string SessionPath(sd_bus* bus) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = nullptr;
    int called = sd_bus_call_method(bus, kLogind, "/org/freedesktop/login1",
                                    "org.freedesktop.login1.Manager", "GetSessionByPID", &error,
                                    &reply, "u", static_cast<std::uint32_t>(getpid()));
    const char* variable = std::getenv("XDG_SESSION_ID");
    for (const char* id : {variable && *variable ? variable : nullptr, "auto"}) {
        if (called >= 0 || !id)
            continue;
        sd_bus_error_free(&error);
        called = sd_bus_call_method(bus, kLogind, "/org/freedesktop/login1",
                                    "org.freedesktop.login1.Manager", "GetSession", &error, &reply,
                                    "s", id);
    }
    sd_bus_error_free(&error);
    const char* path = nullptr;
    std::string session;
    if (called >= 0 && sd_bus_message_read(reply, "o", &path) >= 0)
        session = path;
    sd_bus_message_unref(reply);
    return session;
}

} // namespace

std::unique_ptr<SessionLock> SessionLock::Open() {
    sd_bus* bus = nullptr;
    if (sd_bus_open_system(&bus) < 0)
        return nullptr;
    const std::string session = SessionPath(bus);
    if (session.empty()) {
        sd_bus_flush_close_unref(bus);
        return nullptr;
    }
    auto lock = std::make_unique<LogindLock>(bus, session);
    return lock->Watch() ? std::move(lock) : nullptr;
}

} // namespace dd
