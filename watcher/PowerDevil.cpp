#include "watcher/PowerDevil.h"

#include "watcher/BusProcess.h"

#include <optional>
#include <systemd/sd-bus.h>

namespace dd {
namespace {

constexpr const char* kAgent = "org.kde.Solid.PowerManagement.PolicyAgent";
constexpr const char* kAgentPath = "/org/kde/Solid/PowerManagement/PolicyAgent";
// PowerDevil's RequiredPolicy: ChangeScreenSettings, which a video player's inhibitor holds.
constexpr std::uint32_t kChangeScreenSettings = 4;

class PolicyAgent : public PowerDevil {
public:
    explicit PolicyAgent(sd_bus* bus) : bus_(bus) {}
    PolicyAgent(const PolicyAgent&) = delete;
    PolicyAgent& operator=(const PolicyAgent&) = delete;
    ~PolicyAgent() override {
        sd_bus_slot_unref(match_);
        sd_bus_flush_close_unref(bus_);
    }

    // Whether the agent answers at all, and tells of its changes: false where there is none.
    bool Answers() {
        return Ask().has_value() &&
               sd_bus_match_signal(bus_, &match_, nullptr, kAgentPath, kAgent, "InhibitionsChanged",
                                   &PolicyAgent::Changed, this) >= 0;
    }

    bool ScreenInhibited() override { return Ask().value_or(false); }
    int Descriptor() const override { return sd_bus_get_fd(bus_); }
    short Events() const override { return static_cast<short>(sd_bus_get_events(bus_)); }
    bool Dispatch() override { return ProcessAll(bus_); }

private:
    // Which inhibitors came and went the signal says by application; whether one that keeps the
    // screen is left only the agent knows.
    static int Changed(sd_bus_message*, void* data, sd_bus_error*) {
        auto* self = static_cast<PolicyAgent*>(data);
        if (self->OnReleased && !self->ScreenInhibited())
            self->OnReleased();
        return 0;
    }

    std::optional<bool> Ask() {
        sd_bus_error error = SD_BUS_ERROR_NULL;
        sd_bus_message* reply = nullptr;
        const int called = sd_bus_call_method(bus_, kAgent, kAgentPath, kAgent, "HasInhibition",
                                              &error, &reply, "u", kChangeScreenSettings);
        sd_bus_error_free(&error);
        int inhibited = 0;
        const bool read = called >= 0 && sd_bus_message_read(reply, "b", &inhibited) >= 0;
        sd_bus_message_unref(reply);
        return read ? std::optional(inhibited != 0) : std::nullopt;
    }

    sd_bus* bus_;
    sd_bus_slot* match_ = nullptr;
};

} // namespace

std::unique_ptr<PowerDevil> PowerDevil::Open() {
    sd_bus* bus = nullptr;
    if (sd_bus_open_user(&bus) < 0)
        return nullptr;
    auto agent = std::make_unique<PolicyAgent>(bus);
    return agent->Answers() ? std::move(agent) : nullptr;
}

} // namespace dd
