#pragma once

// The sprite: shows one frame of its frame list at a position and depth, moves, mirrors,
// plays timed sequences and reports hits. Every change goes through Place.

#include "platform/time/TTimer.h"
#include "sprites/Sprframe.h"
#include "sprites/Spritbox.h"
#include "sprites/Sprsqnce.h"

#include <functional>
#include <memory>

namespace dd {

enum class THitTest : std::uint8_t { htNone = 0, htRect = 1, htPixel = 2 };

// The plot mode set, stored as one byte.
using TPlotMode = std::uint8_t;
inline constexpr TPlotMode BufferBackground = 1;
inline constexpr TPlotMode PlotTransparent = 2;

class TSprite : public TVSprite, public TSequenceOwner {
public:
    static constexpr std::string_view kAbout = "1.1d";

    TSprite(TComponent* owner, Scheduler& scheduler);
    ~TSprite() override;
    // A hidden sprite showing the same pictures, sharing `source`'s lists; it must not outlive
    // `source`.
    static std::unique_ptr<TSprite> CreateCopy(TSprite& source);

    void SetVisible(bool value) override;
    void SetX(int value) override;
    void SetY(int value) override;
    void SetZ(int value) override;
    int GetWidth() const override;
    int GetHeight() const override;
    void Draw(Canvas& canvas, int x, int y, const TRect& origin) override;
    void DrawScaled(Canvas& canvas, int x, int y, const TRect& origin, double scale) override;
    void LeaveSpriteBox() override { box_ = nullptr; }

    void Show(std::string_view frameName);
    void Hide() { SetVisible(false); }
    void Redraw();
    void MoveTo(int newX, int newY);
    void PlaySequence(std::string_view name, int count);
    void SelectSequence(std::string_view name);
    std::string SequenceName() const;
    Bitmap* MaskBitmap();
    void Place(int newX, int newY, int newZ, int newFrameIndex, bool newVisible);
    virtual void CheckHit();

    // Published properties.
    std::string About() const { return std::string(kAbout); }
    void SetAbout(std::string_view text) { about_ = text; }
    TColor Transparent() const { return frames_->TransparentColor(); }
    void SetTransparent(TColor color) { frames_->SetTransparentColor(color); }
    TSpriteBox* SpriteBox() const { return box_; }
    void SetSpriteBox(TSpriteBox* box);
    THitTest HitTest = THitTest::htNone;
    TPlotMode Plotmode = BufferBackground | PlotTransparent;
    TFrameList& FrameList() const { return *frames_; }
    void SetFrameList(const TFrameList& list) { frames_->Assign(list); }
    TSequenceList& SequenceList() const { return *sequences_; }
    void SetSequenceList(const TSequenceList& list) { sequences_->Assign(list); }
    std::string CurrentFrame() const;
    void SetCurrentFrame(std::string_view name);
    int FrameIndex() const { return frameIndex_; }
    void SetFrameIndex(int index);
    bool MirrorX() const { return mirrorX_; }
    void SetMirrorX(bool value);
    bool MirrorY() const { return mirrorY_; }
    void SetMirrorY(bool value);

    std::function<void(TSprite& sender, int& x, int& y)> OnMove;
    std::function<void(TSprite& sender, int& x, int& y, int& z)> OnMove3D;
    std::function<void(TSprite& sender, int& repeatCount)> OnFinishSequence;
    std::function<void(TSprite& sender, TSprite& hitWhom)> OnHit;

    // Playback state.
    int RepeatCount = 0;
    int StepIndex = -1;
    TTimer& SequenceTimer() { return *timer_; }
    bool SharedLists() const { return sharedLists_; }

    // TSequenceOwner
    std::string DataVersion() const override { return about_; }
    TFrameList& GetFrameList() override { return *frames_; }

private:
    void ChangeZ(int newZ);
    void SequenceStep();
    TFrame* FrameIf(int index, bool visible) const;
    Canvas& OwnerCanvas();
    void PlaceWithoutBox(TFrame* oldFrame, TFrame* newFrame, int oldX, int oldY, bool joint,
                         const TRect& unionRect);
    bool PixelsMeet(const TSprite& other, const TRect& area) const;

    Scheduler& scheduler_;
    std::string about_{kAbout};
    std::unique_ptr<TFrameList> ownedFrames_;
    std::unique_ptr<TSequenceList> ownedSequences_;
    TFrameList* frames_;
    TSequenceList* sequences_;
    TSequence* currentSequence_ = nullptr;
    int frameIndex_ = -1;
    std::unique_ptr<TTimer> timer_;
    bool sharedLists_ = false;
    TSpriteBox* box_ = nullptr;
    bool mirrorX_ = false;
    bool mirrorY_ = false;
    std::unique_ptr<Bitmap> saveBitmap_;
    // Expires with the sprite, so a handler that destroys it is noticed.
    std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
};

} // namespace dd
