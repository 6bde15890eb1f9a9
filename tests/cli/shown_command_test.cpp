// record --shown: the result tables as text and JSON, the display settings
// and their bad values.

#include "cli/commands.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace tavro::cli {
namespace {

struct Result {
    int status;
    std::string out, err;
};

Result RunArgs(std::vector<std::string_view> args) {
    std::ostringstream out, err;
    const int status = Run(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string_view> Shown(std::vector<std::string_view> more) {
    std::vector<std::string_view> args = {"record",      "--shown",     "AirState=0", "AirQuant=0",
                                          "pbar=1013",   "SVol11=4000", "Temp11=-12", "Phi11=90",
                                          "SVol21=3600", "Temp21=22",   "Phi21=40",   "Edge=600",
                                          "Width=600",   "PType=2"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(ShownCommand, TextHasATableHeadingAndTabSeparatedRows) {
    const Result r = RunArgs(Shown({}));
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(r.out.find("[inlet]\n"), 0u);
    EXPECT_NE(r.out.find("\n[velocity]\nFace air velocity\t2.74\t\t2.80\t\tm/s\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\n[outlet]\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n[process]\n"), std::string::npos);
    // 10 + 3 + 7 + 8 rows and four headings.
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 32);
}

TEST(ShownCommand, CoolingCaseUnitsLanguageAndSeparators) {
    const Result r = RunArgs(Shown({"--json", "summer.Temp11=32", "summer.Phi11=40", "units=ip",
                                    "lang=de", "separators=,.", "eu=1", "hclass=0"}));
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const auto j = nlohmann::ordered_json::parse(r.out);
    const auto& temperature = j["inlet"][5];
    ASSERT_EQ(temperature.size(), 10u);
    EXPECT_EQ(temperature[1], "10,4");
    EXPECT_EQ(temperature[5], "89,6"); // the cooling case's own outside air
    EXPECT_EQ(temperature[7], "71,6"); // its return air as the heating case's
    EXPECT_EQ(temperature[9], "°F");
    EXPECT_EQ(j["inlet"][1][0], "    Standardvolumen");
    EXPECT_EQ(j["process"][2][0], ""); // no energy class
    EXPECT_EQ(j["process"][0][9], "%");
}

// A faulted record shows what it holds, as the window does, and exits 1.
TEST(ShownCommand, FailedRecordPrintsItsTablesAndExitsOne) {
    const Result r = RunArgs(Shown({"Width=0"}));
    EXPECT_EQ(r.status, kExitFault);
    EXPECT_NE(r.out.find("[process]"), std::string::npos);
    EXPECT_NE(r.err.find("Status=100"), std::string::npos) << r.err;
}

// frost=1 adds the frost rows below the process data: outside air at
// -12 °C frosts this exchanger, so limit, preheat and bypass.
TEST(ShownCommand, FrostRowsBelowTheProcessData) {
    const Result plain = RunArgs(Shown({}));
    EXPECT_EQ(RunArgs(Shown({"frost=0"})).out, plain.out);
    const Result r = RunArgs(Shown({"frost=1"}));
    ASSERT_EQ(r.status, kExitOk) << r.err;
    ASSERT_EQ(r.out.rfind(plain.out, 0), 0u); // the process data is the last table
    const std::string rows = r.out.substr(plain.out.size());
    EXPECT_EQ(rows.rfind("Frost limit\t-", 0), 0u) << rows;
    EXPECT_NE(rows.find("\nPreheat against frost\t"), std::string::npos) << rows;
    EXPECT_NE(rows.find("\nBypass against frost\t"), std::string::npos) << rows;
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 3);
    const auto j = nlohmann::json::parse(RunArgs(Shown({"frost=1", "--json"})).out);
    EXPECT_EQ(j["process"].size(), 11u);
    EXPECT_EQ(j["process"][8][5], "°C");
    EXPECT_EQ(RunArgs(Shown({"frost=1", "Temp11=5"})).out.find("Preheat against frost"),
              std::string::npos);
}

TEST(ShownCommand, BadSettingsGiveOneLineAndStatusTwo) {
    const struct {
        std::vector<std::string_view> args;
        std::string message;
    } cases[] = {
        {Shown({"units=metric"}), "units takes si or ip"},
        {Shown({"lang=es"}), "lang takes en, de, fr, pl, zh or ru, not 'es'"},
        {Shown({"separators=.."}), "separators takes"},
        {Shown({"separators=a,"}), "separators takes"},
        {Shown({"separators=.,;"}), "separators takes"},
        {Shown({"separators="}), "separators takes"},
        {Shown({"eu=yes"}), "eu takes 0 or 1"},
        {Shown({"hclass=2"}), "hclass takes 0 or 1"},
        {Shown({"frost=on"}), "frost takes 0 or 1"},
        {Shown({"dplimit=0"}), "dplimit: '0' is not an integer from 1"},
        {Shown({"summer.Tmp11=5"}), "unknown field 'summer.Tmp11'"},
        {Shown({"summer.Eta1=5"}), "Eta1 is a result of the calculation"},
        {Shown({"summer.SVol11=0"}), "a flow must be more than 0"},
        {{"product", "--shown", "edge=600", "width=600", "ptype=2"}, "--shown belongs to"},
        {{"record", "units=ip"}, "unknown field 'units'"},
    };
    for (const auto& c : cases) {
        const Result r = RunArgs(c.args);
        EXPECT_EQ(r.status, kExitBadInput) << c.message;
        EXPECT_EQ(r.out, "") << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    }
}

} // namespace
} // namespace tavro::cli
