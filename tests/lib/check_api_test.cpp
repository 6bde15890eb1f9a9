// The limit check through the C interface and through the JSON entry: the
// same messages as the command line's check, texts in the caller's options,
// nothing changed on bad arguments.

#include "tavro/tavro.h"

#include "cli/commands.h"
#include "lib_test_support.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace tavro::lib_test {
namespace {

using Json = nlohmann::ordered_json;

// A winter case inside every limit, with `changes` set over it.
RecordPtr CheckRecord(const std::vector<std::pair<std::string, std::string>>& changes = {}) {
    RecordPtr r = NewRecord();
    for (const auto& [name, value] : WinterInputs())
        tavro_record_set(r.get(), name.c_str(), value.c_str());
    tavro_record_set(r.get(), "SVol11", "2000");
    tavro_record_set(r.get(), "SVol21", "2000");
    for (const auto& [name, value] : changes)
        EXPECT_EQ(tavro_record_set(r.get(), name.c_str(), value.c_str()), TAVRO_OK) << name;
    return r;
}

Json Check(tavro_record* r, int design, int dpLimit, const char* units = "si",
           const char* language = "en", const char* separators = ".", int frost = 1) {
    char* json = nullptr;
    const int status =
        tavro_record_check(r, design, dpLimit, frost, units, language, separators, &json);
    EXPECT_EQ(status, TAVRO_OK) << tavro_record_error(r);
    return Json::parse(Take(json));
}

std::vector<int> Numbers(const Json& check) {
    std::vector<int> out;
    for (const Json& m : check["messages"])
        out.push_back(m["number"].get<int>());
    return out;
}

TEST(LibraryCheck, GivesTheMessagesOfTheCommandLine) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> changes;
        std::vector<std::string_view> args; // the same for tavro-calc check
        int design;
        std::vector<int> numbers;
        bool error;
    };
    const std::vector<Case> cases = {
        // -12 °C outside air lies below this exchanger's frost limit (40).
        {{}, {}, 10, {40}, false},
        {{{"Temp11", "-45"}, {"SVol11", "3500"}},
         {"Temp11=-45", "SVol11=3500"},
         10,
         {1, 7, 40},
         true},
        {{{"SVol11", "10000"}, {"SVol21", "10000"}},
         {"SVol11=10000", "SVol21=10000"},
         10,
         {6, 12, 40},
         true},
    };
    for (const Case& c : cases) {
        RecordPtr r = CheckRecord(c.changes);
        const Json check = Check(r.get(), c.design, 0);
        EXPECT_EQ(Numbers(check), c.numbers);
        EXPECT_EQ(check["error"], c.error);
        EXPECT_EQ(check["dplimit"], 450);
        EXPECT_EQ(check["library_version"], TAVRO_VERSION_STRING);

        std::vector<std::string_view> args = {"check"};
        std::vector<std::string> words;
        for (const auto& [name, value] : WinterInputs())
            words.push_back(name + "=" + value);
        words.push_back("SVol11=2000");
        words.push_back("SVol21=2000");
        for (const std::string& w : words)
            args.push_back(w);
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.push_back("--json");
        std::ostringstream out, err;
        cli::Run(args, out, err);
        EXPECT_EQ(check["messages"], Json::parse(out.str())["messages"]);
    }
}

TEST(LibraryCheck, TextsFollowUnitsLanguageAndSeparators) {
    RecordPtr r = CheckRecord({{"Temp11", "-45"}, {"SVol11", "10000"}, {"SVol21", "10000"}});
    const Json en = Check(r.get(), 10, 0);
    ASSERT_EQ(Numbers(en), (std::vector<int>{1, 6, 12, 40}));
    EXPECT_EQ(en["messages"][0]["text"], "The temperature is not in the range -30 .. 80°C !");
    const Json ip = Check(r.get(), 10, 0, "ip", "en", ".");
    EXPECT_NE(ip["messages"][0]["text"].get<std::string>().find("°F"), std::string::npos);
    const Json comma = Check(r.get(), 10, 0, "si", "en", ",");
    EXPECT_EQ(comma["messages"][1]["text"],
              "The face air velocity is not in the range 0,5 .. 3,5 m/s !");
    const Json de = Check(r.get(), 10, 0, "si", "de", ",.");
    EXPECT_EQ(de["messages"][0]["text"], "Die Temperatur liegt nicht im Bereich -30 bis 80°C !");
    EXPECT_EQ(Numbers(de), Numbers(en));
}

