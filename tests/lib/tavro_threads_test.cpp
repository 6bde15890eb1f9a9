// Threads each with their own record, and the stateless functions at once:
// every result equals the one the same call gives on one thread.

#include "tavro/tavro.h"

#include "lib_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace tavro::lib_test {
namespace {

struct Case {
    double temp11, phi11, flow;
    int edge, width, ptype;
};

std::vector<Case> Cases() {
    std::vector<Case> cases;
    const int edges[] = {400, 600, 900};
    for (int i = 0; i < 24; ++i) {
        cases.push_back({-20.0 + 1.5 * i, 30.0 + 2.5 * i, 2000.0 + 700 * i, edges[i % 3],
                         400 + 50 * i, 1 + i % 3});
    }
    return cases;
}

// The record of a case calculated, as JSON, and the air function of it.
std::string Calculate(const Case& c) {
    RecordPtr r = NewRecord();
    for (const auto& [name, value] : WinterInputs())
        tavro_record_set(r.get(), name.c_str(), value.c_str());
    tavro_record_set_number(r.get(), "Temp11", c.temp11);
    tavro_record_set_number(r.get(), "Phi11", c.phi11);
    tavro_record_set_number(r.get(), "SVol11", c.flow);
    tavro_record_set_number(r.get(), "SVol21", c.flow);
    tavro_record_set_number(r.get(), "Edge", c.edge);
    tavro_record_set_number(r.get(), "Width", c.width);
    tavro_record_set_number(r.get(), "PType", c.ptype);
    const int status = tavro_record_calculate(r.get(), 1);
    char* json = nullptr;
    tavro_record_json(r.get(), &json);
    const double args[] = {c.temp11, c.phi11, 1013};
    double x = 0;
    tavro_air_function("HumidityRatio", args, 3, &x, nullptr);
    return std::to_string(status) + Take(json) + std::to_string(x);
}

TEST(LibraryThreads, EightThreadsGiveTheSingleThreadedResults) {
    const std::vector<Case> cases = Cases();
    std::vector<std::string> expected;
    for (const Case& c : cases)
        expected.push_back(Calculate(c));

    constexpr int kThreads = 8;
    constexpr int kRuns = 2000;
    std::atomic<int> mismatches{0};
    std::atomic<int> done{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kRuns; ++i) {
                const size_t k =
                    (static_cast<size_t>(t) * 7 + static_cast<size_t>(i)) % cases.size();
                if (Calculate(cases[k]) != expected[k]) ++mismatches;
                ++done;
            }
        });
    }
    for (std::thread& th : threads)
        th.join();
    EXPECT_EQ(done.load(), kThreads * kRuns);
    EXPECT_EQ(mismatches.load(), 0);
}

} // namespace
} // namespace tavro::lib_test
