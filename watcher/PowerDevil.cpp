#include "watcher/PowerDevil.h"

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
    ~PolicyAgent() override { sd_bus_flush_close_unref(bus_); }

    // Whether the agent answers at all: false where there is none.
    bool Answers() { return Ask().has_value(); }

    bool ScreenInhibited() override { return Ask().value_or(false); }

private:
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
