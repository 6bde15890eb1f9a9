#include "tests/golden/record_cases.h"

#include <utility>

namespace tavro::golden {
namespace {

// A record of the exchanger 600 / 600 - 5.5 at 1013 hPa, 10000 m³/h each
// way, with the fields of `given` set after these.
Case Record(std::string name, Args given) {
    Args args = {"record",       "AirState=0", "AirQuant=0", "pbar=1013", "SVol11=10000",
                 "SVol21=10000", "Edge=600",   "Width=600",  "PType=2"};
    args.insert(args.end(), given.begin(), given.end());
    return {std::move(name), {args}};
}

const Args kWinter = {"Temp11=-12", "Phi11=90", "Temp21=22", "Phi21=40"};

Args With(Args a, const Args& more) {
    a.insert(a.end(), more.begin(), more.end());
    return a;
}

} // namespace

std::vector<Case> RecordCases() {
    std::vector<Case> c = {
        Record("dry", {"Temp11=10", "Phi11=50", "Temp21=22", "Phi21=30"}),
        Record("wet winter", kWinter),
        Record("wet, condensing hard", {"Temp11=-5", "Phi11=80", "Temp21=24", "Phi21=60"}),
        Record("summer, streams swapped", {"Temp11=32", "Phi11=40", "Temp21=24", "Phi21=50"}),
        Record("unequal flows", With(kWinter, {"SVol11=8000", "SVol21=12000"})),
        Record("altitude 1500 m", With(kWinter, {"pbar=845.2958880205681"})),
        Record("actual volume given", With(kWinter, {"AirQuant=1", "Vol11=9000", "Vol21=11000"})),
        Record("dry-air mass flow given",
               With(kWinter, {"AirQuant=2", "MDry11=12000", "MDry21=11500"})),
        Record("moist-air mass flow given",
               With(kWinter, {"AirQuant=3", "MAir11=12000", "MAir21=11500"})),
        Record("wet bulb given",
               {"AirState=7", "Temp11=-12", "WetBulb11=-12.5", "Temp21=22", "WetBulb21=14"}),
        Record("humidity ratio given", {"AirState=1", "Temp11=-12", "X11=1", "Temp21=22", "X21=7"}),
        Record("fault: package width 0", With(kWinter, {"Width=0"})),
        Record("fault: plate type 0", With(kWinter, {"PType=0"})),
        Record("classified", With(kWinter, {"Edge=1200", "Width=1200", "classify=1"})),
        Record("classified at 1500 m",
               With(kWinter, {"pbar=845.2958880205681", "Edge=1000", "Width=900", "classify=1"})),
    };
    for (int series = 1; series <= 4; ++series) {
        const std::string n = std::to_string(series);
        c.push_back(Record("series " + n, With(kWinter, {"Series=" + n})));
    }
    for (int type = 1; type <= 6; ++type) {
        const std::string n = std::to_string(type);
        c.push_back(Record("edge 700, plate type " + n,
                           With(kWinter, {"Edge=700", "Width=1400", "PType=" + n})));
    }
    for (const char* edge : {"200", "300", "390", "400", "1500", "2400", "3000"}) {
        c.push_back(Record(std::string("edge ") + edge,
                           With(kWinter, {std::string("Edge=") + edge, "Width=800", "PType=3"})));
    }
    // Every input mode of the air states, the same two states each time:
    // -5 °C / 80 % outside, 22 °C / 40 % return.
    const std::vector<Args> modes = {
        {"Temp11=-5", "Phi11=80", "Temp21=22", "Phi21=40"},
        {"Temp11=-5", "X11=2", "Temp21=22", "X21=6.5"},
        {"Temp11=-5", "H11=0", "Temp21=22", "H21=39"},
        {"X11=2", "H11=0", "X21=6.5", "H21=39"},
        {"H11=0", "Phi11=80", "H21=39", "Phi21=40"},
        {"X11=2", "Phi11=80", "X21=6.5", "Phi21=40"},
        {"Temp11=-5", "Dew11=-7.5", "Temp21=22", "Dew21=7.8"},
        {"Temp11=-5", "WetBulb11=-5.8", "Temp21=22", "WetBulb21=13.8"},
        {"Dew11=-7.5", "H11=0", "Dew21=7.8", "H21=39"},
        {"Dew11=-7.5", "WetBulb11=-5.8", "Dew21=7.8", "WetBulb21=13.8"},
        {"Dew11=-7.5", "Phi11=80", "Dew21=7.8", "Phi21=40"},
        {"WetBulb11=-5.8", "Phi11=80", "WetBulb21=13.8", "Phi21=40"},
        {"WetBulb11=-5.8", "X11=2", "WetBulb21=13.8", "X21=6.5"},
    };
    for (size_t mode = 0; mode < modes.size(); ++mode) {
        c.push_back(Record("input mode " + std::to_string(mode),
                           With({"AirState=" + std::to_string(mode)}, modes[mode])));
    }
    return c;
}

} // namespace tavro::golden
