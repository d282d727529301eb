// A mouse for a Wayland compositor's seat, through wlroots' virtual-pointer protocol:
//   virtual_pointer WIDTH HEIGHT
// WIDTH x HEIGHT is the size of the compositor's layout of outputs. Lines on standard input:
//   to X Y   moves the pointer to (X, Y) in the layout
//   click    presses and releases the left button
// Each line is answered "ok" once the compositor has handled it. The device stays until the
// input ends, as a plugged-in mouse does: events of a device made just before them would reach
// the seat before its programs have heard of the device and asked for its events.

#include <cstdint>
#include <cstring>
#include <iostream>
#include <linux/input-event-codes.h>
#include <memory>
#include <sstream>
#include <string>
#include <wayland-client.h>

namespace {

// The protocol has no header on Debian: its interfaces, declared by hand. A request's opcode is
// its place in the protocol, so every request up to the last one used is listed.
const wl_interface* kNoTypes[] = {nullptr, nullptr, nullptr, nullptr, nullptr};

const wl_message kPointerRequests[] = {
    {"motion", "uff", kNoTypes}, {"motion_absolute", "uuuuu", kNoTypes},
    {"button", "uuu", kNoTypes}, {"axis", "uuf", kNoTypes},
    {"frame", "", kNoTypes},
};
const wl_interface kPointerInterface = {"zwlr_virtual_pointer_v1", 1, 5,
                                        kPointerRequests,          0, nullptr};

const wl_interface* kCreateTypes[] = {&wl_seat_interface, &kPointerInterface};
const wl_message kManagerRequests[] = {{"create_virtual_pointer", "?on", kCreateTypes}};
const wl_interface kManagerInterface = {
    "zwlr_virtual_pointer_manager_v1", 1, 1, kManagerRequests, 0, nullptr};

enum class PointerRequest : uint32_t { MotionAbsolute = 1, Button = 2, Frame = 4 };
constexpr uint32_t kCreateVirtualPointer = 0;

struct DisplayCloser {
    void operator()(wl_display* display) const { wl_display_disconnect(display); }
};
struct ProxyDestroyer {
    void operator()(wl_proxy* proxy) const { wl_proxy_destroy(proxy); }
};
using Proxy = std::unique_ptr<wl_proxy, ProxyDestroyer>;

struct Globals {
    Proxy seat;
    Proxy manager;
};

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto& globals = *static_cast<Globals*>(data);
    const auto bind = [&](const wl_interface& wanted) {
        return Proxy(static_cast<wl_proxy*>(wl_registry_bind(registry, name, &wanted, 1)));
    };
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !globals.seat)
        globals.seat = bind(wl_seat_interface);
    else if (std::strcmp(interface, kManagerInterface.name) == 0 && !globals.manager)
        globals.manager = bind(kManagerInterface);
}

void GlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener = {Global, GlobalRemove};

class VirtualPointer {
public:
    VirtualPointer(wl_proxy& manager, wl_proxy& seat, uint32_t width, uint32_t height)
        : pointer_(wl_proxy_marshal_flags(&manager, kCreateVirtualPointer, &kPointerInterface, 1, 0,
                                          &seat, nullptr)),
          width_(width), height_(height) {}

    void MoveTo(uint32_t x, uint32_t y) {
        Send(PointerRequest::MotionAbsolute, Now(), x, y, width_, height_);
        Send(PointerRequest::Frame);
    }

    void Click() {
        for (const auto state :
             {WL_POINTER_BUTTON_STATE_PRESSED, WL_POINTER_BUTTON_STATE_RELEASED}) {
            Send(PointerRequest::Button, Now(), uint32_t{BTN_LEFT}, uint32_t{state});
            Send(PointerRequest::Frame);
        }
    }

private:
    template <typename... Arguments> void Send(PointerRequest request, Arguments... arguments) {
        wl_proxy_marshal_flags(pointer_.get(), static_cast<uint32_t>(request), nullptr, 1, 0,
                               arguments...);
    }

    uint32_t Now() { return time_ += 10; }

    Proxy pointer_;
    uint32_t width_;
    uint32_t height_;
    uint32_t time_ = 0;
};

int Run(uint32_t width, uint32_t height) {
    const std::unique_ptr<wl_display, DisplayCloser> display(wl_display_connect(nullptr));
    if (!display) {
        std::cerr << "virtual_pointer: no Wayland display\n";
        return 1;
    }
    Globals globals;
    const Proxy registry(reinterpret_cast<wl_proxy*>(wl_display_get_registry(display.get())));
    wl_registry_add_listener(reinterpret_cast<wl_registry*>(registry.get()), &kRegistryListener,
                             &globals);
    wl_display_roundtrip(display.get());
    if (!globals.seat || !globals.manager) {
        std::cerr << "virtual_pointer: the compositor offers no virtual pointer\n";
        return 1;
    }
    VirtualPointer pointer(*globals.manager, *globals.seat, width, height);
    if (wl_display_roundtrip(display.get()) < 0)
        return 1;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command;
        uint32_t x = 0, y = 0;
        words >> command;
        if (command == "to" && words >> x >> y)
            pointer.MoveTo(x, y);
        else if (command == "click")
            pointer.Click();
        else {
            std::cerr << "virtual_pointer: not understood: " << line << "\n";
            return 1;
        }
        if (wl_display_roundtrip(display.get()) < 0)
            return 1;
        std::cout << "ok" << std::endl;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: virtual_pointer LAYOUT_WIDTH LAYOUT_HEIGHT\n";
        return 2;
    }
    return Run(static_cast<uint32_t>(std::stoul(argv[1])),
               static_cast<uint32_t>(std::stoul(argv[2])));
}
