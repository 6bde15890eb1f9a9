// One record calculation through libtavro's C interface against the same
// calculation called directly in C++: the interface should cost at most a
// few per cent.

#include "physics/record_fields.h"
#include "physics/records.h"
#include "tavro/tavro.h"

#include <benchmark/benchmark.h>

#include <string>
#include <utility>

namespace tavro {
namespace {

const std::pair<const char*, const char*> kWinter[] = {
    {"AirState", "0"}, {"AirQuant", "0"}, {"pbar", "1013"},    {"SVol11", "10000"},
    {"Temp11", "-12"}, {"Phi11", "90"},   {"SVol21", "10000"}, {"Temp21", "22"},
    {"Phi21", "40"},   {"Edge", "1200"},  {"Width", "1200"},   {"PType", "2"}};

void BM_RecordDirect(benchmark::State& state) {
    TDatenREK r;
    for (const auto& [name, value] : kWinter)
        SetRecordField(r, *FindRecordField(name), value);
    for (auto _ : state) {
        r.CalculateAll();
        benchmark::DoNotOptimize(r.Temp22);
    }
}
BENCHMARK(BM_RecordDirect);

void BM_RecordThroughC(benchmark::State& state) {
    tavro_record* r = nullptr;
    tavro_record_create(&r);
    for (const auto& [name, value] : kWinter)
        tavro_record_set(r, name, value);
    double temp22 = 0;
    for (auto _ : state) {
        if (tavro_record_calculate(r, 0) != TAVRO_OK) state.SkipWithError(tavro_record_error(r));
        tavro_record_get_number(r, "Temp22", &temp22);
        benchmark::DoNotOptimize(temp22);
    }
    tavro_record_free(r);
}
BENCHMARK(BM_RecordThroughC);

// With an input set by name before each calculation, as a caller that
// changes one field at a time does.
void BM_RecordThroughCWithOneInput(benchmark::State& state) {
    tavro_record* r = nullptr;
    tavro_record_create(&r);
    for (const auto& [name, value] : kWinter)
        tavro_record_set(r, name, value);
    double temp22 = 0;
    for (auto _ : state) {
        tavro_record_set_number(r, "Temp11", -12);
        tavro_record_calculate(r, 0);
        tavro_record_get_number(r, "Temp22", &temp22);
        benchmark::DoNotOptimize(temp22);
    }
    tavro_record_free(r);
}
BENCHMARK(BM_RecordThroughCWithOneInput);

} // namespace
} // namespace tavro
