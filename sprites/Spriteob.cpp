#include "sprites/Spriteob.h"

#include "platform/gfx/CanvasStateSaver.h"

#include <cmath>

namespace dd {
namespace {

void PlainCopy(Canvas& dest, const TRect& to, Bitmap& source, const TRect& from) {
    const CanvasStateSaver saved(dest);
    dest.SetCopyMode(CopyMode::SrcCopy);
    dest.CopyRect(to, source, from);
}

TRect FrameRect(int x, int y, const TFrame& frame) {
    return Bounds(x, y, frame.FrameWidth(), frame.FrameHeight());
}

int IntervalFor(double seconds) {
    const double ms = std::nearbyint(seconds * 1000);
    if (!std::isfinite(ms) || ms <= 0)
        return 0;
    return ms >= 2147483647.0 ? 2147483647 : static_cast<int>(ms);
}

} // namespace

TSprite::TSprite(TComponent* owner, Scheduler& scheduler)
    : TVSprite(owner), scheduler_(scheduler), ownedFrames_(std::make_unique<TFrameList>(clBlack)),
      ownedSequences_(std::make_unique<TSequenceList>(this)), frames_(ownedFrames_.get()),
      sequences_(ownedSequences_.get()), timer_(std::make_unique<TTimer>(scheduler)) {
    timer_->OnTimer = [this] { SequenceStep(); };
}

TSprite::~TSprite() {
    if (ownedSequences_)
        ownedSequences_->Clear();
    if (box_)
        box_->RemoveSprite(*this);
}

std::unique_ptr<TSprite> TSprite::CreateCopy(TSprite& source) {
    auto copy = std::make_unique<TSprite>(source.Owner(), source.scheduler_);
    copy->ownedFrames_.reset();
    copy->ownedSequences_.reset();
    copy->frames_ = source.frames_;
    copy->sequences_ = source.sequences_;
    copy->sharedLists_ = true;
    copy->SetSpriteBox(source.box_);
    copy->TVSprite::SetX(source.GetX());
    copy->TVSprite::SetY(source.GetY());
    copy->ChangeZ(source.GetZ());
    copy->HitTest = source.HitTest;
    copy->SelectSequence(source.SequenceName());
    copy->RepeatCount = source.RepeatCount;
    copy->about_ = source.about_;
    copy->SetFrameIndex(source.frameIndex_);
    copy->SetMirrorX(source.mirrorX_);
    copy->SetMirrorY(source.mirrorY_);
    copy->Plotmode = source.Plotmode;
    copy->Tag = source.Tag;
    if (source.saveBitmap_)
        copy->saveBitmap_ = std::make_unique<Bitmap>(*source.saveBitmap_);
    copy->OnMove = source.OnMove;
    copy->OnMove3D = source.OnMove3D;
    copy->OnFinishSequence = source.OnFinishSequence;
    copy->OnHit = source.OnHit;
    return copy;
}

void TSprite::SetVisible(bool value) {
    if (value != Visible())
        Place(GetX(), GetY(), GetZ(), frameIndex_, value);
}

void TSprite::SetX(int value) {
    if (value != GetX())
        Place(value, GetY(), GetZ(), frameIndex_, Visible());
}

void TSprite::SetY(int value) {
    if (value != GetY())
        Place(GetX(), value, GetZ(), frameIndex_, Visible());
}

void TSprite::SetZ(int value) {
    if (value != GetZ())
        Place(GetX(), GetY(), value, frameIndex_, Visible());
}

int TSprite::GetWidth() const {
    return frameIndex_ == -1 ? -1 : frames_->Frames(frameIndex_).FrameWidth();
}

int TSprite::GetHeight() const {
    return frameIndex_ == -1 ? -1 : frames_->Frames(frameIndex_).FrameHeight();
}

void TSprite::Draw(Canvas& canvas, int x, int y, const TRect& origin) {
    DrawScaled(canvas, x, y, origin, 1.0);
}

void TSprite::DrawScaled(Canvas& canvas, int x, int y, const TRect& origin, double scale) {
    if (frameIndex_ == -1)
        return;
    frames_->Frames(frameIndex_)
        .DrawFrameEx(canvas, origin.Left + x, origin.Top + y, mirrorX_, mirrorY_,
                     (Plotmode & PlotTransparent) != 0, scale);
}

void TSprite::Show(std::string_view frameName) {
    SetCurrentFrame(frameName);
    SetVisible(true);
}

void TSprite::Redraw() {
    if (Visible())
        Place(GetX(), GetY(), GetZ(), frameIndex_, true);
}

void TSprite::MoveTo(int newX, int newY) {
    Place(newX, newY, GetZ(), frameIndex_, Visible());
}

void TSprite::SetSpriteBox(TSpriteBox* box) {
    if (box_)
        box_->RemoveSprite(*this);
    box_ = box;
    if (box_)
        box_->AddSprite(*this);
}

std::string TSprite::CurrentFrame() const {
    return frameIndex_ == -1 ? std::string() : frames_->Frames(frameIndex_).Name.Str();
}

void TSprite::SetCurrentFrame(std::string_view name) {
    name = name.substr(0, TName::kMaxLength);
    if (name.empty()) {
        if (Designing)
            frameIndex_ = -1;
        return;
    }
    if (name == "None")
        return;
    const int index = frames_->IndexOf(name);
    if (index == -1)
        throw ESprite("Frame not found: " + std::string(name));
    SetFrameIndex(index);
}

void TSprite::SetFrameIndex(int index) {
    if (Designing) {
        if (index < -1 || index > frames_->Count() - 1)
            throw ESprite("Frameindex should be between -1 and " +
                          std::to_string(frames_->Count() - 1));
        frameIndex_ = index;
        return;
    }
    if (index == -1)
        return;
    Place(GetX(), GetY(), GetZ(), index, Visible());
}

void TSprite::SetMirrorX(bool value) {
    if (value == mirrorX_)
        return;
    mirrorX_ = value;
    Redraw();
}

void TSprite::SetMirrorY(bool value) {
    if (value == mirrorY_)
        return;
    mirrorY_ = value;
    Redraw();
}

Bitmap* TSprite::MaskBitmap() {
    return frameIndex_ == -1 ? nullptr : &frames_->Mask();
}

void TSprite::SelectSequence(std::string_view name) {
    currentSequence_ = name.empty() ? nullptr : &sequences_->SequenceByName(name);
    StepIndex = 0;
}

std::string TSprite::SequenceName() const {
    return currentSequence_ ? currentSequence_->Name.Str() : std::string();
}

void TSprite::PlaySequence(std::string_view name, int count) {
    SelectSequence(name);
    RepeatCount = count;
    StepIndex = -1;
    // Restarting: the countdown begins anew even when the sequence was already playing.
    timer_->SetEnabled(false);
    if (!currentSequence_)
        return;
    timer_->SetEnabled(true);
    SequenceStep();
}

void TSprite::SequenceStep() {
    if (!currentSequence_)
        return;
    int frame = -1, dx = 0, dy = 0, dz = 0;
    double time = 0;
    if (timer_->Enabled())
        currentSequence_->GetStep(StepIndex, frame, dx, dy, dz, time);
    ++StepIndex;
    if (StepIndex == currentSequence_->Count()) {
        StepIndex = 0;
        if (RepeatCount != -1)
            --RepeatCount;
        if (OnFinishSequence) {
            // The handler may select no sequence, or destroy this sprite.
            const std::weak_ptr<const bool> alive = alive_;
            OnFinishSequence(*this, RepeatCount);
            if (alive.expired() || !currentSequence_)
                return;
        }
        if (RepeatCount == 0)
            timer_->SetEnabled(false);
    }
    if (!timer_->Enabled())
        return;
    int ignored;
    currentSequence_->GetStep(StepIndex, frame, ignored, ignored, ignored, time);
    Place(GetX() + dx, GetY() + dy, GetZ() + dz, frame, Visible());
    timer_->SetInterval(IntervalFor(time));
}

void TSprite::ChangeZ(int newZ) {
    if (static_cast<std::int16_t>(newZ) == GetZ())
        return;
    TVSprite::SetZ(newZ);
    if (box_)
        box_->ResortSprite(*this);
}

TFrame* TSprite::FrameIf(int index, bool visible) const {
    return index != -1 && visible ? &frames_->Frames(index) : nullptr;
}

Canvas& TSprite::OwnerCanvas() {
    auto* form = dynamic_cast<TForm*>(Owner());
    if (!form)
        throw Exception("Invalid class typecast");
    return form->GetCanvas();
}

void TSprite::Place(int newX, int newY, int newZ, int newFrameIndex, bool newVisible) {
    if (Designing)
        return;
    if (OnMove)
        OnMove(*this, newX, newY);
    if (OnMove3D)
        OnMove3D(*this, newX, newY, newZ);

    Canvas* target;
    if (box_) {
        if (box_->Picture().Empty())
            box_->Picture().SetSize(box_->Width(), box_->Height());
        target = &box_->Picture().GetCanvas();
    } else {
        target = &OwnerCanvas();
        if (!saveBitmap_)
            saveBitmap_ = std::make_unique<Bitmap>();
        if (saveBitmap_->Width() == 0) {
            int w = 0, h = 0;
            frames_->GetMaxSize(w, h);
            saveBitmap_->SetSize(w, h);
        }
    }

    const bool oldVisible = Visible();
    const int oldX = GetX(), oldY = GetY(), oldZ = GetZ();
    TVSprite::SetVisible(newVisible);
    TVSprite::SetX(newX);
    TVSprite::SetY(newY);
    ChangeZ(newZ);
    const int oldIndex = frameIndex_;
    frameIndex_ = newFrameIndex;

    TFrame* oldFrame = FrameIf(oldIndex, oldVisible);
    TFrame* newFrame = FrameIf(frameIndex_, Visible());
    const int x = GetX(), y = GetY(), z = GetZ();

    if (!(Plotmode & BufferBackground)) {
        if (newFrame) {
            newFrame->DrawFrame(*target, x, y, (Plotmode & PlotTransparent) != 0);
            if (!box_)
                static_cast<TForm*>(Owner())->Damage(FrameRect(x, y, *newFrame));
        }
    } else {
        const TRect newRect = newFrame ? FrameRect(x, y, *newFrame) : TRect{};
        const TRect oldRect = oldFrame ? FrameRect(oldX, oldY, *oldFrame) : TRect{};
        TRect unionRect;
        bool joint = false;
        if (oldFrame && newFrame) {
            UnionRect(unionRect, oldRect, newRect);
            joint = oldRect.Width() + newRect.Width() > unionRect.Width() &&
                    oldRect.Height() + newRect.Height() > unionRect.Height() &&
                    !(box_ && box_->ThreeD().Enabled && z != oldZ);
        }
        if (box_) {
            if (joint) {
                box_->RedrawRect(unionRect, z);
            } else {
                if (oldFrame)
                    box_->RedrawRect(oldRect, oldZ);
                if (newFrame)
                    box_->RedrawRect(newRect, z);
            }
        } else {
            PlaceWithoutBox(oldFrame, newFrame, oldX, oldY, joint, unionRect);
        }
    }
    if (Visible())
        CheckHit();
}

void TSprite::PlaceWithoutBox(TFrame* oldFrame, TFrame* newFrame, int oldX, int oldY, bool joint,
                              const TRect& u) {
    auto& form = *static_cast<TForm*>(Owner());
    Canvas& target = form.GetCanvas();
    Bitmap& screen = form.Surface();
    const int x = GetX(), y = GetY();
    if (!joint) {
        if (oldFrame) {
            const TRect oldRect = FrameRect(oldX, oldY, *oldFrame);
            PlainCopy(target, oldRect, *saveBitmap_,
                      Bounds(0, 0, oldFrame->FrameWidth(), oldFrame->FrameHeight()));
            form.Damage(oldRect);
        }
        if (newFrame) {
            const TRect newRect = FrameRect(x, y, *newFrame);
            PlainCopy(saveBitmap_->GetCanvas(),
                      Bounds(0, 0, newFrame->FrameWidth(), newFrame->FrameHeight()), screen,
                      newRect);
            newFrame->DrawFrame(target, x, y, (Plotmode & PlotTransparent) != 0);
            form.Damage(newRect);
        }
        return;
    }
    // Composed off-screen so the erased state never shows.
    Bitmap& temp = *TempBitmap();
    Canvas& scratch = temp.GetCanvas();
    const TRect whole = Bounds(0, 0, u.Width(), u.Height());
    PlainCopy(scratch, whole, screen, u);
    PlainCopy(scratch, FrameRect(oldX - u.Left, oldY - u.Top, *oldFrame), *saveBitmap_,
              Bounds(0, 0, oldFrame->FrameWidth(), oldFrame->FrameHeight()));
    PlainCopy(saveBitmap_->GetCanvas(),
              Bounds(0, 0, newFrame->FrameWidth(), newFrame->FrameHeight()), temp,
              FrameRect(x - u.Left, y - u.Top, *newFrame));
    newFrame->DrawFrame(scratch, x - u.Left, y - u.Top, (Plotmode & PlotTransparent) != 0);
    PlainCopy(target, u, temp, whole);
    form.Damage(u);
}

bool TSprite::PixelsMeet(const TSprite& other, const TRect& area) const {
    const TFrame& mine = frames_->Frames(frameIndex_);
    const TFrame& theirs = other.frames_->Frames(other.frameIndex_);
    const Bitmap& myMask = frames_->Mask();
    const Bitmap& theirMask = other.frames_->Mask();
    auto opaque = [](const Bitmap& mask, int x, int y) {
        return mask.BoundsRect().Contains(x, y) && mask.Pixel(x, y) == clBlack;
    };
    for (int x = area.Left; x < area.Right; ++x)
        for (int y = area.Top; y < area.Bottom; ++y)
            if (opaque(myMask, x - GetLeft() + mine.StripX, y - GetTop() + mine.StripY) &&
                opaque(theirMask, x - other.GetLeft() + theirs.StripX,
                       y - other.GetTop() + theirs.StripY))
                return true;
    return false;
}

void TSprite::CheckHit() {
    if (!OnHit || HitTest == THitTest::htNone || !box_)
        return;
    // Handlers may move sprites, which can reorder the box's list.
    std::vector<TSprite*> others;
    for (int i = 0; i < box_->SpriteCount(); ++i)
        if (auto* o = dynamic_cast<TSprite*>(&box_->Sprites(i)); o && o != this)
            others.push_back(o);
    for (TSprite* other : others) {
        // A handler may also destroy sprites; a destroyed one has left the box.
        if (!box_->Holds(*other) || !other->Visible())
            continue;
        TRect area;
        if (!IntersectRect(area, BoundsRect(), other->BoundsRect()))
            continue;
        if (HitTest == THitTest::htRect || PixelsMeet(*other, area))
            OnHit(*this, *other);
    }
}

} // namespace dd
