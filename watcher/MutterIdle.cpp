#include "watcher/MutterIdle.h"

#include "watcher/BusProcess.h"

#include <string_view>
#include <systemd/sd-bus.h>

namespace dd {
namespace {

constexpr const char* kService = "org.gnome.Mutter.IdleMonitor";
constexpr const char* kMonitor = "/org/gnome/Mutter/IdleMonitor/Core";

class MutterIdle : public IdleSource {
public:
    MutterIdle(sd_bus* bus, std::chrono::milliseconds delay) : bus_(bus), delay_(delay) {}
    MutterIdle(const MutterIdle&) = delete;
    MutterIdle& operator=(const MutterIdle&) = delete;
    ~MutterIdle() override {
        sd_bus_slot_unref(match_);
        sd_bus_slot_unref(ownerMatch_);
        sd_bus_slot_unref(pending_);
        sd_bus_flush_close_unref(bus_);
    }

    // Adds the idle watch; false where there is no idle monitor to add it to.
    bool Watch() {
        // The watch's signal is sent to this connection alone, from whatever name Mutter has.
        if (sd_bus_match_signal(bus_, &match_, nullptr, kMonitor, kService, "WatchFired",
                                &MutterIdle::Fired, this) < 0)
            return false;
        sd_bus_error error = SD_BUS_ERROR_NULL;
        sd_bus_message* reply = nullptr;
        const int called = sd_bus_call_method(bus_, kService, kMonitor, kService, "AddIdleWatch",
                                              &error, &reply, "t", Interval());
        sd_bus_error_free(&error);
        const bool added = called >= 0 && sd_bus_message_read(reply, "u", &watch_) >= 0;
        sd_bus_message_unref(reply);
        // A shell that restarts (on X it may) forgets its watches.
        return added &&
               sd_bus_match_signal(bus_, &ownerMatch_, "org.freedesktop.DBus",
                                   "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                   "NameOwnerChanged", &MutterIdle::OwnerChanged, this) >= 0;
    }

    std::string Name() const override { return "GNOME's org.gnome.Mutter.IdleMonitor"; }
    int Descriptor() const override { return sd_bus_get_fd(bus_); }
    // What the bus library has read already (with a reply it waited for) wakes no poll.
    void Flush() override {
        sd_bus_flush(bus_);
        Dispatch();
    }
    bool Dispatch() override { return ProcessAll(bus_); }

private:
    std::uint64_t Interval() const { return static_cast<std::uint64_t>(delay_.count()); }

    static int Fired(sd_bus_message* message, void* data, sd_bus_error*) {
        auto* self = static_cast<MutterIdle*>(data);
        std::uint32_t watch = 0;
        if (sd_bus_message_read(message, "u", &watch) >= 0 && watch == self->watch_ && self->OnIdle)
            self->OnIdle();
        return 0;
    }

    static int OwnerChanged(sd_bus_message* message, void* data, sd_bus_error*) {
        auto* self = static_cast<MutterIdle*>(data);
        const char* name = nullptr;
        const char* before = nullptr;
        const char* after = nullptr;
        if (sd_bus_message_read(message, "sss", &name, &before, &after) < 0 ||
            std::string_view(name) != kService)
            return 0;
        self->watch_ = 0;
        if (*after) {
            self->pending_ = sd_bus_slot_unref(self->pending_);
            sd_bus_call_method_async(self->bus_, &self->pending_, kService, kMonitor, kService,
                                     "AddIdleWatch", &MutterIdle::Added, self, "t",
                                     self->Interval());
        }
        return 0;
    }

    static int Added(sd_bus_message* reply, void* data, sd_bus_error*) {
        auto* self = static_cast<MutterIdle*>(data);
        if (!sd_bus_message_is_method_error(reply, nullptr) &&
            sd_bus_message_read(reply, "u", &self->watch_) >= 0 && self->OnNote)
            self->OnNote(self->Name() + " is back; watching it again");
        return 0;
    }

    sd_bus* bus_;
    std::chrono::milliseconds delay_;
    sd_bus_slot* match_ = nullptr;
    sd_bus_slot* ownerMatch_ = nullptr;
    sd_bus_slot* pending_ = nullptr;
    std::uint32_t watch_ = 0;
};

} // namespace

std::unique_ptr<IdleSource> OpenMutterIdle(std::chrono::milliseconds delay) {
    sd_bus* bus = nullptr;
    if (sd_bus_open_user(&bus) < 0)
        return nullptr;
    auto source = std::make_unique<MutterIdle>(bus, delay);
    return source->Watch() ? std::move(source) : nullptr;
}

} // namespace dd
