// A window of another program for the saver to draw into, as a screen-saver daemon or its
// settings tool's preview provides one, or a desktop window the saver must cover:
// parent_window WIDTH HEIGHT [X Y] creates and maps a magenta window of that size and place,
// prints its id as 0x... and keeps it until SIGTERM or SIGINT.

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <xcb/xcb.h>

namespace {

volatile std::sig_atomic_t stopping = 0;

extern "C" void Stop(int) {
    stopping = 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: parent_window WIDTH HEIGHT [X Y]\n");
        return 2;
    }
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    const int x = argc == 5 ? std::atoi(argv[3]) : 0, y = argc == 5 ? std::atoi(argv[4]) : 0;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "parent_window: no X server\n");
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_window_t window = xcb_generate_id(connection);
    // A colour of its own, so that what the saver leaves unpainted shows.
    const std::uint32_t values[] = {0xFF00FFu, 1u};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root,
                      static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                      static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
    xcb_map_window(connection, window);
    xcb_flush(connection);
    std::printf("0x%x\n", window);
    std::fflush(stdout);
    std::signal(SIGTERM, Stop);
    std::signal(SIGINT, Stop);
    pollfd p{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (!stopping && !xcb_connection_has_error(connection)) {
        if (poll(&p, 1, 100) > 0)
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection))
                std::free(event);
    }
    xcb_destroy_window(connection, window);
    xcb_disconnect(connection);
    return 0;
}
