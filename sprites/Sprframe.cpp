#include "sprites/Sprframe.h"

#include "platform/gfx/BmpReader.h"
#include "platform/gfx/BmpWriter.h"
#include "platform/gfx/CanvasStateSaver.h"

#include <algorithm>
#include <cmath>

namespace dd {
namespace {

// Shared by every frame and sprite box: the one scratch bitmap and the count of its users.
std::unique_ptr<Bitmap> gTempBitmap;
int gTempBitmapUsers = 0;

int ScaledLength(int length, double scale) {
    const double scaled = std::nearbyint(length * scale);
    if (!std::isfinite(scaled))
        return 0;
    return static_cast<int>(
        std::clamp(scaled, -double(Bitmap::kMaxDimension) * 4, double(Bitmap::kMaxDimension) * 4));
}

} // namespace

Bitmap* TempBitmap() {
    return gTempBitmap.get();
}

TTempBitmapUse::TTempBitmapUse() {
    if (gTempBitmapUsers++ == 0)
        gTempBitmap = std::make_unique<Bitmap>();
}

TTempBitmapUse::~TTempBitmapUse() {
    if (--gTempBitmapUsers == 0)
        gTempBitmap.reset();
}

void GrowTempBitmap(std::int64_t width, std::int64_t height) {
    if (!gTempBitmap)
        return;
    // By half its size at the least, so a stream of ever larger frames or rectangles does not
    // reallocate and copy it for every pixel of growth.
    const auto grown = [](int current, std::int64_t wanted) {
        if (wanted <= current || current >= kMaxTempBitmapSize)
            return current;
        return static_cast<int>(std::min<std::int64_t>(
            std::max<std::int64_t>(wanted, current + current / 2), kMaxTempBitmapSize));
    };
    gTempBitmap->SetSize(grown(gTempBitmap->Width(), width), grown(gTempBitmap->Height(), height));
}

TFrame::TFrame(TFrameList* list) : frameList_(list) {
    if (!list)
        throw EFrame("Creation of frame failed. Framelist cannot be nil");
    ResizeTempBitmap();
}

TFrame::~TFrame() = default;

void TFrame::Assign(const TPersistent& source) {
    const auto* frame = dynamic_cast<const TFrame*>(&source);
    if (!frame) {
        TPersistent::Assign(source);
        return;
    }
    Name = frame->Name;
    StripX = frame->StripX;
    StripY = frame->StripY;
    frameWidth_ = frame->frameWidth_;
    frameHeight_ = frame->frameHeight_;
}

void TFrame::SetFrameSize(std::int16_t width, std::int16_t height) {
    frameWidth_ = width;
    frameHeight_ = height;
    ResizeTempBitmap();
}

void TFrame::ReadData(TStream& stream) {
    if (stream.ReadU8() != 0)
        throw EFrame("Frame.ReadData: TestByte not equal to zero");
    Name.Read(stream);
    StripX = stream.ReadS16();
    StripY = stream.ReadS16();
    frameWidth_ = stream.ReadS16();
    frameHeight_ = stream.ReadS16();
    if (!frameList_)
        throw EFrame("Frame.ReadData: no FrameList");
    frameList_->FramesRead = true;
    ResizeTempBitmap();
}

void TFrame::WriteData(TStream& stream) const {
    stream.WriteU8(0);
    Name.Write(stream);
    stream.WriteS16(StripX);
    stream.WriteS16(StripY);
    stream.WriteS16(frameWidth_);
    stream.WriteS16(frameHeight_);
}

void TFrame::ResizeTempBitmap() const {
    if (!gTempBitmap)
        throw EFrame("TFrame.ResizeTempBitmap: Temporary bitmap does not exist anymore!");
    GrowTempBitmap(2 * std::int64_t(frameWidth_) - 1, 2 * std::int64_t(frameHeight_) - 1);
}

Bitmap& TFrame::ImageBitmap() const {
    return frameList_->Image();
}
Bitmap& TFrame::MaskBitmap() const {
    return frameList_->Mask();
}
Canvas& TFrame::ImageCanvas() const {
    return frameList_->ImageCanvas();
}

TRect TFrame::StripRect() const {
    TRect strips{0, 0, std::min(ImageBitmap().Width(), MaskBitmap().Width()),
                 std::min(ImageBitmap().Height(), MaskBitmap().Height())};
    TRect rect;
    IntersectRect(rect, Bounds(StripX, StripY, frameWidth_, frameHeight_), strips);
    return rect;
}

void TFrame::ApplyTransparency(TColor newColor, bool afterLoad) {
    const TColor oldColor = frameList_->TransparentColor();
    newColor &= kColorMask;
    Bitmap& image = ImageBitmap();
    Bitmap& mask = MaskBitmap();
    const TRect r = StripRect();
    for (int y = r.Top; y < r.Bottom; ++y) {
        TColor* pixel = image.Row(y);
        std::uint8_t* clear = mask.MonoRow(y);
        for (int x = r.Left; x < r.Right; ++x) {
            if (!afterLoad && oldColor != clBlack && clear[x])
                pixel[x] |= oldColor;
            clear[x] = (pixel[x] & kColorMask) == newColor;
            if (newColor != clBlack && clear[x])
                pixel[x] = clBlack;
        }
    }
}

void TFrame::DrawFrame(Canvas& canvas, int x, int y, bool transparent) const {
    DrawFrameEx(canvas, x, y, false, false, transparent, 1.0);
}

void TFrame::DrawFrameEx(Canvas& canvas, int x, int y, bool mirrorX, bool mirrorY, bool transparent,
                         double scale) const {
    const int width = ScaledLength(frameWidth_, scale);
    const int height = ScaledLength(frameHeight_, scale);
    TRect dest{x, y, x + width, y + height};
    if (mirrorX)
        std::swap(dest.Left, dest.Right);
    if (mirrorY)
        std::swap(dest.Top, dest.Bottom);
    const TRect src = Bounds(StripX, StripY, frameWidth_, frameHeight_);
    if (transparent) {
        canvas.MaskedCopy(dest, ImageBitmap(), MaskBitmap(), src);
        return;
    }
    const CanvasStateSaver saved(canvas);
    canvas.SetCopyMode(CopyMode::SrcCopy);
    canvas.CopyRect(dest, ImageBitmap(), src);
}

TFrameList::TFrameList(TColor transparentColor)
    : transparentColor_(transparentColor & kColorMask) {}

TFrameList::~TFrameList() {
    TFrameList::Clear();
}

void TFrameList::Clear() {
    if (items_.empty())
        return;
    TPersistentList::Clear();
    mask_.SetSize(0, 0);
    image_.SetSize(0, 0);
}

void TFrameList::Assign(const TPersistent& source) {
    const auto* list = dynamic_cast<const TFrameList*>(&source);
    if (!list) {
        TPersistent::Assign(source);
        return;
    }
    if (list == this)
        return;
    Clear();
    transparentColor_ = list->transparentColor_;
    image_ = list->image_;
    mask_ = list->mask_;
    for (const auto& frame : list->items_) {
        auto copy = std::make_unique<TFrame>(this);
        copy->Assign(*frame);
        Add(std::move(copy));
    }
}

int TFrameList::IndexOf(std::string_view name) const {
    name = name.substr(0, TName::kMaxLength);
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<std::size_t>(i)]->Name == name)
            return i;
    return -1;
}

