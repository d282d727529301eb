#pragma once

// Frames and frame lists: named rectangles of a list's colour strip and one-bit mask strip,
// their masking for a transparent colour, their drawing, and the shared scratch bitmap.

#include "platform/core/Exception.h"
#include "platform/core/Persistent.h"
#include "platform/core/Stream.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "sprites/TName.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace dd {

class EFrame : public Exception {
public:
    using Exception::Exception;
};

// An ordered list that owns its items.
template <typename T> class TPersistentList : public TPersistent {
public:
    ~TPersistentList() override = default;

    int Count() const { return static_cast<int>(items_.size()); }
    T& Item(int index) const {
        if (index < 0 || index >= Count())
            throw EListError();
        return *items_[static_cast<std::size_t>(index)];
    }
    void Add(std::unique_ptr<T> item) { items_.push_back(std::move(item)); }
    // Frees every item in index order, then empties the list.
    virtual void Clear() {
        for (auto& item : items_)
            item.reset();
        items_.clear();
    }

protected:
    std::vector<std::unique_ptr<T>> items_;
};

class TFrameList;

// The scratch bitmap of the process, alive while any frame or sprite box exists; null
// otherwise.
Bitmap* TempBitmap();
// Grows the scratch bitmap to at least width x height, up to kMaxTempBitmapSize a side: frames
// up to 1024 pixels a side are covered, and no hostile record or projection can make it take
// more than 16 MB.
inline constexpr int kMaxTempBitmapSize = 2 * 1024 - 1;
void GrowTempBitmap(std::int64_t width, std::int64_t height);

// Keeps the scratch bitmap alive; every frame and every sprite box holds one.
class TTempBitmapUse {
public:
    TTempBitmapUse();
    ~TTempBitmapUse();
    TTempBitmapUse(const TTempBitmapUse&) = delete;
    TTempBitmapUse& operator=(const TTempBitmapUse&) = delete;
};

class TFrame : public TPersistent {
public:
    explicit TFrame(TFrameList* list);
    TFrame(const TFrame&) = delete;
    TFrame& operator=(const TFrame&) = delete;
    ~TFrame() override;

    std::string ClassName() const override { return "TFrame"; }
    void Assign(const TPersistent& source) override;

    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;
    void ResizeTempBitmap() const;
    void ApplyTransparency(TColor newColor, bool afterLoad);

    void DrawFrame(Canvas& canvas, int x, int y, bool transparent) const;
    void DrawFrameEx(Canvas& canvas, int x, int y, bool mirrorX, bool mirrorY, bool transparent,
                     double scale) const;

    TName Name;
    std::int16_t StripX = -1;
    std::int16_t StripY = -1;

    int FrameWidth() const { return frameWidth_; }
    int FrameHeight() const { return frameHeight_; }
    void SetFrameSize(std::int16_t width, std::int16_t height);
    TFrameList& FrameList() const { return *frameList_; }
    Bitmap& ImageBitmap() const;
    Bitmap& MaskBitmap() const;
    Canvas& ImageCanvas() const;
    // The frame's rectangle in the strips, limited to them.
    TRect StripRect() const;

private:
    TTempBitmapUse tempBitmapUse_;
    TFrameList* frameList_;
    std::int16_t frameWidth_ = 0;
    std::int16_t frameHeight_ = 0;
};

class TFrameList : public TPersistentList<TFrame> {
public:
    explicit TFrameList(TColor transparentColor = clBlack);
    ~TFrameList() override;

    std::string ClassName() const override { return "TFrameList"; }
    void Assign(const TPersistent& source) override;
    void Clear() override;

    TFrame& Frames(int index) const { return Item(index); }
    int IndexOf(std::string_view name) const;
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor color);
    void GetMaxSize(int& maxWidth, int& maxHeight) const;

    Bitmap& Image() { return image_; }
    Bitmap& Mask() { return mask_; }
    Canvas& ImageCanvas() { return image_.GetCanvas(); }

    // The "Data" property: the frame list stream.
    void ReadData(TStream& stream);
    void WriteData(TStream& stream);

    bool FramesRead = false;

private:
    TColor transparentColor_;
    Bitmap image_;
    Bitmap mask_{0, 0, PixelFormat::Mono};
};

} // namespace dd
