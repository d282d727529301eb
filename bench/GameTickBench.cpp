// One game tick of a demonstration in phase 2 on the 800 x 600 field, with its drawing, against
// the same tick followed by a recomposition of the whole field.

#include "shell/Background.h"
#include "tools/simulate/Simulation.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace dd;

class Demonstration {
public:
    Demonstration() { Restart(); }

    // Fires one tick; adds the areas it composed to `compositions` and `pixels`.
    void Tick(double& compositions, double& pixels) {
        sim_->Window().OnDamage = [&](const TRect& r) {
            ++compositions;
            pixels += double(r.Width()) * r.Height();
        };
        sim_->Components().timerBoot->Fire();
        sim_->Window().OnDamage = nullptr;
    }
    TSpriteBox& Box() { return *sim_->Components().SpriteBox1; }
    bool NeedsRestart() const { return sim_->State().GamePhase != TGamePhase::DemoCourse; }
    void Restart() {
        simulate::Options options;
        options.seed = ++seed_;
        RandomGenerator random(seed_);
        options.background =
            ComposeBackground(0, DRAVELIN_DATA_DIR "/", {}, ComputeStarPoints(), random);
        sim_ = std::make_unique<simulate::Simulation>(options);
        sim_->StartDemonstration();
        while (sim_->State().GamePhase != TGamePhase::DemoCourse)
            sim_->RunFor(Milliseconds(100));
    }

private:
    std::uint32_t seed_ = 0;
    std::unique_ptr<simulate::Simulation> sim_;
};

Demonstration& Shared() {
    static Demonstration demo;
    return demo;
}

void Run(benchmark::State& state, bool fullField) {
    Demonstration& demo = Shared();
    double compositions = 0, pixels = 0;
    for (auto _ : state) {
        if (demo.NeedsRestart()) {
            state.PauseTiming();
            demo.Restart();
            state.ResumeTiming();
        }
        demo.Tick(compositions, pixels);
        if (fullField)
            demo.Box().RedrawRect({0, 0, 800, 600}, TSpriteBox::kProjected);
    }
    // Per tick: the areas handed to the window, and their pixels.
    state.counters["areas"] = benchmark::Counter(compositions, benchmark::Counter::kAvgIterations);
    state.counters["pixels"] = benchmark::Counter(pixels, benchmark::Counter::kAvgIterations);
}

void BM_GameTick(benchmark::State& state) {
    Run(state, false);
}
BENCHMARK(BM_GameTick)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_GameTickWithFullRecomposition(benchmark::State& state) {
    Run(state, true);
}
BENCHMARK(BM_GameTickWithFullRecomposition)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace

BENCHMARK_MAIN();
