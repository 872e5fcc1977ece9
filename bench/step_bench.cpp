// What one step of the instrument costs without a window: the upper bound
// of the pass rate the window's unpaced mode can reach.
#include <benchmark/benchmark.h>

#include "core/sequence.h"
#include "core/state.h"

namespace {

void PowerOnThroughSplash() {
    ResetProgram();
    TrackBar2Change(3200);
    Button1Click();
    for (int i = 0; i < 80; ++i) InstrumentStep();
    TrackBar1Change(1000);
}

void BM_MainLoopPass(benchmark::State& state) {
    PowerOnThroughSplash();
    for (auto _ : state) InstrumentStep();
    benchmark::DoNotOptimize(inst.frameBuffer[0]);
}
BENCHMARK(BM_MainLoopPass);

void BM_WholeSplash(benchmark::State& state) {
    for (auto _ : state) {
        ResetProgram();
        Button1Click();
        for (int i = 0; i < 80; ++i) InstrumentStep();
    }
    benchmark::DoNotOptimize(inst.frameBuffer[0]);
}
BENCHMARK(BM_WholeSplash);

}  // namespace
