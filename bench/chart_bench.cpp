// Recording the chart layers: the grid of the widest ranges (140 °C,
// 60 g/kg) in both chart types, and two typical process lines.

#include "chart/mollier_chart.h"

#include <benchmark/benchmark.h>

namespace {

using tavro::ChartPoint;
using tavro::ChartPolyline;
using tavro::ChartSettings;

ChartSettings Widest(int type) {
    ChartSettings s;
    s.type = type;
    s.tempRange = 4;
    s.humRange = 4;
    return s;
}

std::vector<ChartPolyline> TypicalLines() {
    const QColor green(0, 180, 0), violet(182, 0, 147);
    return {
        {{-12, 1.2, green, green, 0}, {4.2, 1.2, green, green, 0}},
        {{22, 6.6, violet, violet, 0},
         {9.9, 4.9, violet, violet, 1},
         {9.9, 4.9, violet, violet, 0}},
    };
}

void BM_ChartGridLayer(benchmark::State& state) {
    const ChartSettings s = Widest(static_cast<int>(state.range(0)));
    tavro::Recording out;
    for (auto _ : state) {
        tavro::RecordGridLayer(out, s);
        benchmark::DoNotOptimize(out.Commands().data());
    }
}
BENCHMARK(BM_ChartGridLayer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ChartBothLayers(benchmark::State& state) {
    const ChartSettings s = Widest(0);
    const std::vector<ChartPolyline> lines = TypicalLines();
    tavro::Recording grid, process;
    for (auto _ : state) {
        tavro::RecordGridLayer(grid, s);
        tavro::RecordProcessLayer(process, s, lines);
        benchmark::DoNotOptimize(process.Commands().data());
    }
}
BENCHMARK(BM_ChartBothLayers)->Unit(benchmark::kMillisecond);

} // namespace
