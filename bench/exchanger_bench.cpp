// Benchmarks of the exchanger calculation: one record calculation
// (CalculateAll, as every input change runs it), units in series and the
// energy classification.

#include "physics/records.h"

#include <benchmark/benchmark.h>

namespace tavro {
namespace {

TDatenREK WinterRecord(int series, double tOutside = -12, double phiReturn = 40,
                       double volume = 10000) {
    TDatenREK r;
    r.AirState = kGivenTempPhi;
    r.AirQuant = kGivenStdVolume;
    r.pbar = 1013;
    r.SVol11 = r.SVol21 = volume;
    r.Temp11 = tOutside;
    r.Phi11 = 90;
    r.Temp21 = 22;
    r.Phi21 = phiReturn;
    r.Edge = 1200;
    r.Width = 1200;
    r.PType = 2;
    r.Series = static_cast<uint8_t>(series);
    return r;
}

void RunCalculateAll(benchmark::State& state, TDatenREK r) {
    const double t = r.Temp11;
    double d = 0;
    for (auto _ : state) {
        r.Temp11 = t + d;
        r.CalculateAll();
        benchmark::DoNotOptimize(r.Temp22);
        d = d < 0.01 ? d + 1e-6 : 0;
    }
    state.counters["WetMode"] = r.WetMode;
}

// Winter with condensation on the return-air side, one unit.
void BM_RecordOneUnit(benchmark::State& state) {
    RunCalculateAll(state, WinterRecord(1));
}
BENCHMARK(BM_RecordOneUnit);

void BM_RecordFourUnitsInSeries(benchmark::State& state) {
    RunCalculateAll(state, WinterRecord(4));
}
BENCHMARK(BM_RecordFourUnitsInSeries)->Unit(benchmark::kMicrosecond);

// Two units near the dry/wet threshold: the series iteration runs all its
// 201 sweeps.
void BM_RecordSeriesAtTheWetThreshold(benchmark::State& state) {
    TDatenREK r = WinterRecord(2, 3.5, 70, 5000);
    r.Edge = r.Width = 600;
    r.Phi11 = 80;
    RunCalculateAll(state, r);
}
BENCHMARK(BM_RecordSeriesAtTheWetThreshold)->Unit(benchmark::kMicrosecond);

void BM_ClassifyEnergy(benchmark::State& state) {
    TDatenREK r = WinterRecord(1);
    r.CalculateAll();
    for (auto _ : state) {
        r.ClassifyEnergy();
        benchmark::DoNotOptimize(r.EtaE);
    }
}
BENCHMARK(BM_ClassifyEnergy);

} // namespace
} // namespace tavro
