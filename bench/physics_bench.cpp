// Benchmarks of the moist-air functions and the record stages. The inputs
// vary slightly between iterations so that nothing is folded away.

#include "physics/air_state.h"
#include "physics/moist_air.h"
#include "physics/records.h"

#include <benchmark/benchmark.h>

namespace tavro {
namespace {

void BM_SatPressure(benchmark::State& state) {
    double t = 20.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SatPressure(t));
        t = t < 30 ? t + 0.001 : 20.0;
    }
}
BENCHMARK(BM_SatPressure);

void BM_HumidityRatio(benchmark::State& state) {
    double phi = 50.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(HumidityRatio(20.0, phi, 1013.0));
        phi = phi < 60 ? phi + 0.001 : 50.0;
    }
}
BENCHMARK(BM_HumidityRatio);

void BM_DewPoint(benchmark::State& state) {
    double x = 7.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DewPoint(x, 1013.0));
        x = x < 8 ? x + 0.0001 : 7.0;
    }
}
BENCHMARK(BM_DewPoint);

void BM_WetBulb(benchmark::State& state) {
    double t = 20.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TempOnIsenthalp(t, 7.258, 1013.0, 100.0));
        t = t < 25 ? t + 0.001 : 20.0;
    }
}
BENCHMARK(BM_WetBulb);

void BM_CompleteState(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    StreamState base;
    base.Temp = 20;
    base.Phi = 50;
    CompleteState(kGivenTempPhi, base, 1013);
    double d = 0;
    for (auto _ : state) {
        StreamState s = base;
        s.Temp += d;
        CompleteState(mode, s, 1013.0);
        benchmark::DoNotOptimize(s);
        d = d < 1 ? d + 0.0001 : 0;
    }
}
BENCHMARK(BM_CompleteState)->Arg(0)->Arg(1)->Arg(7);

// The inlet stage of both streams: CompleteState and CompleteFlow of the
// outside and the return air, as every input change runs it.
void BM_RecordInletStages(benchmark::State& state) {
    TDatenII r;
    r.AirState = kGivenTempPhi;
    r.AirQuant = kGivenStdVolume;
    r.pbar = 1013;
    r.SVol11 = r.SVol21 = 10000;
    r.Phi11 = 90;
    r.Temp21 = 22;
    r.Phi21 = 40;
    double t = -12;
    for (auto _ : state) {
        r.Temp11 = t;
        r.Calculate();
        benchmark::DoNotOptimize(r.MAir21);
        t = t < -11 ? t + 0.0001 : -12;
    }
}
BENCHMARK(BM_RecordInletStages);

} // namespace
} // namespace tavro

BENCHMARK_MAIN();
