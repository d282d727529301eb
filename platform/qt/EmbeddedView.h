#pragma once

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Rect.h"

#include <QAbstractNativeEventFilter>
#include <QRegion>
#include <QWindow>
#include <cstdint>
#include <functional>
#include <memory>

class QBackingStore;
class QPainter;

namespace dd {

class ShmPresenter;

// Shows a surface inside an X window that another program owns (a screen-saver daemon's
// window, a settings tool's preview): a child window that fills it, follows its size, and
// reports when it is destroyed. The surface is fitted in and centred on black: shrunk smoothly
// when the window is smaller, enlarged a whole number of times with pixels repeated otherwise.
// It takes no input. Enlarged whole times on an X server that shares memory, it draws through
// that memory; otherwise through a backing store of its own.
class EmbeddedView : public QWindow, private QAbstractNativeEventFilter {
public:
    // Throws Exception when `parent` is not a window of the X server.
    EmbeddedView(const Bitmap& surface, std::uint64_t parent, std::function<void()> onParentGone);
    ~EmbeddedView() override;

    // `area` is in surface pixels.
    void Present(const TRect& area);

protected:
    void exposeEvent(QExposeEvent* event) override;

private:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;
    QRect Target() const;
    void RenderDirty();
    // Draws `region` (window coordinates) now.
    void Render(const QRegion& region);
    void PaintBuffered(const QRegion& region);
    void Paint(QPainter& painter, const QRegion& region);

    const Bitmap& surface_;
    std::uint32_t parentId_;
    std::unique_ptr<QWindow> parent_;
    std::function<void()> onParentGone_;
    std::unique_ptr<ShmPresenter> presenter_;
    std::unique_ptr<QBackingStore> store_;
    QRegion dirty_; // presented, not yet drawn
};

} // namespace dd