TEST(LibraryCheck, DesignAndLimitAreTheCallers) {
    RecordPtr r = CheckRecord({{"SVol11", "10000"}, {"SVol21", "10000"}});
    // A higher limit clears the pressure-drop message.
    const Json high = Check(r.get(), 10, 100000);
    EXPECT_EQ(high["dplimit"], 100000);
    EXPECT_EQ(Numbers(high), (std::vector<int>{6, 40}));
    // Without the frost check the frost warning stays out.
    EXPECT_EQ(Numbers(Check(r.get(), 10, 100000, "si", "en", ".", 0)), std::vector<int>{6});
    // The record itself is neither calculated nor changed by the check.
    char* before = nullptr;
    tavro_record_json(r.get(), &before);
    Check(r.get(), 40, 0);
    char* after = nullptr;
    tavro_record_json(r.get(), &after);
    EXPECT_EQ(Take(before), Take(after));
}

TEST(LibraryCheck, BadArgumentsChangeNothing) {
    RecordPtr r = CheckRecord();
    char* json = nullptr;
    struct Bad {
        int design, dpLimit;
        const char *units, *language, *separators;
        int status;
    };
    const Bad cases[] = {
        {15, 0, "si", "en", ".", TAVRO_BAD_ARGUMENT},
        {0, 0, "si", "en", ".", TAVRO_BAD_ARGUMENT},
        {10, -1, "si", "en", ".", TAVRO_BAD_ARGUMENT},
        {10, 1000001, "si", "en", ".", TAVRO_BAD_ARGUMENT},
        {10, 0, "SI", "en", ".", TAVRO_BAD_ARGUMENT},
        {10, 0, nullptr, "en", ".", TAVRO_BAD_ARGUMENT},
        {10, 0, "si", "xx", ".", TAVRO_UNKNOWN_NAME},
        {10, 0, "si", "en", "..", TAVRO_BAD_ARGUMENT},
        {10, 0, "si", "en", "", TAVRO_BAD_ARGUMENT},
    };
    for (const Bad& b : cases) {
        EXPECT_EQ(tavro_record_check(r.get(), b.design, b.dpLimit, 1, b.units, b.language,
                                     b.separators, &json),
                  b.status)
            << b.design << ' ' << b.dpLimit;
        EXPECT_EQ(json, nullptr);
        EXPECT_STRNE(tavro_record_error(r.get()), "");
    }
    EXPECT_EQ(tavro_record_check(nullptr, 10, 0, 1, "si", "en", ".", &json), TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_record_check(r.get(), 10, 0, 1, "si", "en", ".", nullptr), TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_record_check(r.get(), 10, 0, 2, "si", "en", ".", &json), TAVRO_BAD_ARGUMENT);
}

// An error-class message is the check's answer, not a failure of the call.
TEST(LibraryCheck, JsonCheckWithAnErrorClassMessageSucceeds) {
    Json args = Json::object();
    for (const auto& [name, value] : WinterInputs())
        args[name] = value;
    args["lang"] = "de";
    char* response = nullptr;
    const Json request = {{"command", "check"}, {"args", args}};
    EXPECT_EQ(tavro_run_json(request.dump().c_str(), &response), TAVRO_OK);
    const Json j = Json::parse(Take(response));
    EXPECT_EQ(j["status"], "ok");
    EXPECT_FALSE(j.contains("error"));
    EXPECT_EQ(j["result"]["error"], true);
    EXPECT_EQ(j["result"]["messages"][0]["text"],
              "Die Anströmgeschwindigkeit liegt nicht im Bereich 0.5 bis 3.5 m/s !");

    args["SVol11"] = 2000;
    args["SVol21"] = 2000;
    args["frost"] = 0;
    const Json passing = {{"command", "check"}, {"args", args}};
    EXPECT_EQ(tavro_run_json(passing.dump().c_str(), &response), TAVRO_OK);
    EXPECT_EQ(Json::parse(Take(response))["result"]["messages"], Json::array());
}

} // namespace
} // namespace tavro::lib_test
