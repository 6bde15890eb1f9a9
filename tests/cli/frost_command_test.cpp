#include "cli/commands.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace tavro::cli {
namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result RunArgs(std::vector<std::string_view> args) {
    std::ostringstream out, err;
    const int status = Run(args, out, err);
    return {status, out.str(), err.str()};
}

// A 600 mm exchanger, 10000 m³/h each way, return air 22 °C / 40 %, with the
// outside air at `outside`.
std::vector<std::string_view> Case(std::string_view outside, bool json = false) {
    std::vector<std::string_view> args = {
        "frost",    "AirState=0", "AirQuant=0",   "pbar=1013", "SVol11=10000",
        outside,    "Phi11=90",   "SVol21=10000", "Temp21=22", "Phi21=40",
        "Edge=600", "Width=600",  "PType=2"};
    if (json) args.push_back("--json");
    return args;
}

TEST(CliFrost, ColdOutsideAirIsAtRiskWithPreheatAndBypass) {
    const Result r = RunArgs(Case("Temp11=-20", true));
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(r.err, "");
    const auto j = nlohmann::ordered_json::parse(r.out);
    ASSERT_TRUE(j["hasLimit"].get<bool>());
    const double limit = j["limit"].get<double>();
    EXPECT_GT(limit, -20);
    EXPECT_LT(limit, 0);
    EXPECT_TRUE(j["atRisk"].get<bool>());
    EXPECT_TRUE(j["frost"].get<bool>());
    EXPECT_LT(j["wallMin"].get<double>(), 0);
    EXPECT_EQ(j["wallMinUnit"], 1);
    // The coldest wall lies where the outside air enters.
    EXPECT_LT(j["wallMinAlong1"].get<double>(), 0.5);
    EXPECT_GT(j["preheat"].get<double>(), 0);
    EXPECT_NEAR(j["preheatTemp"].get<double>(), limit + 1, 1e-9);
    const double share = j["bypassShare"].get<double>();
    EXPECT_GT(share, 0);
    EXPECT_LE(share, 1);
}

TEST(CliFrost, MildOutsideAirHasALimitButNoRisk) {
    const Result r = RunArgs(Case("Temp11=5"));
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(r.out.rfind("hasLimit=1\nlimit=", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\natRisk=0\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\npreheat=none\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\nbypassShare=none\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\nwallMinAlong2="), std::string::npos) << r.out;
}

// Return air dry enough never to condense: no frost down to the search's
// floor, printed as a limit of none.
TEST(CliFrost, DryReturnAirHasNoLimit) {
    std::vector<std::string_view> args = Case("Temp11=-20", true);
    args[9] = "Phi21=1"; // dew point about -33 °C
    const Result r = RunArgs(args);
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const auto j = nlohmann::ordered_json::parse(r.out);
    EXPECT_FALSE(j["hasLimit"].get<bool>());
    EXPECT_TRUE(j["limit"].is_null());
    EXPECT_FALSE(j["atRisk"].get<bool>());
}

TEST(CliFrost, BadInputIsStatusTwoAndAFailedCalculationStatusOne) {
    for (const std::vector<std::string_view>& args :
         {std::vector<std::string_view>{"frost", "Nonsense=1"},
          {"frost", "Temp11"},
          {"frost", "Status=0"},
          {"frost", "SVol11=-5"}}) {
        const Result r = RunArgs(args);
        EXPECT_EQ(r.status, kExitBadInput) << args.back() << ": " << r.out;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    }
    std::vector<std::string_view> noWidth = Case("Temp11=-12");
    noWidth[11] = "Width=0";
    for (const std::vector<std::string_view>& args :
         {std::vector<std::string_view>{"frost"}, noWidth}) {
        const Result r = RunArgs(args);
        EXPECT_EQ(r.status, kExitFault) << r.out;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("Status=100"), std::string::npos) << r.err;
    }
}

TEST(CliFrost, HelpDescribesTheCommand) {
    const Result r = RunArgs({"--help"});
    EXPECT_NE(r.out.find("tavro-calc frost KEY=VALUE..."), std::string::npos);
    EXPECT_NE(r.out.find("bypassShare"), std::string::npos);
}

} // namespace
} // namespace tavro::cli
