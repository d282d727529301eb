#include "hosts/qt/Presenter.h"

#include "hosts/qt/ShmPresenter.h"
#include "platform/gfx/DevicePainter.h"

#include <QImage>
#include <QPainter>
#include <optional>
#include <utility>

namespace dd {
namespace {

// A scratch image at most this large: a full-screen exposure is painted in strips.
constexpr std::size_t kStripBytes = 1 << 20;

QRect ToQRect(const TRect& r) {
    return {r.Left, r.Top, r.Width(), r.Height()};
}

// The order of the pixels of an image of 32-bit pixels that the drawing routine can write;
// nothing for any other format.
std::optional<ChannelOrder> OrderOf(QImage::Format format) {
    switch (format) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return QSysInfo::ByteOrder == QSysInfo::LittleEndian
                   ? std::optional(ChannelOrder::BlueFirst)
                   : std::nullopt;
    case QImage::Format_RGBX8888:
    case QImage::Format_RGBA8888:
    case QImage::Format_RGBA8888_Premultiplied:
        return ChannelOrder::RedFirst;
    default:
        return std::nullopt;
    }
}

} // namespace

Presenter::Presenter(const Bitmap* surface, std::function<void(const QRegion&)> draw)
    : surface_(surface), draw_(std::move(draw)) {}

Presenter::~Presenter() = default;

bool Presenter::Share(std::uint32_t window) {
    shared_ = ShmPresenter::Available() ? ShmPresenter::Create(window) : nullptr;
    return shared_ != nullptr;
}

void Presenter::Present(const TRect& area) {
    // Drawn once the tick is over, in the same turn of the event loop: an update request would
    // wake the process again a few milliseconds later.
    if (dirty_.isEmpty())
        QMetaObject::invokeMethod(
            &context_, [this] { DrawDirty(); }, Qt::QueuedConnection);
    dirty_ += ToQRect(placement_.ToDevice(area));
}

void Presenter::DrawDirty() {
    Draw(std::exchange(dirty_, QRegion()));
}

void Presenter::Draw(const QRegion& region) {
    if (region.isEmpty())
        return;
    if (shared_)
        shared_->Show(region, surface_, placement_);
    else
        draw_(region);
}

void Presenter::Paint(QPaintDevice& device, const QRegion& region) const {
    if (device.devType() == QInternal::Image) {
        auto& image = static_cast<QImage&>(device);
        if (const auto order = OrderOf(image.format())) {
            for (const QRect& r : region.intersected(image.rect()))
                PaintDeviceArea(
                    surface_, placement_, {r.left(), r.top(), r.right() + 1, r.bottom() + 1},
                    {reinterpret_cast<std::uint32_t*>(image.scanLine(r.top())) + r.left(),
                     image.bytesPerLine() / 4, *order});
            return;
        }
    }
    QPainter painter(&device);
    const qreal ratio = device.devicePixelRatioF();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // Each changed area on its own: their bounding box may be most of the screen.
    for (const QRect& r : region) {
        const int rows = StripRows(r.width(), kStripBytes);
        for (int top = r.top(); top <= r.bottom(); top += rows) {
            const TRect strip{r.left(), top, r.right() + 1, std::min(top + rows, r.bottom() + 1)};
            QImage image(strip.Width(), strip.Height(), QImage::Format_ARGB32_Premultiplied);
            PaintDeviceArea(surface_, placement_, strip,
                            {reinterpret_cast<std::uint32_t*>(image.bits()),
                             image.bytesPerLine() / 4, ChannelOrder::BlueFirst});
            image.setDevicePixelRatio(ratio);
            painter.drawImage(QPointF(strip.Left / ratio, strip.Top / ratio), image);
        }
    }
}

} // namespace dd
