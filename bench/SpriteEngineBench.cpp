// One game tick's batch of sprite changes over an 800 x 600 field, beside recomposing the
// whole field, and the composition cost per pixel beside a plain copy.

#include "platform/gfx/BmpWriter.h"
#include "platform/time/VirtualScheduler.h"
#include "sprites/Spriteob.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <string>

namespace dd {
namespace {

// Appended, not "f" + std::to_string(i): GCC 12 at -O3 warns falsely about the latter.
std::string FrameName(char letter, std::size_t number) {
    std::string name(1, letter);
    name += std::to_string(number);
    return name;
}

struct Field {
    VirtualScheduler clock;
    TForm form;
    TSpriteBox box{&form};
    std::vector<std::unique_ptr<TSprite>> sprites;

    Field() {
        form.SetClientSize(1024, 768);
        box.SetBounds(112, 84, 800, 600);
        box.SetParent(&form);
        box.Picture().SetSize(800, 600);
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                box.Picture().SetPixel(
                    x, y, RGB(static_cast<std::uint8_t>(x), 90, static_cast<std::uint8_t>(y)));
    }

    // A sprite with `frames` frames of w x h: a disc on blue.
    TSprite& Add(int w, int h, int frames, int x, int y, int z) {
        auto s = std::make_unique<TSprite>(&form, clock);
        s->SetTransparent(clBlue);
        TMemoryStream stream;
        stream.WriteS16(static_cast<std::int16_t>(frames));
        for (int i = 0; i < frames; ++i) {
            stream.WriteU8(0);
            TName(FrameName('f', i)).Write(stream);
            stream.WriteS16(static_cast<std::int16_t>(i * w));
            stream.WriteS16(0);
            stream.WriteS16(static_cast<std::int16_t>(w));
            stream.WriteS16(static_cast<std::int16_t>(h));
        }
        Bitmap strip(w * frames, h);
        for (int py = 0; py < h; ++py)
            for (int px = 0; px < w * frames; ++px) {
                const int dx = px % w - w / 2, dy = py - h / 2;
                strip.SetPixel(px, py,
                               dx * dx * h * h + dy * dy * w * w < w * w * h * h / 4 ? clWhite
                                                                                     : clBlue);
            }
        const auto bmp = WriteBmp(strip);
        stream.WriteU32(static_cast<std::uint32_t>(bmp.size()));
        stream.WriteBuffer(bmp.data(), bmp.size());
        stream.Seek(0);
        s->FrameList().ReadData(stream);
        s->SetSpriteBox(&box);
        s->SetZ(z);
        s->MoveTo(x, y);
        s->Show("f0");
        sprites.push_back(std::move(s));
        return *sprites.back();
    }
};

struct TickField : Field {
    TSprite& small = Add(44, 44, 1, 300, 300, 1);
    TSprite& boat = Add(190, 231, 2, 305, 159, 2);
    TSprite& panel = Add(106, 43, 1, 684, 10, 10);
    TSprite& rose = Add(150, 70, 1, 10, 10, 10);
    TSprite& caption = Add(174, 45, 1, 313, 535, 0);
    std::vector<TSprite*> sails;

    TickField() {
        for (int i = 0; i < 4; ++i)
            sails.push_back(&Add(21, 19, 1, 100 + 150 * i, 371, 3));
        // Grow the scratch bitmap to the field once, as the first full redraw does.
        box.BeginUpdate();
        box.RedrawRect({0, 0, 800, 600}, TSpriteBox::kProjected);
        box.EndUpdate();
    }
};

void BM_GameTickBatch(benchmark::State& state) {
    TickField f;
    int step = 0;
    for (auto _ : state) {
        const int d = step % 2 ? -2 : 2;
        f.box.BeginUpdate();
        f.small.MoveTo(f.small.GetX() + d, f.small.GetY());
        f.boat.SetFrameIndex(1 - f.boat.FrameIndex());
        for (TSprite* s : f.sails)
            s->MoveTo(s->GetX() + d, s->GetY());
        f.panel.Redraw();
        f.box.EndUpdate();
        ++step;
    }
}
BENCHMARK(BM_GameTickBatch)->Unit(benchmark::kMicrosecond);

void BM_FullFieldRecomposition(benchmark::State& state) {
    TickField f;
    for (auto _ : state)
        f.box.RedrawRect({0, 0, 800, 600}, TSpriteBox::kProjected);
}
BENCHMARK(BM_FullFieldRecomposition)->Unit(benchmark::kMicrosecond);

void BM_ComposeArea200(benchmark::State& state) {
    TickField f;
    for (auto _ : state)
        f.box.RedrawRect({280, 150, 480, 350}, TSpriteBox::kProjected);
    state.SetItemsProcessed(state.iterations() * 200 * 200);
}
BENCHMARK(BM_ComposeArea200)->Unit(benchmark::kMicrosecond);

void BM_PlainCopyArea200(benchmark::State& state) {
    Bitmap src(800, 600), dest(1024, 768);
    for (auto _ : state) {
        for (int y = 0; y < 200; ++y)
            std::memcpy(dest.Row(234 + y) + 392, src.Row(150 + y) + 280, 200 * sizeof(TColor));
        benchmark::DoNotOptimize(dest.Row(300));
    }
    state.SetItemsProcessed(state.iterations() * 200 * 200);
}
BENCHMARK(BM_PlainCopyArea200)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace dd

BENCHMARK_MAIN();
