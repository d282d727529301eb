#pragma once

#include <functional>
#include <memory>

namespace dd {

// Plasma's power manager, PowerDevil: the inhibitors that applications take over D-Bus (a browser
// playing a video, through the desktop portal) end up there, not in KWin's idle protocol.
class PowerDevil {
public:
    // Null where the session bus has no org.kde.Solid.PowerManagement.PolicyAgent.
    static std::unique_ptr<PowerDevil> Open();
    virtual ~PowerDevil() = default;

    // Whether an application keeps the screen from being changed (dimmed, blanked, locked).
    virtual bool ScreenInhibited() = 0;
    virtual int Descriptor() const = 0;
    // The events to wait for on the descriptor.
    virtual short Events() const = 0;
    // Handles what arrived; false once the bus has gone.
    virtual bool Dispatch() = 0;

    // The screen is no longer inhibited: the last inhibitor that kept it was released.
    std::function<void()> OnReleased;
};

} // namespace dd
