// The drawing routine at the scales the saver uses: a whole screen (the first frame and every
// exposure) and an area the size of a game tick's changes (2 areas of about 5,000 surface
// pixels), at 1, at the whole factor 2 and at the fractional 1.8 and 3.6.
#include "platform/gfx/DevicePainter.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

using dd::Bitmap;
using dd::SurfacePlacement;

struct Screen {
    int width, height;
};
constexpr Screen kScreens[] = {{800, 600}, {1600, 1200}, {1920, 1080}, {3840, 2160}};

Bitmap Surface(const SurfacePlacement& placement) {
    Bitmap surface(placement.SurfaceWidth(), placement.SurfaceHeight());
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            surface.SetPixel(x, y, static_cast<dd::TColor>((x * 7 + y * 13) & 0xFFFFFF));
    return surface;
}

void Paint(benchmark::State& state, bool wholeScreen) {
    const Screen screen = kScreens[state.range(0)];
    const auto placement = SurfacePlacement::Enlarged(800, 600, screen.width, screen.height);
    const Bitmap surface = Surface(placement);
    // A tick's change: a 100 x 50 area of the field, in device pixels.
    const dd::TRect area = wholeScreen ? dd::TRect{0, 0, screen.width, screen.height}
                                       : placement.ToDevice(dd::Bounds(300, 200, 100, 50));
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(area.Width()) * area.Height());
    for (auto _ : state) {
        dd::PaintDeviceArea(&surface, placement, area,
                            {pixels.data(), area.Width(), dd::ChannelOrder::BlueFirst});
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(pixels.size()));
    state.SetLabel(std::to_string(screen.width) + "x" + std::to_string(screen.height));
}

void WholeScreen(benchmark::State& state) {
    Paint(state, true);
}
void TickArea(benchmark::State& state) {
    Paint(state, false);
}

BENCHMARK(WholeScreen)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(TickArea)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
