#pragma once

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Rect.h"

#include <QAbstractNativeEventFilter>
#include <QRasterWindow>
#include <cstdint>
#include <functional>
#include <memory>

namespace dd {

// Shows a surface inside an X window that another program owns (a screen-saver daemon's
// window, a settings tool's preview): a child window that fills it, follows its size, and
// reports when it is destroyed. The surface is fitted in and centred on black: shrunk smoothly
// when the window is smaller, enlarged a whole number of times with pixels repeated otherwise.
// It takes no input.
class EmbeddedView : public QRasterWindow, private QAbstractNativeEventFilter {
public:
    // Throws Exception when `parent` is not a window of the X server.
    EmbeddedView(const Bitmap& surface, std::uint64_t parent, std::function<void()> onParentGone);
    ~EmbeddedView() override;

    // `area` is in surface pixels.
    void Present(const TRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;
    QRect Target() const;

    const Bitmap& surface_;
    std::uint32_t parentId_;
    std::unique_ptr<QWindow> parent_;
    std::function<void()> onParentGone_;
};

} // namespace dd
