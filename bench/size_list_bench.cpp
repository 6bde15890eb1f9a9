// Benchmarks of the preselection's size list: every catalogue candidate
// sized and calculated for one air case, as every change of a criterion in
// the dialog rebuilds it.

#include "product/selection/size_list.h"

#include <benchmark/benchmark.h>

namespace tavro {
namespace {

TDatenREK Air() {
    TDatenREK r;
    r.AirState = kGivenTempPhi;
    r.AirQuant = kGivenStdVolume;
    r.pbar = 1013;
    r.SVol11 = r.SVol21 = 10000;
    r.Temp11 = -12;
    r.Phi11 = 90;
    r.Temp21 = 22;
    r.Phi21 = 40;
    return r;
}

// Width mode 0; the efficiency criterion at its lowest so that the rows
// are built as well as calculated. `threads` 1 runs on the calling thread
// alone, 0 on every hardware thread.
void RunSizeList(benchmark::State& state, int units, unsigned threads) {
    SizeCriteria c;
    c.minEta = 40;
    c.units = units;
    size_t rows = 0;
    for (auto _ : state) {
        TDatenREK r = Air();
        const SizeList list = BuildSizeList(r, c, {.threads = threads});
        rows = list.rows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_SizeListOneUnit(benchmark::State& state) {
    RunSizeList(state, 1, 0);
}
BENCHMARK(BM_SizeListOneUnit)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same list on one thread and on all of them, side by side: wall-clock
// time, since the work of the other threads is not the calling thread's.
void BM_SizeListTwoUnitsInSeriesOneThread(benchmark::State& state) {
    RunSizeList(state, 2, 1);
}
BENCHMARK(BM_SizeListTwoUnitsInSeriesOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SizeListTwoUnitsInSeries(benchmark::State& state) {
    RunSizeList(state, 2, 0);
}
BENCHMARK(BM_SizeListTwoUnitsInSeries)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace tavro
