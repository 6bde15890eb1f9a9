// Pinned results of the calculations through the command line: full
// calculation records of operating points, the products' dimensions and
// weights, and single air states through the moist-air functions. Any
// change of a result shows here; a deliberate one is pinned again with
// scripts/update-golden.sh (tests/golden/README.md).

#include "cli/commands.h"
#include "tests/golden/golden_file.h"
#include "tests/golden/record_cases.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tavro::golden {
namespace {

// One command line with --json after the command: its exit status and
// its JSON output (null when there is none).
Json RunJson(const Args& args) {
    std::vector<std::string_view> line;
    line.reserve(args.size() + 1);
    for (size_t i = 0; i < args.size(); ++i) {
        line.push_back(args[i]);
        if (i == 0) line.push_back("--json");
    }
    std::ostringstream out, err;
    cli::Run(line, out, err);
    const Json output = Json::parse(out.str(), nullptr, false);
    return output.is_discarded() ? Json(nullptr) : output;
}

Json Results(const std::vector<Case>& cases) {
    Json all = Json::object();
    for (const Case& c : cases) {
        Json calls = Json::array();
        Json outputs = Json::array();
        for (const Args& args : c.calls) {
            calls.push_back(args);
            outputs.push_back(RunJson(args));
        }
        all[c.name] = {{"calls", calls}, {"outputs", outputs}};
    }
    return all;
}

std::vector<Case> ProductCases() {
    std::vector<Case> c;
    for (const char* design : {"10", "20", "25", "30", "40", "60"}) {
        for (const char* edge : {"400", "600", "1200", "2400"}) {
            for (const char* ptype : {"2", "5"}) {
                // The edge 400 has no plate type 5.
                if (std::string_view(edge) == "400" && std::string_view(ptype) == "5") continue;
                for (const char* units : {"1", "3"}) {
                    c.push_back(
                        {std::string("design ") + design + ", edge " + edge + ", plate type " +
                             ptype + ", " + units + " unit(s)",
                         {{"product", std::string("design=") + design, std::string("edge=") + edge,
                           std::string("width=") + edge, std::string("ptype=") + ptype,
                           std::string("units=") + units, "vbypass=12", "volume=10000"}}});
                }
            }
        }
    }
    return c;
}

// Air states below the boiling point at their pressure: temperature (°C),
// humidity ratio (g/kg) and pressure (hPa); some lie in the fog region
// (x above saturation), over ice and over water.
struct State {
    const char* t;
    const char* x;
    const char* p;
};
constexpr State kStates[] = {
    {"-20", "0.3", "1013"},  {"-20", "0.8", "1013"}, {"-10", "1", "1013"},
    {"-10", "2.5", "1013"},  {"-0.5", "3", "1013"},  {"0", "3", "1013"},
    {"0", "4.5", "1013"},    {"0.5", "3.5", "1013"}, {"5", "4", "1013"},
    {"5", "6.5", "1013"},    {"12", "6", "1013"},    {"20", "7.26", "1013"},
    {"20", "16", "1013"},    {"26", "12", "1013"},   {"35", "20", "1013"},
    {"45", "30", "1013"},    {"60", "50", "1013"},   {"75", "150", "1013"},
    {"90", "400", "1013"},   {"99", "1000", "1013"}, {"-15", "0.5", "845.3"},
    {"0", "3", "845.3"},     {"10", "6", "845.3"},   {"20", "10", "845.3"},
    {"30", "20", "845.3"},   {"50", "60", "845.3"},  {"70", "200", "845.3"},
    {"90", "2000", "845.3"}, {"-20", "0.5", "600"},  {"0", "5", "600"},
    {"20", "12", "600"},     {"40", "50", "600"},    {"60", "200", "600"},
    {"80", "1500", "600"},   {"-10", "1.5", "1100"}, {"15", "8", "1100"},
    {"30", "20", "1100"},    {"50", "50", "1100"},   {"100", "500", "1100"},
};

std::vector<Case> StateCases() {
    std::vector<Case> c;
    for (const State& s : kStates) {
        const std::string t = s.t, x = s.x, p = s.p;
        auto fn = [](std::initializer_list<std::string> a) {
            Args args = {"fn"};
            args.insert(args.end(), a.begin(), a.end());
            return args;
        };
        c.push_back(
            {"t " + t + ", x " + x + ", p " + p,
             {fn({"SatPressure", t}), fn({"HumidityRatio", t, "50", p}),
              fn({"HumidityRatio", t, "100", p}), fn({"RelHumidity", t, x, p}),
              fn({"DewPoint", x, p}), fn({"TempFromHumidity", x, p, "50"}),
              fn({"Enthalpy", t, x, p}), fn({"Density", t, x, p}),
              fn({"TempOnIsenthalp", t, x, p, "100"}), fn({"TempOnIsenthalp", t, x, p, "50"}),
              fn({"ToActVolume", "10000", t, x, p}), fn({"ToStdVolume", "10000", t, x, p}),
              fn({"MixAir", x, t, "1000", "1", "-10", "3000", p}), fn({"KinViscosity", t}),
              fn({"Prandtl", t}), fn({"Conductivity", t}), fn({"CpDryAir", t}), fn({"CpVapour", t}),
              fn({"AltitudeFromPressure", p})}});
    }
    for (const char* h : {"-10", "0", "20", "40", "60", "100", "200"}) {
        for (const char* p : {"600", "845.3", "1013", "1100"}) {
            c.push_back({std::string("isenthalp ") + h + ", p " + p,
                         {{"fn", "SatHumidityOnIsenthalp", h, p}}});
        }
    }
    return c;
}

TEST(Golden, CalculationRecordsAreUnchanged) {
    CheckGolden("records.json", Results(RecordCases()));
}

TEST(Golden, ProductDimensionsAndWeightsAreUnchanged) {
    CheckGolden("products.json", Results(ProductCases()));
}

TEST(Golden, AirStatesAreUnchanged) {
    CheckGolden("states.json", Results(StateCases()));
}

} // namespace
} // namespace tavro::golden
