// The frost warning of the check command: on by default as in the desktop
// program, off with frost=0.

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

Result RunArgs(const std::vector<std::string_view>& args) {
    std::ostringstream out, err;
    const int status = Run(args, out, err);
    return {status, out.str(), err.str()};
}

// 10000 m³/h of outside air at -12 °C / 90 % against return air at 22 °C /
// 40 % through a 1200 mm exchanger: it frosts below -3.2 °C.
std::vector<std::string_view> CheckArgs(std::initializer_list<std::string_view> more) {
    std::vector<std::string_view> args = {"check",        "AirState=0", "AirQuant=0", "pbar=1013",
                                          "SVol11=10000", "Temp11=-12", "Phi11=90",   "Temp21=22",
                                          "Phi21=40",     "Edge=1200",  "Width=1200", "PType=2"};
    args.insert(args.end(), more);
    return args;
}

TEST(CliCheck, CheckWarnsOfFrostAsTheDesktopOptionDoes) {
    Result r = RunArgs(CheckArgs({"SVol21=10000"}));
    EXPECT_EQ(r.status, kExitOk); // a warning alone
    EXPECT_EQ(r.out, "40\twarning\tFrost risk below -3.2 \u00b0C outside air: preheat 32.85 kW or "
                     "bypass 77 % of the outside air.\n");
    EXPECT_EQ(RunArgs(CheckArgs({"SVol21=10000", "frost=1"})).out, r.out);
    EXPECT_EQ(RunArgs(CheckArgs({"SVol21=10000", "frost=0"})).out, "");
    // Outside air above the frost limit, and a record whose calculation
    // failed (no frost figures), raise no frost warning.
    EXPECT_EQ(RunArgs(CheckArgs({"SVol21=10000", "Temp11=5"})).out, "");
    r = RunArgs(CheckArgs({"SVol11=2000", "SVol21=2000", "Edge=300", "Width=1000", "PType=1"}));
    EXPECT_EQ(r.out.find("40\t"), std::string::npos) << r.out;
    // Its text in the language asked for, with the preheat alone when no
    // partial bypass prevents frost.
    r = RunArgs(CheckArgs({"SVol21=6000", "lang=de"}));
    EXPECT_NE(r.out.find("\n40\twarning\tEinfriergefahr bei Au\u00dfenluft unter -1.4 \u00b0C"),
              std::string::npos)
        << r.out;
    r = RunArgs(CheckArgs({"SVol21=10000", "--json"}));
    const auto j = nlohmann::ordered_json::parse(r.out);
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0]["number"], 40);
    EXPECT_EQ(j["messages"][0]["class"], "warning");
    EXPECT_EQ(j["error"], false);
    for (std::string_view bad : {"frost=2", "frost=", "frost=yes", "frost=-1"}) {
        r = RunArgs(CheckArgs({"SVol21=10000", bad}));
        EXPECT_EQ(r.status, kExitBadInput) << bad;
        EXPECT_NE(r.err.find("check: frost"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

} // namespace
} // namespace tavro::cli
