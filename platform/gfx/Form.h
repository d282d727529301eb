#pragma once

#include "platform/core/Component.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

#include <functional>
#include <vector>

namespace dd {

class TForm;

// A child control of a form: a rectangle of the form that paints itself.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner) : TComponent(owner) {}
    ~TControl() override;

    TForm* Parent() const { return parent_; }
    void SetParent(TForm* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    virtual void SetBounds(int left, int top, int width, int height);
    bool Visible = true;

    // Paints the control onto its parent's canvas.
    virtual void Paint() = 0;

private:
    TForm* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
};

// A window's client area as a 32-bit bitmap: what the screen shows. The host presents the
// areas reported through OnDamage.
class TForm : public TComponent {
public:
    explicit TForm(TComponent* owner = nullptr) : TComponent(owner) {}

    Bitmap& Surface() { return surface_; }
    Canvas& GetCanvas() { return surface_.GetCanvas(); }
    int ClientWidth() const { return surface_.Width(); }
    int ClientHeight() const { return surface_.Height(); }
    void SetClientSize(int width, int height) { surface_.SetSize(width, height); }

    // The form's own paint, then every visible child in the order they joined.
    void Paint();
    // Something drew into `area` of the surface; the host should show it.
    void Damage(const TRect& area) {
        if (OnDamage)
            OnDamage(area);
    }

    std::function<void()> OnPaint;
    std::function<void(const TRect&)> OnDamage;

private:
    friend class TControl;
    Bitmap surface_;
    std::vector<TControl*> controls_;
};

// An image control: shows its picture at its top-left corner, at the picture's own size. An
// empty picture shows nothing.
class TImage : public TControl {
public:
    explicit TImage(TComponent* owner) : TControl(owner) {}

    Bitmap& Picture() { return picture_; }
    void Paint() override;

private:
    Bitmap picture_;
};

} // namespace dd
