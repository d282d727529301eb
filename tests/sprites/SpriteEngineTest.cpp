#include "tests/support/SpriteScene.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace dd {
namespace {

using namespace std::chrono_literals;
using test::SpriteScene;

const std::string kGrey6x4 = "------|------|------|------";

std::vector<std::string> Names(const TSpriteBox& box) {
    std::vector<std::string> names;
    for (int i = 0; i < box.SpriteCount(); ++i)
        names.push_back(box.Sprites(i).Name);
    return names;
}

TEST(DepthOrder, FarthestFirstAndEqualDepthsKeepTheirOrder) {
    SpriteScene scene(8, 6, 1, 1, kGrey6x4);
    for (auto [name, z] : {std::pair{"first5", 5}, {"nine", 9}, {"second5", 5}}) {
        TSprite& s = scene.AddSprite({"r"}, false);
        s.Name = name;
        s.SetZ(z);
        s.SetSpriteBox(&scene.box);
    }
    EXPECT_EQ(Names(scene.box), (std::vector<std::string>{"nine", "first5", "second5"}));
    TSprite& second = *scene.sprites[2];
    second.SetZ(9);
    EXPECT_EQ(Names(scene.box), (std::vector<std::string>{"nine", "second5", "first5"}));
    scene.sprites[0]->SetSpriteBox(&scene.box); // joining again puts it last of its depth
    second.SetZ(5);
    EXPECT_EQ(Names(scene.box), (std::vector<std::string>{"nine", "second5", "first5"}));
    scene.sprites[1]->SetZ(5);
    scene.sprites[1]->SetSpriteBox(&scene.box);
    EXPECT_EQ(Names(scene.box), (std::vector<std::string>{"second5", "first5", "nine"}));
}

TEST(DirtyRects, TouchingStayApartOverlapsMergeAndReMerge) {
    SpriteScene scene(40, 20, 0, 0, "-");
    scene.box.BeginUpdate();
    scene.box.RedrawRect({0, 0, 10, 10}, 0);
    scene.box.RedrawRect({10, 0, 20, 10}, 0);
    EXPECT_EQ(*scene.box.DirtyRects(), (std::vector<TRect>{{0, 0, 10, 10}, {10, 0, 20, 10}}));
    scene.box.RedrawRect({5, 0, 15, 10}, 0);
    EXPECT_EQ(*scene.box.DirtyRects(), (std::vector<TRect>{{0, 0, 20, 10}}));
    scene.box.RedrawRect({30, 0, 30, 5}, 0); // empty: intersects nothing
    scene.box.RedrawRect({25, 12, 30, 14}, 0);
    scene.box.RedrawRect({19, 9, 26, 13}, 0); // bridges both
    EXPECT_EQ(*scene.box.DirtyRects(), (std::vector<TRect>{{0, 0, 30, 14}, {30, 0, 30, 5}}));
    scene.box.EndUpdate();
    EXPECT_EQ(scene.box.DirtyRects(), nullptr);
}

TEST(DirtyRects, AMergeThatReachesAnEarlierCheckedRectangleMergesItToo) {
    SpriteScene scene(40, 40, 0, 0, "-");
    scene.box.BeginUpdate();
    scene.box.RedrawRect({0, 0, 10, 10}, 0);
    scene.box.RedrawRect({14, 14, 30, 30}, 0);
    scene.box.RedrawRect({20, 0, 30, 10}, 0); // meets neither, but their union
    ASSERT_EQ(scene.box.DirtyRects()->size(), 3u);
    scene.box.RedrawRect({5, 5, 15, 15}, 0);
    EXPECT_EQ(*scene.box.DirtyRects(), (std::vector<TRect>{{0, 0, 30, 30}}));
}

TEST(Batches, DrawOnceAtTheEndAndNestedBeginFlushes) {
    SpriteScene scene(8, 6, 1, 1, kGrey6x4);
    TSprite& s = scene.AddSprite({"rr|rr"});
    scene.box.EndUpdate(); // without BeginUpdate: nothing
    scene.box.BeginUpdate();
    s.Show("f0");
    s.MoveTo(2, 1);
    EXPECT_EQ(scene.Box(), "------|------|------|------") << "nothing drawn inside a batch";
    scene.box.BeginUpdate();
    EXPECT_EQ(scene.Box(), "------|--rr--|--rr--|------") << "second Begin drew the first batch";
    s.MoveTo(3, 2);
    scene.box.EndUpdate();
    EXPECT_EQ(scene.Box(), "------|------|---rr-|---rr-");
}

TEST(Batches, EndUpdateGrowsTheScratchBitmapToTheLargestRectangle) {
    SpriteScene scene(400, 300, 0, 0, "-");
    scene.AddSprite({"r"});
    scene.box.BeginUpdate();
    scene.box.RedrawRect({10, 10, 310, 210}, 0);
    scene.box.EndUpdate();
    EXPECT_GE(TempBitmap()->Width(), 301);
    EXPECT_GE(TempBitmap()->Height(), 201);
}

TEST(Composition, TransparentMirroredSpritesInDepthOrderPixelByPixel) {
    SpriteScene scene(8, 6, 1, 1, kGrey6x4);
    TSprite& back = scene.AddSprite({"yyy|ybb|yyy"});
    TSprite& front = scene.AddSprite({"rrb|rbb"});
    back.SetZ(5);
    front.SetZ(1);
    back.MoveTo(1, 0);
    front.MoveTo(2, 1);
    back.Show("f0");
    front.Show("f0");
    EXPECT_EQ(scene.Box(), "-yyy--|-yrr--|-yry--|------");
    front.SetMirrorX(true);
    EXPECT_EQ(scene.Box(), "-yyy--|-y-rr-|-yyyr-|------");
    front.SetMirrorY(true);
    EXPECT_EQ(scene.Box(), "-yyy--|-y--r-|-yyrr-|------");
    front.SetZ(9);
    EXPECT_EQ(scene.Box(), "-yyy--|-y--r-|-yyyr-|------") << "now behind";
}

TEST(Placement, WithoutABoxTheOldImageIsErasedAndNoErasedStateShows) {
    SpriteScene scene(6, 3, 0, 0, "-");
    scene.box.SetParent(nullptr);
    scene.form.GetCanvas().SetBrushColor(RGB(0, 160, 0));
    scene.form.GetCanvas().FillRect({0, 0, 6, 3});
    TSprite& s = scene.AddSprite({"rW|Wb"}, false);
    std::vector<TRect> damaged;
    s.Show("f0");
    EXPECT_EQ(scene.Screen({0, 0, 6, 3}), "rWgggg|Wggggg|gggggg");
    scene.form.OnDamage = [&](const TRect& r) {
        damaged.push_back(r);
        // An overlapping move reaches the screen in one copy: never an erased state.
        EXPECT_NE(scene.Screen({0, 0, 6, 3}).find("rW"), std::string::npos);
    };
    s.MoveTo(1, 0);
    EXPECT_EQ(scene.Screen({0, 0, 6, 3}), "grWggg|gWgggg|gggggg");
    EXPECT_EQ(damaged, (std::vector<TRect>{{0, 0, 3, 2}}));
    damaged.clear();
    scene.form.OnDamage = [&](const TRect& r) { damaged.push_back(r); };
    s.MoveTo(4, 1); // apart: erase, then draw
    EXPECT_EQ(scene.Screen({0, 0, 6, 3}), "gggggg|ggggrW|ggggWg");
    EXPECT_EQ(damaged, (std::vector<TRect>{{1, 0, 3, 2}, {4, 1, 6, 3}}));
    s.Hide();
    EXPECT_EQ(scene.Screen({0, 0, 6, 3}), "gggggg|gggggg|gggggg");
}

TEST(Placement, WithoutBufferBackgroundTheFramePaintsIntoTheBackground) {
    SpriteScene scene(4, 2, 0, 0, "----|----");
    TSprite& s = scene.AddSprite({"rb"});
    s.Plotmode = PlotTransparent;
    s.Show("f0");
    s.MoveTo(2, 1);
    EXPECT_EQ(test::ToText(scene.box.Picture(), test::SceneColors()), "r---|--r-");
}

TEST(Placement, MovesGoThroughOnMoveAndTheSixteenBitFields) {
    SpriteScene scene(8, 6, 1, 1, kGrey6x4);
    TSprite& s = scene.AddSprite({"r"});
    int moves = 0;
    s.OnMove = [&](TSprite&, int& x, int&) {
        ++moves;
        x = std::min(x, 4);
    };
    s.Show("f0");
    moves = 0;
    s.MoveTo(9, 2);
    EXPECT_EQ(s.GetX(), 4) << "the handler may change the position";
    EXPECT_EQ(scene.Box(), "------|------|----r-|------");
    s.MoveTo(4, 2);
    EXPECT_EQ(moves, 2) << "MoveTo to the same place still places";
    s.OnMove = nullptr;
    s.Hide();
    s.SetX(32768);
    EXPECT_EQ(s.GetX(), -32768);
    s.SetX(65536);
    EXPECT_EQ(s.GetX(), 0);
    EXPECT_EQ(s.GetLeft(), s.GetX());
}

TEST(Frames, ByNameAndByIndex) {
    SpriteScene scene(8, 6, 1, 1, kGrey6x4);
    TSprite& s = scene.AddSprite({"r", "yy"});
    EXPECT_FALSE(s.Visible());
    EXPECT_EQ(s.FrameIndex(), -1);
    EXPECT_TRUE(s.BoundsRect().IsEmpty());
    EXPECT_FALSE(s.IntersectsRect({-100, -100, 100, 100}));
    s.Show("f1");
    EXPECT_EQ(scene.Box(), "yy----|------|------|------");
    s.Show("None");
    EXPECT_EQ(s.FrameIndex(), 1);
    s.SetFrameIndex(-1);
    EXPECT_EQ(s.FrameIndex(), 1) << "a frame cannot be taken away at run time";
    s.SetCurrentFrame("");
    EXPECT_EQ(s.CurrentFrame(), "f1");
    try {
        s.SetCurrentFrame("F1");
        FAIL();
    } catch (const ESprite& e) {
        EXPECT_STREQ(e.what(), "Frame not found: F1");
    }
    s.SetFrameIndex(0);
    EXPECT_EQ(scene.Box(), "r-----|------|------|------");
    s.Designing = true;
    EXPECT_THROW(s.SetFrameIndex(2), ESprite);
    try {
        s.SetFrameIndex(-2);
        FAIL();
    } catch (const ESprite& e) {
        EXPECT_STREQ(e.what(), "Frameindex should be between -1 and 1");
    }
    s.SetFrameIndex(-1);
    EXPECT_EQ(s.FrameIndex(), -1);
    EXPECT_EQ(scene.Box(), "r-----|------|------|------") << "designing draws nothing";
}

TEST(Sequences, ThreeStepsPlayOnceWithOffsetsAppliedWhenTheNextStepShows) {
    SpriteScene scene(8, 6, 1, 1, kGrey6x4);
    TSprite& s = scene.AddSprite({"r", "y", "c"});
    auto owned = std::make_unique<TSequence>(&s);
    TSequence* seq = owned.get();
    const double times[] = {0.1, 0.2, 0.3};
    for (int i = 0; i < 3; ++i) {
        auto step = std::make_unique<TFrameRef>(&s);
        step->SetFrameName("f" + std::to_string(i));
        step->DX = static_cast<std::int16_t>(i + 1);
        step->Time = times[i];
        seq->Add(std::move(step));
    }
    seq->Name.Set("Go");
    s.SequenceList().Add(std::move(owned));
    std::vector<int> finished;
    s.OnFinishSequence = [&](TSprite&, int& count) { finished.push_back(count); };
    s.SetVisible(true);
    s.PlaySequence("go", 1);
    EXPECT_EQ(scene.Box(), "r-----|------|------|------");
    scene.clock.Advance(99ms);
    EXPECT_EQ(s.FrameIndex(), 0);
    scene.clock.Advance(1ms);
    EXPECT_EQ(scene.Box(), "-y----|------|------|------") << "moved by step 0's DX";
    scene.clock.Advance(200ms);
    EXPECT_EQ(scene.Box(), "---c--|------|------|------");
    EXPECT_EQ(s.SequenceTimer().Interval(), 300);
    scene.clock.Advance(300ms);
    EXPECT_EQ(finished, (std::vector<int>{0}));
    EXPECT_FALSE(s.SequenceTimer().Enabled());
    EXPECT_EQ(s.GetX(), 3) << "the last step's offset is not applied";
    scene.clock.Advance(5s);
    EXPECT_EQ(finished.size(), 1u);
}

class LoopingSprite : public ::testing::Test {
protected:
    SpriteScene scene{8, 6, 1, 1, kGrey6x4};
    TSprite& s = scene.AddSprite({"r", "y"});
    void SetUp() override {
        auto seq = std::make_unique<TSequence>(&s);
        seq->Name.Set("Loop");
        for (const char* frame : {"f0", "missing", "f1"}) {
            auto step = std::make_unique<TFrameRef>(&s);
            step->SetFrameName(frame);
            step->Time = 0.0625; // 62.5 ms: halves go to the even neighbour
            seq->Add(std::move(step));
        }
        s.SequenceList().Add(std::move(seq));
    }
};

TEST(Sequences, StepTimesRoundToTheNearestMillisecond) {
    SpriteScene scene(8, 6, 1, 1, kGrey6x4);
    TSprite& s = scene.AddSprite({"r"});
    auto seq = std::make_unique<TSequence>(&s);
    seq->Name.Set("One");
    auto step = std::make_unique<TFrameRef>(&s);
    step->SetFrameName("f0");
    step->Time = 0.0997;
    seq->Add(std::move(step));
    s.SequenceList().Add(std::move(seq));
    s.PlaySequence("One", 1);
    EXPECT_EQ(s.SequenceTimer().Interval(), 100);
}

TEST_F(LoopingSprite, RepeatCountsAndTheFinishHandler) {
    int passes = 0;
    s.OnFinishSequence = [&](TSprite&, int& count) {
        ++passes;
        if (passes == 1)
            count = 0;
    };
    s.PlaySequence("Loop", 2);
    EXPECT_EQ(s.SequenceTimer().Interval(), 62);
    scene.clock.Advance(1s);
    EXPECT_EQ(passes, 1) << "the handler stopped it after one pass";
    s.OnFinishSequence = [&](TSprite&, int&) { ++passes; };
    s.PlaySequence("Loop", 0);
    scene.clock.Advance(62ms * 3 * 4);
    EXPECT_EQ(passes, 1 + 4) << "0 plays endlessly";
    EXPECT_EQ(s.RepeatCount, -1);
}

TEST_F(LoopingSprite, AFinishHandlerMayStopTheSequenceOrDestroyTheSprite) {
    s.OnFinishSequence = [&](TSprite& sprite, int&) { sprite.SelectSequence(""); };
    s.PlaySequence("Loop", 3);
    scene.clock.Advance(1s);
    EXPECT_EQ(s.SequenceName(), "");
    EXPECT_EQ(s.StepIndex, 0);

    int finished = 0;
    s.OnFinishSequence = [&](TSprite&, int&) {
        ++finished;
        scene.sprites.clear();
    };
    s.PlaySequence("Loop", 3);
    scene.clock.Advance(1s);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(scene.box.SpriteCount(), 0);
}

TEST_F(LoopingSprite, AMissingFrameShowsNothingAndAHiddenSpriteKeepsStepping) {
    s.Show("f0");
    s.PlaySequence("Loop", -1);
    scene.clock.Advance(62ms);
    EXPECT_EQ(s.FrameIndex(), -1);
    EXPECT_EQ(scene.Box(), "------|------|------|------");
    s.Hide();
    scene.clock.Advance(62ms);
    EXPECT_EQ(s.FrameIndex(), 1);
    EXPECT_EQ(scene.Box(), "------|------|------|------");
    EXPECT_THROW(s.PlaySequence("Nope", 1), ESprite);
    EXPECT_TRUE(s.SequenceTimer().Enabled()) << "an unknown name changes nothing";
    s.PlaySequence("", 1);
    EXPECT_FALSE(s.SequenceTimer().Enabled());
}

TEST(HitTests, ByRectangleInBoxOrderAndByPixel) {
    SpriteScene scene(10, 6, 0, 0, "----------|----------|----------");
    TSprite& a = scene.AddSprite({"rr|rr"});
    TSprite& b = scene.AddSprite({"bbb|bby"});
    TSprite& hidden = scene.AddSprite({"rr"});
    TSprite& mover = scene.AddSprite({"yb|bb"});
    a.Name = "a";
    b.Name = "b";
    a.Show("f0");
    b.MoveTo(1, 0);
    b.Show("f0");
    hidden.MoveTo(0, 0);
    std::vector<std::string> hits;
    mover.OnHit = [&](TSprite&, TSprite& whom) { hits.push_back(whom.Name); };
    mover.HitTest = THitTest::htRect;
    mover.MoveTo(1, 1);
    mover.Show("f0");
    EXPECT_EQ(hits, (std::vector<std::string>{"a", "b"}));
    hits.clear();
    mover.HitTest = THitTest::htPixel;
    mover.MoveTo(1, 1); // its opaque pixel (1,1) meets a's, b is transparent there
    EXPECT_EQ(hits, (std::vector<std::string>{"a"}));
    hits.clear();
    mover.MoveTo(2, 1); // opaque (2,1): a is gone there, b opaque at (3,1) only
    EXPECT_TRUE(hits.empty());
    mover.MoveTo(3, 1);
    EXPECT_EQ(hits, (std::vector<std::string>{"b"}));
}

TEST(HitTests, AHandlerThatDestroysASpriteLaterInTheScanIsNotCalledForIt) {
    SpriteScene scene(10, 6, 0, 0, "----------|----------|----------");
    TSprite& a = scene.AddSprite({"rr|rr"});
    TSprite& b = scene.AddSprite({"rr|rr"});
    TSprite& mover = scene.AddSprite({"yy|yy"});
    a.Name = "a";
    b.Name = "b";
    a.Show("f0");
    b.Show("f0");
    std::vector<std::string> hits;
    mover.OnHit = [&](TSprite&, TSprite& whom) {
        hits.push_back(whom.Name);
        if (whom.Name == "a")
            scene.sprites[1].reset(); // b
    };
    mover.HitTest = THitTest::htRect;
    mover.Show("f0");
    EXPECT_EQ(hits, std::vector<std::string>{"a"});
    EXPECT_EQ(scene.box.SpriteCount(), 2);
}

TEST(CreateCopy, SharesTheListsSoTheTransparentColourChangesForAll) {
    SpriteScene scene(8, 6, 1, 1, kGrey6x4);
    TSprite& source = scene.AddSprite({"ry"});
    source.SetTransparent(clBlue);
    source.MoveTo(1, 1);
    source.SetFrameIndex(0);
    auto copy = TSprite::CreateCopy(source);
    EXPECT_TRUE(copy->SharedLists());
    EXPECT_EQ(&copy->FrameList(), &source.FrameList());
    EXPECT_EQ(copy->SpriteBox(), &scene.box);
    EXPECT_FALSE(copy->Visible());
    EXPECT_EQ(copy->FrameIndex(), 0);
    EXPECT_EQ(copy->GetX(), 1);
    copy->MoveTo(3, 2);
    copy->SetVisible(true);
    source.SetVisible(true);
    EXPECT_EQ(scene.Box(), "------|-ry---|---ry-|------");
    copy->SetTransparent(RGB(255, 255, 0));
    EXPECT_EQ(source.Transparent(), RGB(255, 255, 0));
    source.Redraw();
    copy->Redraw();
    EXPECT_EQ(scene.Box(), "------|-r----|---r--|------");
}

TEST(Projection, MapsThroughTheVanishingPoint) {
    TThreeD p;
    p.XDis = 100;
    p.YDis = 50;
    p.ZDis = 10;
    p.DiaF = 20;
    int x, y;
    double scale;
    p.Project(200, 150, 30, x, y, scale);
    EXPECT_EQ(x, 150);
    EXPECT_EQ(y, 100);
    EXPECT_EQ(scale, 0.5);
    EXPECT_EQ(std::nearbyint(40 * scale), 20);
    EXPECT_EQ(std::nearbyint(30 * scale), 15);
    TThreeD q;
    q.DiaF = 1;
    q.Project(-15, 0, 2, x, y, scale);
    EXPECT_EQ(x, -7) << "truncation toward zero";
    EXPECT_THROW(q.Project(1, 1, 0, x, y, scale), EDivByZero);
}

TEST(Projection, QueuedProjectedRectanglesAreNotProjectedAgain) {
    SpriteScene scene(40, 40, 0, 0, "-");
    scene.box.ThreeD().Enabled = true;
    scene.box.ThreeD().DiaF = 2;
    scene.box.BeginUpdate();
    scene.box.RedrawRect({2, 2, 4, 4}, 1);
    scene.box.RedrawRect({10, 10, 12, 12}, TSpriteBox::kProjected);
    EXPECT_EQ(*scene.box.DirtyRects(), (std::vector<TRect>{{4, 4, 8, 8}, {10, 10, 12, 12}}));
}

TEST(Projection, RectanglesAtTheEdgeOfTheRangeWrapLikeTheProjection) {
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    SpriteScene scene(8, 6, 1, 1, kGrey6x4);
    TThreeD& p = scene.box.ThreeD();
    p.Enabled = true;
    p.XDis = kMax - 5;
    p.YDis = kMin + 2;
    p.ZDis = 1;
    p.DiaF = 2; // scale 2 at depth 0
    scene.box.BeginUpdate();
    scene.box.RedrawRect({kMax - 5, kMin + 2, kMax, kMin + 12}, 0);
    EXPECT_EQ(*scene.box.DirtyRects(),
              (std::vector<TRect>{{kMax - 5, kMin + 2, kMin + 4, kMin + 22}}));
    scene.box.EndUpdate();
    const std::string before = scene.Screen({0, 0, 8, 6});
    // Its place on the window lies past the end of the range.
    scene.box.RedrawRect({kMax - 5, 0, kMax, 3}, TSpriteBox::kProjected);
    EXPECT_EQ(scene.Screen({0, 0, 8, 6}), before);
}

// Scale 2 at depth 1: (x, y) is shown at (2x, 2y), twice the size.
void DoubleAtDepthOne(TSpriteBox& box) {
    box.ThreeD().Enabled = true;
    box.ThreeD().DiaF = 2;
    box.ThreeD().ZDis = 0;
}

TEST(Projection, PlacementRedrawsProjectedAndCompositionDrawsThere) {
    SpriteScene scene(8, 6, 1, 1, kGrey6x4);
    DoubleAtDepthOne(scene.box);
    TSprite& s = scene.AddSprite({"rr|rr"});
    s.SetZ(1);
    s.MoveTo(1, 0);
    s.Show("f0"); // outside a batch: twice the size the frames made the scratch bitmap for
    EXPECT_EQ(scene.Box(), "--rrrr|--rrrr|--rrrr|--rrrr");
    scene.box.BeginUpdate();
    s.MoveTo(1, 1); // overlapping at one depth: one union, projected at that depth
    EXPECT_EQ(*scene.box.DirtyRects(), (std::vector<TRect>{{2, 0, 6, 6}}));
    scene.box.EndUpdate();
    scene.box.BeginUpdate();
    s.SetZ(2); // another depth: the old and the new place each at their own depth
    EXPECT_EQ(*scene.box.DirtyRects(), (std::vector<TRect>{{1, 1, 6, 6}}))
        << "{2, 2, 6, 6} and {1, 1, 3, 3}";
    scene.box.EndUpdate();
    EXPECT_EQ(scene.Box(), "------|-rr---|-rr---|------");
}

TEST(Projection, FullRepaintDrawsAtTheProjectedPlace) {
    SpriteScene scene(8, 6, 1, 1, kGrey6x4);
    DoubleAtDepthOne(scene.box);
    TSprite& s = scene.AddSprite({"r"});
    s.SetZ(1);
    s.MoveTo(2, 1);
    s.Show("f0");
    scene.form.Paint();
    EXPECT_EQ(scene.Screen({1, 1, 7, 5}), "------|------|----rr|----rr");
}

TEST(Projection, ProjectedSizesRoundHalvesToEven) {
    SpriteScene scene(40, 40, 0, 0, "-");
    scene.box.ThreeD().Enabled = true;
    scene.box.ThreeD().DiaF = 1;
    scene.box.ThreeD().ZDis = 1; // scale 1/2 at depth 1
    scene.box.BeginUpdate();
    scene.box.RedrawRect({0, 0, 5, 7}, 1);
    EXPECT_EQ(*scene.box.DirtyRects(), (std::vector<TRect>{{0, 0, 2, 4}})) << "2.5 and 3.5";
}

TEST(HitTests, PixelsAreReadWhereEachSpritesOwnFrameLies) {
    SpriteScene scene(10, 6, 0, 0, "----------|----------");
    TSprite& other = scene.AddSprite({"rb", "bb"}); // its second frame is all transparent
    TSprite& hidden = scene.AddSprite({"rr"});
    TSprite& mover = scene.AddSprite({"bb", "yy"});
    other.Show("f0");
    hidden.Show("f0");
    hidden.Hide(); // it keeps its frame and place, but is not there to be hit
    std::vector<std::string> hits;
    other.Name = "other";
    mover.OnHit = [&](TSprite&, TSprite& whom) { hits.push_back(whom.Name); };
    mover.HitTest = THitTest::htPixel;
    mover.Show("f1");
    EXPECT_EQ(hits, std::vector<std::string>{"other"}) << "they meet at (0, 0)";
}

TEST(CreateCopy, TakesTheMirroringAndTheMoveHandlers) {
    SpriteScene scene(8, 6, 1, 1, kGrey6x4);
    TSprite& source = scene.AddSprite({"ry"});
    source.SetMirrorX(true);
    source.SetMirrorY(true);
    int moves = 0;
    source.OnMove3D = [&](TSprite&, int&, int&, int&) { ++moves; };
    auto copy = TSprite::CreateCopy(source);
    EXPECT_TRUE(copy->MirrorX());
    EXPECT_TRUE(copy->MirrorY());
    copy->MoveTo(2, 2);
    EXPECT_EQ(moves, 1);
}

TEST(Placement, OnMove3DSeesAndMayChangeTheDepth) {
    SpriteScene scene(8, 6, 1, 1, kGrey6x4);
    TSprite& s = scene.AddSprite({"r"});
    std::vector<int> seen;
    s.OnMove3D = [&](TSprite&, int& x, int& y, int& z) {
        seen.insert(seen.end(), {x, y, z});
        z = 7;
    };
    s.SetZ(3);
    s.MoveTo(4, 2);
    EXPECT_EQ(seen, (std::vector<int>{0, 0, 3, 4, 2, 7}));
    EXPECT_EQ(s.GetZ(), 7);
}

TEST(Paint, FullRepaintDrawsPictureAndSpritesInsideTheBox) {
    SpriteScene scene(8, 6, 1, 1, kGrey6x4);
    TSprite& s = scene.AddSprite({"rrr"});
    s.MoveTo(4, 3);
    s.Show("f0");
    scene.form.OnPaint = [&] {
        scene.form.GetCanvas().SetBrushColor(clBlack);
        scene.form.GetCanvas().FillRect({0, 0, 8, 6});
    };
    scene.form.Paint();
    EXPECT_EQ(scene.Screen({0, 0, 8, 6}), "........|.------.|.------.|.------.|.----rr.|........")
        << "the sprite is clipped at the box's edge";
}

} // namespace
} // namespace dd
