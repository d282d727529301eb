// Frame drawing, frame-list loading and flood fill, each beside its plain-copy baseline.

#include "platform/gfx/BmpWriter.h"
#include "sprites/Sprframe.h"

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

// A frame list like the stored sail list: 33 frames over a 3814 x 193 strip on blue.
std::vector<std::uint8_t> SailListStream() {
    const int widths[] = {140, 122, 108, 105, 104, 108, 122, 140};
    const int heights[] = {163, 193, 191, 183, 183, 191, 193, 163};
    std::vector<std::pair<int, int>> sizes;
    for (int i = 0; i < 4; ++i)
        for (int v = 0; v < 4; ++v)
            sizes.push_back({widths[i], heights[i]});
    sizes.push_back({18, 181});
    for (int i = 4; i < 8; ++i)
        for (int v = 0; v < 4; ++v)
            sizes.push_back({widths[i], heights[i]});
    Bitmap strip(3814, 193);
    for (int y = 0; y < 193; ++y)
        for (int x = 0; x < 3814; ++x)
            strip.SetPixel(
                x, y, (x / 7 + y / 5) % 3 ? clBlue : RGB(240, 240, static_cast<std::uint8_t>(y)));
    TMemoryStream s;
    s.WriteS16(static_cast<std::int16_t>(sizes.size()));
    int left = 0;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        s.WriteU8(0);
        TName(FrameName('Z', i)).Write(s);
        s.WriteS16(static_cast<std::int16_t>(left));
        s.WriteS16(0);
        s.WriteS16(static_cast<std::int16_t>(sizes[i].first));
        s.WriteS16(static_cast<std::int16_t>(sizes[i].second));
        left += sizes[i].first;
    }
    const auto bmp = WriteBmp(strip);
    s.WriteU32(static_cast<std::uint32_t>(bmp.size()));
    s.WriteBuffer(bmp.data(), bmp.size());
    return s.Bytes();
}

void BM_DrawFrameTransparent(benchmark::State& state) {
    TFrameList list(clBlue);
    TMemoryStream stream(SailListStream());
    list.ReadData(stream);
    TFrame& frame = list.Frames(0);
    frame.SetFrameSize(190, 173);
    Bitmap dest(800, 600);
    for (auto _ : state) {
        frame.DrawFrame(dest.GetCanvas(), 300, 200, true);
        benchmark::DoNotOptimize(dest.Row(250));
    }
    state.SetItemsProcessed(state.iterations() * 190 * 173);
}
BENCHMARK(BM_DrawFrameTransparent);

void BM_PlainCopy190x173(benchmark::State& state) {
    Bitmap src(3814, 193), dest(800, 600);
    for (auto _ : state) {
        for (int y = 0; y < 173; ++y)
            std::memcpy(dest.Row(200 + y) + 300, src.Row(y), 190 * sizeof(TColor));
        benchmark::DoNotOptimize(dest.Row(250));
    }
    state.SetItemsProcessed(state.iterations() * 190 * 173);
}
BENCHMARK(BM_PlainCopy190x173);

void BM_LoadSailFrameList(benchmark::State& state) {
    const auto bytes = SailListStream();
    for (auto _ : state) {
        TFrameList list(clBlack);
        TMemoryStream stream(bytes);
        list.ReadData(stream);
        list.SetTransparentColor(clBlue);
        benchmark::DoNotOptimize(list.Mask().MonoRow(0));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(bytes.size()));
}
BENCHMARK(BM_LoadSailFrameList)->Unit(benchmark::kMillisecond);

void BM_CopySailStreamBytes(benchmark::State& state) {
    const auto bytes = SailListStream();
    for (auto _ : state) {
        std::vector<std::uint8_t> copy(bytes);
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(bytes.size()));
}
BENCHMARK(BM_CopySailStreamBytes)->Unit(benchmark::kMillisecond);

void BM_FloodFill800x600(benchmark::State& state) {
    Bitmap b(800, 600);
    Canvas& c = b.GetCanvas();
    TColor colors[2] = {RGB(1, 2, 3), RGB(4, 5, 6)};
    int i = 0;
    c.SetBrushColor(colors[0]);
    c.FillRect({0, 0, 800, 600});
    for (auto _ : state) {
        c.SetBrushColor(colors[(i + 1) % 2]);
        c.FloodFill(400, 300, colors[i % 2], FillStyle::Surface);
        ++i;
    }
    state.SetItemsProcessed(state.iterations() * 800 * 600);
}
BENCHMARK(BM_FloodFill800x600)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dd

BENCHMARK_MAIN();
