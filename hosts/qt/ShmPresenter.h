#pragma once

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Rect.h"
#include "platform/gfx/SurfacePlacement.h"

#include <QRegion>
#include <cstddef>
#include <cstdint>
#include <memory>

struct xcb_connection_t;

namespace dd {

// Draws areas of one X window through memory shared with the X server (MIT-SHM): the device
// pixels of each area are written by the drawing routine straight into a small segment in the
// server's pixel order and put with one request. Nothing the size of the window is kept or
// copied, as a window's backing store would be.
class ShmPresenter {
public:
    // Whether the application runs on an X server that has the extension and keeps pixels as
    // 32-bit little-endian words. Asked before the window is made, so nothing else needs one.
    static bool Available();
    // Null where this cannot work: a server on another machine, or a window whose pixels are
    // not 24-bit true colour.
    static std::unique_ptr<ShmPresenter> Create(std::uint32_t window);
    ~ShmPresenter();
    ShmPresenter(const ShmPresenter&) = delete;
    ShmPresenter& operator=(const ShmPresenter&) = delete;

    // Draws `region` (device pixels) of the window as `placement` shows `surface`; without a
    // surface, black.
    void Show(const QRegion& region, const Bitmap* surface, const SurfacePlacement& placement);

private:
    ShmPresenter(xcb_connection_t* connection, std::uint32_t window);
    void Put(const Bitmap* surface, const SurfacePlacement& placement, const TRect& area);
    void Attach();
    void WaitForServer();
    // Room for `bytes` in the segment, waiting for the server to finish reading it if needed.
    std::uint8_t* Reserve(std::size_t bytes);

    xcb_connection_t* connection_;
    std::uint32_t window_;
    std::uint32_t gc_ = 0;
    std::uint32_t segment_ = 0;
    std::uint8_t* memory_ = nullptr;
    std::size_t used_ = 0; // bytes the server may still be reading
};

} // namespace dd
