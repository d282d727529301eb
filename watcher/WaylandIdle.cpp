#include "watcher/WaylandIdle.h"

#include "ext-idle-notify-v1-client-protocol.h"
#include "kde-idle-client-protocol.h"

#include <cstring>
#include <wayland-client.h>

namespace dd {
namespace {

class WaylandIdle : public IdleSource {
public:
    WaylandIdle(wl_display* display, std::chrono::milliseconds delay)
        : display_(display), delay_(static_cast<std::uint32_t>(delay.count())) {}
    WaylandIdle(const WaylandIdle&) = delete;
    WaylandIdle& operator=(const WaylandIdle&) = delete;

    ~WaylandIdle() override {
        if (notification_)
            ext_idle_notification_v1_destroy(notification_);
        if (timeout_)
            org_kde_kwin_idle_timeout_release(timeout_);
        if (notifier_)
            ext_idle_notifier_v1_destroy(notifier_);
        if (kdeIdle_)
            org_kde_kwin_idle_destroy(kdeIdle_);
        if (seat_)
            wl_seat_destroy(seat_);
        if (registry_)
            wl_registry_destroy(registry_);
        wl_display_disconnect(display_);
    }

    // Looks for the protocols and a seat; false when the compositor offers no idle protocol.
    bool Watch() {
        registry_ = wl_display_get_registry(display_);
        static const wl_registry_listener listener{&WaylandIdle::Global, &WaylandIdle::GlobalGone};
        wl_registry_add_listener(registry_, &listener, this);
        if (wl_display_roundtrip(display_) < 0 || !seat_)
            return false;
        if (!notifier_ && !kdeIdle_)
            return false;
        Notify();
        return wl_display_roundtrip(display_) >= 0;
    }

    // A notification counts the delay from when it is made.
    void CountAgain() override {
        if (notification_)
            ext_idle_notification_v1_destroy(notification_);
        if (timeout_)
            org_kde_kwin_idle_timeout_release(timeout_);
        notification_ = nullptr;
        timeout_ = nullptr;
        Notify();
    }

    std::string Name() const override {
        return notifier_ ? "the Wayland compositor's ext-idle-notify-v1"
                         : "the Wayland compositor's org_kde_kwin_idle";
    }
    int Descriptor() const override { return wl_display_get_fd(display_); }
    void Flush() override { wl_display_flush(display_); }
    bool Dispatch() override { return wl_display_dispatch(display_) >= 0; }

private:
    static void Global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t) {
        auto* self = static_cast<WaylandIdle*>(data);
        if (std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0)
            self->notifier_ = static_cast<ext_idle_notifier_v1*>(
                wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
        else if (std::strcmp(interface, org_kde_kwin_idle_interface.name) == 0)
            self->kdeIdle_ = static_cast<org_kde_kwin_idle*>(
                wl_registry_bind(registry, name, &org_kde_kwin_idle_interface, 1));
        else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !self->seat_)
            self->seat_ =
                static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    }
    static void GlobalGone(void*, wl_registry*, std::uint32_t) {}

    // Asks for the report after the delay, through the first protocol there is.
    void Notify() {
        if (notifier_) {
            notification_ = ext_idle_notifier_v1_get_idle_notification(notifier_, delay_, seat_);
            static const ext_idle_notification_v1_listener events{
                [](void* self, ext_idle_notification_v1*) {
                    static_cast<WaylandIdle*>(self)->Idled();
                },
                [](void*, ext_idle_notification_v1*) {}};
            ext_idle_notification_v1_add_listener(notification_, &events, this);
        } else {
            timeout_ = org_kde_kwin_idle_get_idle_timeout(kdeIdle_, seat_, delay_);
            static const org_kde_kwin_idle_timeout_listener events{
                [](void* self, org_kde_kwin_idle_timeout*) {
                    static_cast<WaylandIdle*>(self)->Idled();
                },
                [](void*, org_kde_kwin_idle_timeout*) {}};
            org_kde_kwin_idle_timeout_add_listener(timeout_, &events, this);
        }
    }

    void Idled() {
        if (OnIdle)
            OnIdle();
    }

    wl_display* display_;
    std::uint32_t delay_;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    ext_idle_notifier_v1* notifier_ = nullptr;
    ext_idle_notification_v1* notification_ = nullptr;
    org_kde_kwin_idle* kdeIdle_ = nullptr;
    org_kde_kwin_idle_timeout* timeout_ = nullptr;
};

} // namespace

std::unique_ptr<IdleSource> OpenWaylandIdle(std::chrono::milliseconds delay) {
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return nullptr;
    auto source = std::make_unique<WaylandIdle>(display, delay);
    return source->Watch() ? std::move(source) : nullptr;
}

} // namespace dd