void TFrameList::SetTransparentColor(TColor color) {
    for (auto& frame : items_)
        frame->ApplyTransparency(color, false);
    transparentColor_ = color & kColorMask;
}

void TFrameList::GetMaxSize(int& maxWidth, int& maxHeight) const {
    maxWidth = 0;
    maxHeight = 0;
    for (const auto& frame : items_) {
        maxWidth = std::max(maxWidth, frame->FrameWidth());
        maxHeight = std::max(maxHeight, frame->FrameHeight());
    }
}

void TFrameList::ReadData(TStream& stream) {
    FramesRead = false;
    const int count = stream.ReadS16();
    const int first = Count();
    for (int i = 0; i < count; ++i) {
        auto frame = std::make_unique<TFrame>(this);
        frame->ReadData(stream);
        Add(std::move(frame));
    }
    if (FramesRead) {
        const std::uint32_t size = stream.ReadU32();
        // Checked before allocating, so a hostile size cannot ask for gigabytes.
        if (size > stream.Size() - std::min(stream.Size(), stream.Position()))
            throw EStreamError();
        std::vector<std::uint8_t> bytes(size);
        stream.ReadBuffer(bytes.data(), bytes.size());
        image_ = size == 0 ? Bitmap() : ReadBmp(bytes);
        mask_ = Bitmap(image_.Width(), image_.Height(), PixelFormat::Mono);
    }
    for (int i = first; i < Count(); ++i)
        items_[static_cast<std::size_t>(i)]->ApplyTransparency(transparentColor_, true);
}

void TFrameList::WriteData(TStream& stream) {
    const TColor remembered = transparentColor_;
    SetTransparentColor(clBlack);
    stream.WriteS16(static_cast<std::int16_t>(Count()));
    for (const auto& frame : items_)
        frame->WriteData(stream);
    const std::vector<std::uint8_t> bmp = WriteBmp(image_);
    stream.WriteU32(static_cast<std::uint32_t>(bmp.size()));
    stream.WriteBuffer(bmp.data(), bmp.size());
    SetTransparentColor(remembered);
}

} // namespace dd
