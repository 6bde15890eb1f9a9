// Records calculated on many threads at once give, bit for bit, what one
// thread gives; the search counter counts per thread.

#include "physics/moist_air.h"
#include "physics/records.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace tavro {
namespace {

constexpr int kCases = 2000;
constexpr int kThreads = 8;

// A spread of air cases and exchangers: winter and summer, dry and humid,
// every plate type and series count, some that fail (no pressure).
TDatenTavro Case(int i) {
    TDatenTavro r;
    r.AirState = kGivenTempPhi;
    r.AirQuant = kGivenStdVolume;
    r.pbar = i % 97 == 0 ? 0 : 950 + i % 100;
    r.SVol11 = 1000 + 37.0 * (i % 300);
    r.SVol21 = r.SVol11 * (0.8 + 0.01 * (i % 40));
    r.Temp11 = -25 + 0.5 * (i % 120);
    r.Phi11 = 30 + i % 70;
    r.Temp21 = 18 + i % 10;
    r.Phi21 = 20 + i % 50;
    r.Edge = std::array{400, 500, 600, 800, 1000}[static_cast<size_t>(i % 5)];
    r.Width = 300 + 10 * (i % 150);
    r.PType = static_cast<uint8_t>(1 + i % 4);
    r.Series = static_cast<uint8_t>(i % 10 == 0 ? 1 + (i / 10) % 4 : 1);
    return r;
}

// The results a calculation writes, as bit patterns (NaN compares equal to
// itself that way).
std::vector<uint64_t> Results(const TDatenTavro& r) {
    const double values[] = {r.Temp12,  r.Phi12,   r.X12,    r.H12,         r.Temp22,     r.Phi22,
                             r.X22,     r.Dp1,     r.Dp2,    r.Vel1,        r.Vel2,       r.Eta1,
                             r.Eta1Wet, r.Eta2Wet, r.Eps1,   r.Eps1Wet,     r.Q1Wet,      r.QTot1,
                             r.QLat1,   r.EtaE,    r.EtaErP, r.Condensate1, r.Condensate2};
    std::vector<uint64_t> out;
    for (double v : values)
        out.push_back(std::bit_cast<uint64_t>(v));
    out.push_back(static_cast<uint64_t>(r.Status));
    out.push_back(r.WetMode);
    out.push_back(static_cast<uint64_t>(r.BlockEdge));
    out.push_back(static_cast<uint64_t>(r.Bypass));
    out.push_back(std::hash<std::string>{}(r.HClassText));
    return out;
}

TEST(RecordThreads, EightThreadsCalculateAsOneDoes) {
    std::vector<std::vector<uint64_t>> expected(kCases);
    for (int i = 0; i < kCases; ++i) {
        TDatenTavro r = Case(i);
        r.CalculateAll();
        expected[static_cast<size_t>(i)] = Results(r);
    }
    // Each thread runs the cases in its own order, so that different cases
    // run at the same time.
    std::array<int, kThreads> mismatches{};
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([t, &expected, &mismatches] {
                for (int k = 0; k < kCases; ++k) {
                    const int i = (k * 7 + t * 251) % kCases;
                    TDatenTavro r = Case(i);
                    r.CalculateAll();
                    if (Results(r) != expected[static_cast<size_t>(i)]) ++mismatches[size_t(t)];
                }
            });
        }
    }
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(mismatches[size_t(t)], 0) << "thread " << t;
    // The spread covers successes and failures.
    int failed = 0;
    for (const auto& e : expected)
        failed += e[e.size() - 5] != 0;
    EXPECT_GT(failed, 0);
    EXPECT_LT(failed, kCases / 2);
}

TEST(RecordThreads, SearchCounterCountsPerThread) {
    ResetSearchIterations();
    uint64_t counted = 0;
    std::thread([&counted] {
        ResetSearchIterations();
        TDatenTavro r = Case(1);
        r.CalculateAll();
        counted = SearchIterations();
    }).join();
    EXPECT_GT(counted, 0u);
    EXPECT_EQ(SearchIterations(), 0u);
}

} // namespace
} // namespace tavro
