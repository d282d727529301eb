// The start-up cost of loading the main window's stored description and composing the
// background, beside reading the same bytes from memory.

#include "platform/io/AtomicFile.h"
#include "platform/time/VirtualScheduler.h"
#include "shell/Background.h"
#include "shell/MainForm.h"

#include <benchmark/benchmark.h>
#include <cstring>

namespace dd {
namespace {

const std::string kHome = std::string(DRAVELIN_DATA_DIR) + "/";

void BM_LoadStoredDescription(benchmark::State& state) {
    for (auto _ : state) {
        VirtualScheduler clock;
        TForm form;
        TfrmMainComponents c;
        LoadMainForm(StoredMainFormDescription(), form, clock, c);
        benchmark::DoNotOptimize(c.spriteCenterZeil.get());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<long>(StoredMainFormDescription().size()));
}
BENCHMARK(BM_LoadStoredDescription)->Unit(benchmark::kMillisecond);

void BM_ComposeBackground(benchmark::State& state) {
    const TStarPoints star = ComputeStarPoints();
    for (auto _ : state) {
        RandomGenerator random(5);
        Bitmap b = ComposeBackground(static_cast<int>(state.range(0)), kHome, {}, star, random);
        benchmark::DoNotOptimize(b.Row(0));
    }
}
BENCHMARK(BM_ComposeBackground)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_CopySameBytesInMemory(benchmark::State& state) {
    const std::string_view description = StoredMainFormDescription();
    const std::string picture = ReadWholeFile(kHome + "zee.bmp");
    const std::string strip = ReadWholeFile(kHome + "CLRBTMP.BMP");
    std::string copy;
    for (auto _ : state) {
        copy.assign(description);
        copy.append(picture);
        copy.append(strip);
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(copy.size()));
}
BENCHMARK(BM_CopySameBytesInMemory)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dd

BENCHMARK_MAIN();
