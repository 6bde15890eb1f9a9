// Benchmarks of the frost check: the whole check of one selection (frost
// limit, design case, preheat and bypass), as it would follow every
// calculation, for one unit and for units in series, and the cell model of
// one pack.

#include "physics/cross_flow.h"
#include "physics/frost_cells.h"
#include "physics/frost_check.h"
#include "physics/records.h"

#include <benchmark/benchmark.h>

namespace tavro {
namespace {

// Return air 22 °C / 40 %, equal flows; edge 1200, width 1500, plate type 2:
// about 65 % efficiency.
TDatenREK Selection(double tOutside, int series) {
    TDatenREK r;
    r.AirState = kGivenTempPhi;
    r.AirQuant = kGivenStdVolume;
    r.pbar = 1013;
    r.SVol11 = r.SVol21 = 5000;
    r.Temp11 = tOutside;
    r.Phi11 = 90;
    r.Temp21 = 22;
    r.Phi21 = 40;
    r.Edge = 1200;
    r.Width = 1500;
    r.PType = 2;
    r.Series = static_cast<uint8_t>(series);
    r.CalculateAll();
    return r;
}

void RunCheckFrost(benchmark::State& state, const TDatenREK& r) {
    FrostCheck check;
    for (auto _ : state) {
        check = CheckFrost(r);
        benchmark::DoNotOptimize(check.limit);
    }
    state.counters["atRisk"] = check.atRisk;
}

// Outside air above the frost limit: the limit and the design case.
void BM_FrostCheckOneUnit(benchmark::State& state) {
    RunCheckFrost(state, Selection(5, 1));
}
BENCHMARK(BM_FrostCheckOneUnit)->Unit(benchmark::kMillisecond);

// Below the limit: the preheat and the bypass search as well.
void BM_FrostCheckOneUnitAtRisk(benchmark::State& state) {
    RunCheckFrost(state, Selection(-10, 1));
}
BENCHMARK(BM_FrostCheckOneUnitAtRisk)->Unit(benchmark::kMillisecond);

// Two units in series: every step of the searches runs the series
// iteration of the exchanger calculation.
void BM_FrostCheckUnitsInSeriesAtRisk(benchmark::State& state) {
    RunCheckFrost(state, Selection(-10, static_cast<int>(state.range(0))));
}
BENCHMARK(BM_FrostCheckUnitsInSeriesAtRisk)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

// The cell grid of one pack with condensation, by cells along an edge.
void BM_FrostCells(benchmark::State& state) {
    const TDatenREK r = Selection(-10, 1);
    const CrossFlowTransfer t = CrossFlowTransferOf(r);
    FrostCellInput in;
    in.area = t.area;
    in.alpha1 = t.alpha1;
    in.alpha2 = t.alpha2;
    in.wallResistance = t.wallResistance;
    in.C1 = t.C1;
    in.C2 = t.C2;
    in.mDry2 = r.MDry21 / 3600;
    in.t1 = r.Temp11;
    in.t2 = r.Temp21;
    in.x2 = r.X21;
    in.p = r.pbar;
    in.cells = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(SolveFrostCells(in).t1Out);
    }
}
BENCHMARK(BM_FrostCells)->Arg(20)->Arg(40)->Arg(80)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tavro
