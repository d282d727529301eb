#pragma once

#include "hosts/qt/Presenter.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Rect.h"
#include "shell/SaverHost.h"

#include <QAbstractNativeEventFilter>
#include <QWindow>
#include <cstdint>
#include <functional>
#include <memory>

class QBackingStore;

namespace dd {

// Shows a surface inside an X window that another program owns (a screen-saver daemon's
// window, a settings tool's preview): a child window that fills it, follows its size, and
// reports when it is destroyed. The surface is fitted in at the largest scale that fits, up or
// down, and centred on black. It takes no input.
class EmbeddedView : public QWindow, public TSaverWindow, private QAbstractNativeEventFilter {
public:
    // Throws Exception when `parent` is not a window of the X server.
    EmbeddedView(const Bitmap& surface, std::uint64_t parent, SaverInput& input);
    ~EmbeddedView() override;

    // It fills the foreign window and follows its size by itself, and takes no input.
    void Cover(const TMonitor&) override {}
    // `area` is in surface pixels.
    void Present(const TRect& area) override { presenter_.Present(area); }
    void TakeKeyboard() override {}

protected:
    void exposeEvent(QExposeEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;
    // Draws `region` (device pixels) into the backing store, where memory is not shared.
    void PaintBuffered(const QRegion& region);

    const Bitmap& surface_;
    std::uint32_t parentId_;
    std::unique_ptr<QWindow> parent_;
    SaverInput& input_;
    Presenter presenter_;
    std::unique_ptr<QBackingStore> store_; // only where memory is not shared
};

} // namespace dd
