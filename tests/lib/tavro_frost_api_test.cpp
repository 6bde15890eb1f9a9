// tavro_record_frost: the frost check of a record through the C interface,
// against tavro-calc frost through the JSON entry, and its refusals.

#include "tavro/tavro.h"

#include "lib_test_support.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <set>
#include <string>

namespace tavro::lib_test {
namespace {

using Json = nlohmann::json;

struct Frost {
    int hasLimit = -7, wallUnit = -7, atRisk = -7;
    double limit = -7, wallMin = -7, along1 = -7, along2 = -7, preheat = -7, bypass = -7;
};

int Check(tavro_record* r, Frost& f) {
    return tavro_record_frost(r, &f.hasLimit, &f.limit, &f.wallMin, &f.wallUnit, &f.along1,
                              &f.along2, &f.atRisk, &f.preheat, &f.bypass);
}

// A record with the winter inputs, `changes` applied on top.
RecordPtr Winter(const std::vector<std::pair<std::string, std::string>>& changes = {}) {
    RecordPtr r = NewRecord();
    for (const auto& [name, value] : WinterInputs())
        EXPECT_EQ(tavro_record_set(r.get(), name.c_str(), value.c_str()), TAVRO_OK) << name;
    for (const auto& [name, value] : changes)
        EXPECT_EQ(tavro_record_set(r.get(), name.c_str(), value.c_str()), TAVRO_OK) << name;
    return r;
}

// The frost command through the JSON entry with the same inputs.
Json FrostCommand(const std::vector<std::pair<std::string, std::string>>& changes = {},
                  int* status = nullptr) {
    Json args = Json::object();
    for (const auto& [name, value] : WinterInputs())
        args[name] = value;
    for (const auto& [name, value] : changes)
        args[name] = value;
    char* response = nullptr;
    const int s =
        tavro_run_json(Json{{"command", "frost"}, {"args", args}}.dump().c_str(), &response);
    if (status != nullptr) *status = s;
    return Json::parse(Take(response));
}

// The figures are those of tavro-calc frost, bit for bit (the same check on
// the same record), and the handle's record is not calculated by it.
TEST(FrostApi, FiguresAreTheFrostCommands) {
    for (const char* outside : {"-12", "5"}) {
        RecordPtr r = Winter({{"Temp11", outside}});
        Frost f;
        ASSERT_EQ(Check(r.get(), f), TAVRO_OK) << tavro_record_error(r.get());
        EXPECT_STREQ(tavro_record_error(r.get()), "");
        int status = -1;
        const Json j = FrostCommand({{"Temp11", outside}}, &status);
        ASSERT_EQ(status, TAVRO_OK) << j.dump();
        EXPECT_EQ(j["status"], "ok");
        const Json& c = j["result"];
        EXPECT_EQ(f.hasLimit, c["hasLimit"].get<bool>() ? 1 : 0);
        EXPECT_EQ(f.limit, c["limit"].get<double>());
        EXPECT_EQ(f.wallMin, c["wallMin"].get<double>());
        EXPECT_EQ(f.wallUnit, c["wallMinUnit"].get<int>());
        EXPECT_EQ(f.along1, c["wallMinAlong1"].get<double>());
        EXPECT_EQ(f.along2, c["wallMinAlong2"].get<double>());
        EXPECT_EQ(f.atRisk, c["atRisk"].get<bool>() ? 1 : 0);
        if (f.atRisk) {
            EXPECT_EQ(f.preheat, c["preheat"].get<double>());
            EXPECT_EQ(f.bypass, c["bypassShare"].get<double>());
            EXPECT_GT(f.preheat, 0);
        } else {
            EXPECT_EQ(f.preheat, 0);
            EXPECT_EQ(f.bypass, 0);
        }
        EXPECT_EQ(f.atRisk, std::string(outside) == "-12" ? 1 : 0);
        EXPECT_EQ(f.wallUnit, 1);
        double eta = -1;
        ASSERT_EQ(tavro_record_get_number(r.get(), "Eta1", &eta), TAVRO_OK);
        EXPECT_EQ(eta, 0); // the check worked on a copy
    }
}

// The check command through JSON warns of frost unless asked not to.
TEST(FrostApi, CheckThroughJsonTakesTheFrostKey) {
    auto messages = [](const char* frost) {
        Json args = Json::object();
        for (const auto& [name, value] : WinterInputs())
            args[name] = value;
        if (frost != nullptr) args["frost"] = std::stoi(frost);
        char* response = nullptr;
        tavro_run_json(Json{{"command", "check"}, {"args", args}}.dump().c_str(), &response);
        const Json j = Json::parse(Take(response));
        std::set<int> numbers;
        for (const Json& m : j["result"]["messages"])
            numbers.insert(m["number"].get<int>());
        return numbers;
    };
    EXPECT_EQ(messages(nullptr).count(40), 1u);
    EXPECT_EQ(messages("1").count(40), 1u);
    EXPECT_EQ(messages("0").count(40), 0u);
}

// Return air with a dew point far below -30 °C: no frost down to -50 °C.
TEST(FrostApi, VeryDryReturnAirHasNoLimit) {
    RecordPtr r = Winter({{"Phi21", "1"}, {"Phi11", "50"}});
    Frost f;
    ASSERT_EQ(Check(r.get(), f), TAVRO_OK) << tavro_record_error(r.get());
    EXPECT_EQ(f.hasLimit, 0);
    EXPECT_EQ(f.limit, -50);
    EXPECT_EQ(f.atRisk, 0);
}

// Refusals come back as statuses with a message; the caller's variables
// stay as they were.
TEST(FrostApi, NullPointersAndFailedCalculationsAreStatuses) {
    Frost f;
    EXPECT_EQ(Check(nullptr, f), TAVRO_BAD_ARGUMENT);
    RecordPtr r = Winter();
    int i = 0;
    double d = 0;
    for (int missing = 0; missing < 9; ++missing) {
        int* ints[3] = {&i, &i, &i};
        double* doubles[6] = {&d, &d, &d, &d, &d, &d};
        if (missing < 3) {
            ints[missing] = nullptr;
        } else {
            doubles[missing - 3] = nullptr;
        }
        EXPECT_EQ(tavro_record_frost(r.get(), ints[0], doubles[0], doubles[1], ints[1], doubles[2],
                                     doubles[3], ints[2], doubles[4], doubles[5]),
                  TAVRO_BAD_ARGUMENT)
            << missing;
        EXPECT_NE(std::string(tavro_record_error(r.get())).find("is NULL"), std::string::npos);
    }
    EXPECT_EQ(i, 0);
    EXPECT_EQ(d, 0);
    // pbar 0 of a new record: the inlet stage fails.
    RecordPtr fresh = NewRecord();
    EXPECT_EQ(Check(fresh.get(), f), TAVRO_CALCULATION_FAULT);
    EXPECT_NE(std::string(tavro_record_error(fresh.get())).find("Status=100"), std::string::npos);
    EXPECT_EQ(f.limit, -7);
    EXPECT_EQ(f.atRisk, -7);
    // A bad argument of the JSON request is refused there.
    int status = -1;
    const Json j = FrostCommand({{"Tmp11", "5"}}, &status);
    EXPECT_EQ(status, TAVRO_BAD_ARGUMENT);
    EXPECT_NE(j["error"].get<std::string>().find("Tmp11"), std::string::npos);
}

} // namespace
} // namespace tavro::lib_test
