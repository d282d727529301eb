#pragma once

#include "platform/gfx/Canvas.h"

#include <optional>

namespace dd {

// Saves a canvas's pen, brush, font, copy mode and clip rectangle and puts them back when the
// scope ends, however it ends, so a drawing step can change them freely.
class CanvasStateSaver {
public:
    explicit CanvasStateSaver(Canvas& canvas)
        : canvas_(canvas), penColor_(canvas.PenColor()), brushColor_(canvas.BrushColor()),
          brushStyle_(canvas.GetBrushStyle()), font_(canvas.GetFont()),
          copyMode_(canvas.GetCopyMode()), clip_(canvas.ClipRect()) {}
    CanvasStateSaver(const CanvasStateSaver&) = delete;
    CanvasStateSaver& operator=(const CanvasStateSaver&) = delete;
    ~CanvasStateSaver() {
        canvas_.SetPenColor(penColor_);
        canvas_.SetBrushColor(brushColor_);
        canvas_.SetBrushStyle(brushStyle_);
        canvas_.SetFont(font_);
        canvas_.SetCopyMode(copyMode_);
        if (clip_)
            canvas_.SetClipRect(*clip_);
        else
            canvas_.RemoveClip();
    }

private:
    Canvas& canvas_;
    TColor penColor_;
    TColor brushColor_;
    BrushStyle brushStyle_;
    Font font_;
    CopyMode copyMode_;
    std::optional<TRect> clip_;
};

} // namespace dd
