#pragma once

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Rect.h"

#include <QPoint>
#include <QRect>
#include <cstddef>
#include <cstdint>
#include <memory>

struct xcb_connection_t;
class QWidget;

namespace dd {

// Draws areas of a surface into one X window through memory shared with the X server
// (MIT-SHM). Each area is enlarged, whole pixels at a time, straight into a small segment in the
// server's pixel order and put with one request: nothing the size of the window is kept or
// copied, as a window's backing store would be.
class ShmPresenter {
public:
    // Null where this cannot work: not on X, a server on another machine, no extension, or a
    // window whose pixels are not 24-bit true colour.
    static std::unique_ptr<ShmPresenter> Create(QWidget& window);
    ~ShmPresenter();
    ShmPresenter(const ShmPresenter&) = delete;
    ShmPresenter& operator=(const ShmPresenter&) = delete;

    // Shows `area` (surface pixels) of `surface` enlarged `scale` times, the surface's top left
    // at `origin` (window pixels); clipped to `clip` (window pixels).
    void Put(const Bitmap& surface, const TRect& area, QPoint origin, int scale, const QRect& clip);
    // Fills `area` (window pixels) with black.
    void FillBlack(const QRect& area);
    // Sends what was asked for to the server.
    void Flush();

private:
    ShmPresenter(xcb_connection_t* connection, std::uint32_t window);
    void Attach();
    // Room for `bytes` in the segment, waiting for the server to finish reading it if needed.
    std::uint8_t* Reserve(std::size_t bytes);

    xcb_connection_t* connection_;
    std::uint32_t window_;
    std::uint32_t gc_ = 0;
    std::uint32_t segment_ = 0;
    int shmId_ = -1;
    std::uint8_t* memory_ = nullptr;
    std::size_t used_ = 0; // bytes the server may still be reading
};

} // namespace dd
