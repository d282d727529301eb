#include "hosts/qt/ShmPresenter.h"

#include "hosts/qt/X11Connection.h"
#include "platform/gfx/DevicePainter.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cstring>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

namespace dd {
namespace {

// Enough for the areas of a tick; a larger area goes in strips of rows.
constexpr std::size_t kSegmentBytes = 1 << 20;

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> Owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

// Whether the server keeps 24-bit pixels as 32-bit little-endian words, red in the high byte.
bool ServerPixelsSuit(xcb_connection_t* c) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return false;
    const xcb_format_t* formats = xcb_setup_pixmap_formats(setup);
    const int count = xcb_setup_pixmap_formats_length(setup);
    return std::any_of(formats, formats + count, [](const xcb_format_t& f) {
        return f.depth == 24 && f.bits_per_pixel == 32;
    });
}

bool WindowPixelsSuit(xcb_connection_t* c, xcb_window_t window) {
    const auto geometry = Owned(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    const auto attributes =
        Owned(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    if (!geometry || !attributes || geometry->depth != 24)
        return false;
    for (auto screen = xcb_setup_roots_iterator(xcb_get_setup(c)); screen.rem;
         xcb_screen_next(&screen))
        for (auto depth = xcb_screen_allowed_depths_iterator(screen.data); depth.rem;
             xcb_depth_next(&depth))
            for (auto visual = xcb_depth_visuals_iterator(depth.data); visual.rem;
                 xcb_visualtype_next(&visual))
                if (visual.data->visual_id == attributes->visual)
                    return visual.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR &&
                           visual.data->red_mask == 0xff0000 && visual.data->green_mask == 0xff00 &&
                           visual.data->blue_mask == 0xff;
    return false;
}

} // namespace

bool ShmPresenter::Available() {
    xcb_connection_t* c = X11Connection();
    if (!c)
        return false;
    const xcb_query_extension_reply_t* shm = xcb_get_extension_data(c, &xcb_shm_id);
    return shm && shm->present && ServerPixelsSuit(c);
}

std::unique_ptr<ShmPresenter> ShmPresenter::Create(std::uint32_t window) {
    xcb_connection_t* c = X11Connection();
    if (!c || !WindowPixelsSuit(c, window))
        return nullptr;
    std::unique_ptr<ShmPresenter> presenter(new ShmPresenter(c, window));
    presenter->Attach();
    return presenter->segment_ ? std::move(presenter) : nullptr;
}

ShmPresenter::ShmPresenter(xcb_connection_t* connection, std::uint32_t window)
    : connection_(connection), window_(window) {}

void ShmPresenter::Attach() {
    const int shmId = shmget(IPC_PRIVATE, kSegmentBytes, IPC_CREAT | 0600);
    if (shmId < 0)
        return;
    void* memory = shmat(shmId, nullptr, 0);
    if (memory == reinterpret_cast<void*>(-1)) {
        shmctl(shmId, IPC_RMID, nullptr);
        return;
    }
    memory_ = static_cast<std::uint8_t*>(memory);
    const xcb_shm_seg_t segment = xcb_generate_id(connection_);
    // A server on another machine cannot attach it, and says so here.
    const auto error = Owned(
        xcb_request_check(connection_, xcb_shm_attach_checked(connection_, segment, shmId, 0)));
    // Gone once both sides have let go of it, however the process ends.
    shmctl(shmId, IPC_RMID, nullptr);
    if (error)
        return;
    segment_ = segment;
    gc_ = xcb_generate_id(connection_);
    const std::uint32_t values[] = {0}; // no exposure events for puts
    xcb_create_gc(connection_, gc_, window_, XCB_GC_GRAPHICS_EXPOSURES, values);
}

ShmPresenter::~ShmPresenter() {
    if (segment_) {
        xcb_free_gc(connection_, gc_);
        xcb_shm_detach(connection_, segment_);
        // The server lets go of the memory before this process does.
        WaitForServer();
    }
    if (memory_)
        shmdt(memory_);
}

void ShmPresenter::WaitForServer() {
    // A round trip: once the server answers, it has handled every request sent before.
    free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

std::uint8_t* ShmPresenter::Reserve(std::size_t bytes) {
    assert(bytes <= kSegmentBytes);
    if (used_ + bytes > kSegmentBytes) {
        WaitForServer();
        used_ = 0;
    }
    std::uint8_t* at = memory_ + used_;
    used_ += bytes;
    return at;
}

void ShmPresenter::Put(const Bitmap* surface, const SurfacePlacement& placement,
                       const TRect& area) {
    const std::size_t rowBytes = static_cast<std::size_t>(area.Width()) * 4;
    const int stripRows = StripRows(area.Width(), kSegmentBytes);
    for (int top = area.Top; top < area.Bottom; top += stripRows) {
        const int rows = std::min(stripRows, area.Bottom - top);
        std::uint8_t* strip = Reserve(rowBytes * static_cast<std::size_t>(rows));
        PaintDeviceArea(
            surface, placement, {area.Left, top, area.Right, top + rows},
            {reinterpret_cast<std::uint32_t*>(strip), area.Width(), ChannelOrder::BlueFirst});
        xcb_shm_put_image(connection_, window_, gc_, static_cast<std::uint16_t>(area.Width()),
                          static_cast<std::uint16_t>(rows), 0, 0,
                          static_cast<std::uint16_t>(area.Width()),
                          static_cast<std::uint16_t>(rows), static_cast<std::int16_t>(area.Left),
                          static_cast<std::int16_t>(top), 24, XCB_IMAGE_FORMAT_Z_PIXMAP, 0,
                          segment_, static_cast<std::uint32_t>(strip - memory_));
    }
}

void ShmPresenter::Show(const QRegion& region, const Bitmap* surface,
                        const SurfacePlacement& placement) {
    for (const QRect& r : region)
        Put(surface, placement, Bounds(r.x(), r.y(), r.width(), r.height()));
    xcb_flush(connection_);
}

} // namespace dd
