#include "platform/gfx/Form.h"

#include "platform/gfx/CanvasStateSaver.h"

#include <algorithm>

namespace dd {

TControl::~TControl() {
    SetParent(nullptr);
}

void TControl::SetParent(TForm* parent) {
    if (parent_)
        std::erase(parent_->controls_, this);
    parent_ = parent;
    if (parent_)
        parent_->controls_.push_back(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void TForm::Paint() {
    if (OnPaint)
        OnPaint();
    for (TControl* control : controls_)
        if (control->Visible)
            control->Paint();
    Damage(surface_.BoundsRect());
}

void TImage::Paint() {
    if (!Parent() || picture_.Empty())
        return;
    Canvas& canvas = Parent()->GetCanvas();
    const CanvasStateSaver saved(canvas);
    canvas.SetCopyMode(CopyMode::SrcCopy);
    canvas.CopyRect(Bounds(Left(), Top(), picture_.Width(), picture_.Height()), picture_,
                    picture_.BoundsRect());
}

} // namespace dd
