// The command line's tables (tavro-calc record --shown --json) against the
// cells the main window showed when they were pinned (cells.json, written by
// golden_cells_test.cpp): the same rows, to the letter, for every case.

#include "cli/commands.h"
#include "tests/golden/golden_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tavro::golden {
namespace {

// The command line of a pinned case: its record call with --shown, the
// cooling case's fields as summer.KEY=VALUE, and its display settings.
std::vector<std::string> ShownCall(const Json& c, bool si) {
    std::vector<std::string> args = {"record", "--shown", "--json"};
    const Json& record = c.at("record");
    for (size_t i = 1; i < record.size(); ++i)
        args.push_back(record[i].get<std::string>());
    if (!c.at("summer").is_null()) {
        const Json& summer = c.at("summer");
        for (size_t i = 1; i < summer.size(); ++i)
            args.push_back("summer." + summer[i].get<std::string>());
    }
    const Json& d = c.at("display");
    const int language = d.at("language").get<int>();
    args.push_back(std::string("lang=") + (language == 1 ? "de" : "en"));
    args.push_back("separators=" + d.at("decimal").get<std::string>() +
                   d.at("thousands").get<std::string>());
    args.push_back(std::string("eu=") + (d.at("EU").get<bool>() ? "1" : "0"));
    args.push_back(std::string("hclass=") + (d.at("HCLASS").get<bool>() ? "1" : "0"));
    args.push_back("dplimit=" + std::to_string(d.at("DpLimit").get<int>()));
    args.push_back(si ? "units=si" : "units=ip");
    return args;
}

TEST(GoldenShown, CommandLineTablesMatchThePinnedWindowCells) {
    std::ifstream file(GoldenPath("cells.json"));
    ASSERT_TRUE(file) << GoldenPath("cells.json");
    const Json cases = Json::parse(file);
    ASSERT_GE(cases.size(), 40u);
    for (const auto& [name, c] : cases.items()) {
        for (const bool si : {true, false}) {
            const std::vector<std::string> args = ShownCall(c, si);
            const std::vector<std::string_view> line(args.begin(), args.end());
            std::ostringstream out, err;
            const int status = cli::Run(line, out, err);
            // Faulted records print their tables and end with status 1.
            EXPECT_TRUE(status == 0 || status == 1) << name << ": " << err.str();
            const Json shown = Json::parse(out.str(), nullptr, false);
            ASSERT_FALSE(shown.is_discarded()) << name << ": " << err.str();
            ExpectMatches(c.at(si ? "SI" : "IP"), shown, name + (si ? " SI" : " IP"));
        }
    }
}

} // namespace
} // namespace tavro::golden
