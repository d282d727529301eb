// Waits for the first frame of a program on the X server named by DISPLAY.
//
//   first_frame X Y [TIMEOUT_S]
//     reads the root window's pixel at (X, Y) every millisecond until it is neither black nor
//     magenta (a parent window's own colour), then prints the realtime clock in nanoseconds.
//     One pixel a read: unlike a screenshot, watching costs the server next to nothing, so the
//     time measured is the program's own. Exits 1 on a time-out.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <xcb/xcb.h>

namespace {

// The pixel's red, green and blue; nothing when the server cannot say.
bool ReadPixel(xcb_connection_t* c, xcb_window_t root, int x, int y, std::uint32_t& rgb) {
    const xcb_get_image_cookie_t cookie =
        xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, static_cast<std::int16_t>(x),
                      static_cast<std::int16_t>(y), 1, 1, static_cast<std::uint32_t>(~0));
    const std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> reply(
        xcb_get_image_reply(c, cookie, nullptr), &std::free);
    if (!reply || xcb_get_image_data_length(reply.get()) < 4)
        return false;
    const std::uint8_t* p = xcb_get_image_data(reply.get());
    // A 24-bit TrueColor visual keeps blue, green, red in that order.
    rgb = std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: first_frame X Y [TIMEOUT_S]\n");
        return 2;
    }
    const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
    const auto limit = std::chrono::seconds(argc > 3 ? std::atoi(argv[3]) : 20);
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "first_frame: no X server\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const auto start = std::chrono::steady_clock::now();
    std::uint32_t rgb = 0;
    while (!ReadPixel(c, root, x, y, rgb) || rgb == 0 || rgb == 0xff00ff) {
        if (std::chrono::steady_clock::now() - start > limit) {
            xcb_disconnect(c);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf("%lld\n", static_cast<long long>(
                              std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    xcb_disconnect(c);
    return 0;
}
