// Input for KWin through its fake-input protocol, as a test drives a Wayland session that has
// no input devices: `fake_input key CODE` presses and releases an evdev key, `fake_input move
// DX DY` moves the pointer. KWin takes it from clients it lets authenticate (with
// KWIN_WAYLAND_NO_PERMISSION_CHECKS set, any).
#include "fake-input-client-protocol.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <wayland-client.h>

namespace {

org_kde_kwin_fake_input* input = nullptr;

void Global(void*, wl_registry* registry, std::uint32_t name, const char* interface,
            std::uint32_t version) {
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
        input = static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
}

void GlobalGone(void*, wl_registry*, std::uint32_t) {}

} // namespace

int main(int argc, char** argv) {
    const std::string what = argc >= 3 ? argv[1] : "";
    if (!(what == "key" && argc == 3) && !(what == "move" && argc == 4)) {
        std::cerr << "usage: fake_input key CODE | fake_input move DX DY\n";
        return 2;
    }
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::cerr << "fake_input: no Wayland display\n";
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(display);
    static const wl_registry_listener listener{&Global, &GlobalGone};
    wl_registry_add_listener(registry, &listener, nullptr);
    wl_display_roundtrip(display);
    if (!input) {
        std::cerr << "fake_input: the compositor offers no org_kde_kwin_fake_input 4\n";
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(input, "fake_input", "tests drive the session");
    if (what == "key") {
        const auto code = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
        org_kde_kwin_fake_input_keyboard_key(input, code, WL_KEYBOARD_KEY_STATE_PRESSED);
        org_kde_kwin_fake_input_keyboard_key(input, code, WL_KEYBOARD_KEY_STATE_RELEASED);
    } else {
        org_kde_kwin_fake_input_pointer_motion(input, wl_fixed_from_double(std::atof(argv[2])),
                                               wl_fixed_from_double(std::atof(argv[3])));
    }
    wl_display_roundtrip(display);
    org_kde_kwin_fake_input_destroy(input);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return 0;
}
