#pragma once

#include "platform/gfx/Canvas.h"

#include <optional>

namespace dd {

// Saves a canvas's copy mode and clip rectangle and puts them back when the scope ends,
// however it ends, so a drawing step can change them freely.
class CanvasStateSaver {
public:
    explicit CanvasStateSaver(Canvas& canvas)
        : canvas_(canvas), copyMode_(canvas.GetCopyMode()), clip_(canvas.ClipRect()) {}
    CanvasStateSaver(const CanvasStateSaver&) = delete;
    CanvasStateSaver& operator=(const CanvasStateSaver&) = delete;
    ~CanvasStateSaver() {
        canvas_.SetCopyMode(copyMode_);
        if (clip_)
            canvas_.SetClipRect(*clip_);
        else
            canvas_.RemoveClip();
    }

private:
    Canvas& canvas_;
    CopyMode copyMode_;
    std::optional<TRect> clip_;
};

} // namespace dd
