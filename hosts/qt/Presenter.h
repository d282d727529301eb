#pragma once

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/SurfacePlacement.h"

#include <QObject>
#include <QRegion>
#include <cstdint>
#include <functional>
#include <memory>

class QPaintDevice;

namespace dd {

class ShmPresenter;

// How a window of the saver gets its device pixels to the screen, all of them made by the one
// drawing routine: through memory shared with the X server where the server shares it, else
// painted with Qt into the window's backing store. Changed areas are gathered and drawn once,
// when the turn of the event loop that reported them is over.
class Presenter {
public:
    // `draw` draws a region of device pixels when the window is not shared: the window's own
    // painting, which calls Paint.
    Presenter(const Bitmap* surface, std::function<void(const QRegion&)> draw);
    ~Presenter();
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;

    // Tries memory shared with the X server for `window`; true when it is used from now on.
    bool Share(std::uint32_t window);
    void SetPlacement(const SurfacePlacement& placement) { placement_ = placement; }
    const SurfacePlacement& Placement() const { return placement_; }

    // `area` (surface pixels) changed.
    void Present(const TRect& area);
    // Draws `region` (device pixels) now: through shared memory, or by the window's painting.
    void Draw(const QRegion& region);
    // Paints `region` (device pixels) on `device`, the window's backing store: straight into
    // its pixels where they are an image the drawing routine can write, else with Qt's painter.
    void Paint(QPaintDevice& device, const QRegion& region) const;

private:
    void DrawDirty();

    const Bitmap* surface_;
    std::function<void(const QRegion&)> draw_;
    SurfacePlacement placement_;
    std::unique_ptr<ShmPresenter> shared_;
    QRegion dirty_;   // presented, not yet drawn
    QObject context_; // the queued drawing goes with the presenter
};

} // namespace dd
