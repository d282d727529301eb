#include "watcher/MutterIdle.h"

#include <systemd/sd-bus.h>

namespace dd {
namespace {

constexpr const char* kService = "org.gnome.Mutter.IdleMonitor";
constexpr const char* kMonitor = "/org/gnome/Mutter/IdleMonitor/Core";

class MutterIdle : public IdleSource {
public:
    explicit MutterIdle(sd_bus* bus) : bus_(bus) {}
    MutterIdle(const MutterIdle&) = delete;
    MutterIdle& operator=(const MutterIdle&) = delete;
    ~MutterIdle() override {
        sd_bus_slot_unref(match_);
        sd_bus_flush_close_unref(bus_);
    }

    // Adds the idle watch; false where there is no idle monitor to add it to.
    bool Watch(std::chrono::milliseconds delay) {
        // The watch's signal is sent to this connection alone, from whatever name Mutter has.
        if (sd_bus_match_signal(bus_, &match_, nullptr, kMonitor, kService, "WatchFired",
                                &MutterIdle::Fired, this) < 0)
            return false;
        sd_bus_error error = SD_BUS_ERROR_NULL;
        sd_bus_message* reply = nullptr;
        const int called =
            sd_bus_call_method(bus_, kService, kMonitor, kService, "AddIdleWatch", &error, &reply,
                               "t", static_cast<std::uint64_t>(delay.count()));
        sd_bus_error_free(&error);
        const bool added = called >= 0 && sd_bus_message_read(reply, "u", &watch_) >= 0;
        sd_bus_message_unref(reply);
        return added;
    }

    std::string Name() const override { return "GNOME's org.gnome.Mutter.IdleMonitor"; }
    int Descriptor() const override { return sd_bus_get_fd(bus_); }
    // What the bus library has read already (with a reply it waited for) wakes no poll.
    void Flush() override {
        sd_bus_flush(bus_);
        Dispatch();
    }
    bool Dispatch() override {
        int handled = 0;
        while ((handled = sd_bus_process(bus_, nullptr)) > 0) {
        }
        return handled >= 0;
    }

private:
    static int Fired(sd_bus_message* message, void* data, sd_bus_error*) {
        auto* self = static_cast<MutterIdle*>(data);
        std::uint32_t watch = 0;
        if (sd_bus_message_read(message, "u", &watch) >= 0 && watch == self->watch_ && self->OnIdle)
            self->OnIdle();
        return 0;
    }

    sd_bus* bus_;
    sd_bus_slot* match_ = nullptr;
    std::uint32_t watch_ = 0;
};

} // namespace

std::unique_ptr<IdleSource> OpenMutterIdle(std::chrono::milliseconds delay) {
    sd_bus* bus = nullptr;
    if (sd_bus_open_user(&bus) < 0)
        return nullptr;
    auto source = std::make_unique<MutterIdle>(bus);
    return source->Watch(delay) ? std::move(source) : nullptr;
}

} // namespace dd
