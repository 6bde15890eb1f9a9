#include "tavro/tavro.h"

#include "cli/commands.h"
#include "lib_test_support.h"
#include "physics/record_fields.h"
#include "physics/records.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

namespace tavro::lib_test {
namespace {

using Json = nlohmann::ordered_json;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string RunJson(const std::string& request, int* status = nullptr) {
    char* response = nullptr;
    const int s = tavro_run_json(request.c_str(), &response);
    if (status != nullptr) *status = s;
    return Take(response);
}

std::string CliJson(std::vector<std::string_view> args) {
    args.push_back("--json");
    std::ostringstream out, err;
    (void)cli::Run(args, out, err);
    return out.str();
}

TEST(Library, VersionMatchesHeaderAndProject) {
    EXPECT_STREQ(tavro_version(), TAVRO_VERSION_STRING);
    EXPECT_STREQ(tavro_version(), TAVRO_PROJECT_VERSION);
    EXPECT_EQ(tavro_format_version(), TAVRO_FORMAT_VERSION);
    EXPECT_STREQ(tavro_status_name(TAVRO_CALCULATION_FAULT), "calculation_fault");
    EXPECT_STREQ(tavro_status_name(-1), "unknown");
}

// The record through the interface gives bit for bit what the C++ record gives.
TEST(Library, RecordCalculatesAsTheCore) {
    RecordPtr r = NewRecord();
    ASSERT_TRUE(r);
    TDatenREK direct;
    for (const auto& [name, value] : WinterInputs()) {
        ASSERT_EQ(tavro_record_set(r.get(), name.c_str(), value.c_str()), TAVRO_OK)
            << tavro_record_error(r.get());
        SetRecordField(direct, *FindRecordField(name), value);
    }
    ASSERT_EQ(tavro_record_calculate(r.get(), 1), TAVRO_OK) << tavro_record_error(r.get());
    direct.CalculateAll();
    direct.Calculate();
    direct.ClassifyEnergy();
    for (const RecordField& f : RecordFields()) {
        char* text = nullptr;
        ASSERT_EQ(tavro_record_get_text(r.get(), std::string(f.name).c_str(), &text), TAVRO_OK);
        EXPECT_EQ(Take(text), FormatRecordField(direct, f)) << f.name;
    }
    double eta = 0;
    EXPECT_EQ(tavro_record_get_number(r.get(), "Eta1Wet", &eta), TAVRO_OK);
    EXPECT_EQ(eta, direct.Eta1Wet);
    EXPECT_STREQ(tavro_record_error(r.get()), "");
}

TEST(Library, RecordJsonEqualsTheCommandLine) {
    RecordPtr r = NewRecord();
    std::vector<std::string> args{"record"};
    for (const auto& [name, value] : WinterInputs()) {
        tavro_record_set(r.get(), name.c_str(), value.c_str());
        args.push_back(name + "=" + value);
    }
    ASSERT_EQ(tavro_record_calculate(r.get(), 0), TAVRO_OK);
    char* json = nullptr;
    ASSERT_EQ(tavro_record_json(r.get(), &json), TAVRO_OK);
    EXPECT_EQ(Json::parse(Take(json)),
              Json::parse(CliJson(std::vector<std::string_view>(args.begin(), args.end()))));
}

// Every refused value leaves the record as it was and names the problem.
TEST(Library, RefusedValuesChangeNothing) {
    RecordPtr r = NewRecord();
    ASSERT_EQ(tavro_record_set_number(r.get(), "Temp11", 5), TAVRO_OK);
    ASSERT_EQ(tavro_record_set_number(r.get(), "SVol11", 3000), TAVRO_OK);
    const struct {
        const char* field;
        double value;
        int status;
    } numbers[] = {
        {"Temp11", kNaN, TAVRO_BAD_ARGUMENT},    {"Temp11", kInf, TAVRO_BAD_ARGUMENT},
        {"SVol11", -1, TAVRO_BAD_ARGUMENT},      {"SVol11", 2e7, TAVRO_BAD_ARGUMENT},
        {"Edge", 600.5, TAVRO_BAD_ARGUMENT},     {"Edge", 1e300, TAVRO_BAD_ARGUMENT},
        {"Line", 1, TAVRO_BAD_ARGUMENT},         {"Eta1Wet", 50, TAVRO_BAD_ARGUMENT},
        {"AirVelBypass", 4, TAVRO_BAD_ARGUMENT}, {"Temp1", 5, TAVRO_UNKNOWN_FIELD},
    };
    for (const auto& c : numbers) {
        EXPECT_EQ(tavro_record_set_number(r.get(), c.field, c.value), c.status) << c.field;
        EXPECT_STRNE(tavro_record_error(r.get()), "") << c.field;
    }
    const struct {
        const char* field;
        const char* value;
    } texts[] = {{"Temp11", "warm"}, {"Temp11", ""},   {"SVol11", "0"},
                 {"Line", "Other"},  {"Line", "\xff"}, {"Edge", "1e3"}};
    for (const auto& c : texts) {
        EXPECT_EQ(tavro_record_set(r.get(), c.field, c.value), TAVRO_BAD_ARGUMENT) << c.value;
    }
    const std::string huge((size_t{1} << 20) + 1, '1');
    EXPECT_EQ(tavro_record_set(r.get(), "Temp11", huge.c_str()), TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_record_set(r.get(), nullptr, "1"), TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_record_set(r.get(), "Temp11", nullptr), TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_record_set(nullptr, "Temp11", "1"), TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_record_get_number(r.get(), "Temp11", nullptr), TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_record_get_number(r.get(), "Line", nullptr), TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_record_create(nullptr), TAVRO_BAD_ARGUMENT);
    EXPECT_STREQ(tavro_record_error(nullptr), "");
    tavro_record_free(nullptr);
    tavro_free(nullptr);

    double v = 0;
    EXPECT_EQ(tavro_record_get_number(r.get(), "Temp11", &v), TAVRO_OK);
    EXPECT_EQ(v, 5);
    EXPECT_EQ(tavro_record_get_number(r.get(), "SVol11", &v), TAVRO_OK);
    EXPECT_EQ(v, 3000);
    char* line = nullptr;
    EXPECT_EQ(tavro_record_get_text(r.get(), "Line", &line), TAVRO_OK);
    EXPECT_EQ(Take(line), "Tavro");
}

TEST(Library, FailedCalculationIsAFaultWithItsMessage) {
    RecordPtr r = NewRecord(); // pbar 0: the inlet states cannot be completed
    EXPECT_EQ(tavro_record_calculate(r.get(), 0), TAVRO_CALCULATION_FAULT);
    EXPECT_NE(std::string(tavro_record_error(r.get())).find("Status=100"), std::string::npos);
}

TEST(Library, AirFunctionsAnswerAsTheCommandLine) {
    const double args[] = {20, 50, 1013};
    double x = 0;
    ASSERT_EQ(tavro_air_function("HumidityRatio", args, 3, &x, nullptr), TAVRO_OK);
    EXPECT_EQ(x, Json::parse(CliJson({"fn", "HumidityRatio", "20", "50", "1013"}))["HumidityRatio"]
                     .get<double>());
    double rho = 0;
    EXPECT_EQ(tavro_air_function("RefDensity", nullptr, 0, &rho, nullptr), TAVRO_OK);
    EXPECT_NEAR(rho, 1.2, 0.01);

    char* error = nullptr;
    EXPECT_EQ(tavro_air_function("Humidity", args, 3, &x, &error), TAVRO_UNKNOWN_NAME);
    EXPECT_NE(Take(error).find("Humidity"), std::string::npos);
    const double nan[] = {kNaN, 50, 1013};
    const double cold[] = {-300, 50, 1013};
    const double* cases[] = {nan, cold};
    for (const double* a : cases) {
        x = 42;
        EXPECT_EQ(tavro_air_function("HumidityRatio", a, 3, &x, nullptr), TAVRO_BAD_ARGUMENT);
        EXPECT_EQ(x, 42);
    }
    EXPECT_EQ(tavro_air_function("HumidityRatio", args, 2, &x, nullptr), TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_air_function("HumidityRatio", args, -1, &x, nullptr), TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_air_function("HumidityRatio", nullptr, 3, &x, nullptr), TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_air_function("MixAir", args, 3, &x, nullptr), TAVRO_BAD_ARGUMENT);

    double m = 0, t = 0, mx = 0;
    ASSERT_EQ(tavro_mix_air(5, 20, 1000, 5, 20, 1000, 1013, &m, &t, &mx, nullptr), TAVRO_OK);
    EXPECT_EQ(m, 2000);
    EXPECT_NEAR(t, 20, 1e-9);
    EXPECT_EQ(tavro_mix_air(5, 20, -1, 5, 20, 1000, 1013, &m, &t, &mx, nullptr),
              TAVRO_BAD_ARGUMENT);
}

TEST(Library, UnitAsTheProductCommand) {
    const tavro_unit unit{20, 1, 600, 850, 2, 15, 10000};
    const Json cli = Json::parse(CliJson({"product", "design=20", "units=1", "edge=600",
                                          "width=850", "ptype=2", "vbypass=15", "volume=10000"}));
    int h = 0, b = 0, d = 0, bypass = 0, weight = 0;
    ASSERT_EQ(tavro_unit_dimensions(&unit, &h, &b, &d, &bypass), TAVRO_OK);
    EXPECT_EQ(h, cli["H"]);
    EXPECT_EQ(b, cli["B"]);
    EXPECT_EQ(d, cli["T"]);
    EXPECT_EQ(bypass, cli["Bypass"]);
    ASSERT_EQ(tavro_unit_weight(&unit, &weight), TAVRO_OK);
    EXPECT_EQ(weight, cli["Weight"]);
    char* designation = nullptr;
    ASSERT_EQ(tavro_unit_designation(&unit, &designation), TAVRO_OK);
    EXPECT_EQ(Take(designation), cli["Designation"]);

    const tavro_unit bad[] = {{20, 1, 601, 850, 2, 15, 0},    {20, 5, 600, 850, 2, 15, 0},
                              {11, 1, 600, 850, 2, 15, 0},    {20, 1, 600, 850, 2, kNaN, 0},
                              {20, 1, 600, 850, 2, 15, kInf}, {20, 1, 600, 60000, 2, 15, 0}};
    for (const tavro_unit& u : bad) {
        weight = -7;
        EXPECT_EQ(tavro_unit_weight(&u, &weight), TAVRO_BAD_ARGUMENT) << u.edge;
        EXPECT_EQ(weight, -7);
    }
    EXPECT_EQ(tavro_unit_weight(nullptr, &weight), TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_unit_weight(&unit, nullptr), TAVRO_BAD_ARGUMENT);
}

TEST(Library, SizesAsTheSizesCommandAndRecordKept) {
    RecordPtr r = NewRecord();
    std::vector<std::string> args{"sizes"};
    for (const auto& [name, value] : WinterInputs()) {
        if (name == "Edge" || name == "Width" || name == "PType") continue;
        tavro_record_set(r.get(), name.c_str(), value.c_str());
        args.push_back(name + "=" + value);
    }
    char* before = nullptr;
    tavro_record_json(r.get(), &before);
    char* json = nullptr;
    ASSERT_EQ(tavro_sizes(r.get(), 55, 120, 0, 1000, 10, 1, 0, &json), TAVRO_OK)
        << tavro_record_error(r.get());
    const Json list = Json::parse(Take(json));
    EXPECT_EQ(list["library_version"], TAVRO_VERSION_STRING);
    EXPECT_EQ(list["rows"], Json::parse(CliJson(
                                std::vector<std::string_view>(args.begin(), args.end())))["rows"]);
    EXPECT_FALSE(list["rows"].empty());
    char* after = nullptr;
    tavro_record_json(r.get(), &after);
    EXPECT_EQ(Take(before), Take(after));

    EXPECT_EQ(tavro_sizes(r.get(), kNaN, 120, 0, 1000, 10, 1, 0, &json), TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_sizes(r.get(), 55, 120, 3, 1000, 10, 1, 0, &json), TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_sizes(r.get(), 55, 120, 0, 1000, 11, 1, 0, &json), TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_sizes(r.get(), 55, 120, 0, 1000, 10, 1, 20, &json), TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_sizes(r.get(), 55, 120, 0, 1000, 10, 1, 0, nullptr), TAVRO_BAD_ARGUMENT);
    RecordPtr empty = NewRecord();
    EXPECT_EQ(tavro_sizes(empty.get(), 55, 120, 0, 1000, 10, 1, 0, &json), TAVRO_CALCULATION_FAULT);
}

TEST(Library, JsonRequestGivesTheCommandLinesResult) {
    int status = -1;
    const Json fn =
        Json::parse(RunJson(R"({"command":"fn","args":["HumidityRatio",20,50,1013]})", &status));
    EXPECT_EQ(status, TAVRO_OK);
    EXPECT_EQ(fn["status"], "ok");
    EXPECT_EQ(fn["library_version"], TAVRO_VERSION_STRING);
    EXPECT_EQ(fn["format_version"], TAVRO_FORMAT_VERSION);
    EXPECT_EQ(fn["result"], Json::parse(CliJson({"fn", "HumidityRatio", "20", "50", "1013"})));

    Json args = Json::object();
    std::vector<std::string> words{"record", "classify=1"};
    args["classify"] = true;
    for (const auto& [name, value] : WinterInputs()) {
        args[name] = std::stod(value);
        words.push_back(name + "=" + value);
    }
    const Json record =
        Json::parse(RunJson(Json{{"command", "record"}, {"args", args}}.dump(), &status));
    EXPECT_EQ(status, TAVRO_OK);
    EXPECT_EQ(record["result"],
              Json::parse(CliJson(std::vector<std::string_view>(words.begin(), words.end()))));
}

TEST(Library, JsonRequestRefusals) {
    const struct {
        const char* request;
        int status;
    } cases[] = {
        {"", TAVRO_BAD_ARGUMENT},
        {"{", TAVRO_BAD_ARGUMENT},
        {"[]", TAVRO_BAD_ARGUMENT},
        {R"({"args":{}})", TAVRO_BAD_ARGUMENT},
        {R"({"command":1})", TAVRO_BAD_ARGUMENT},
        {R"({"command":"--help"})", TAVRO_BAD_ARGUMENT},
        {R"({"command":"fly"})", TAVRO_BAD_ARGUMENT},
        {R"({"command":"fn","extra":1})", TAVRO_BAD_ARGUMENT},
        {R"({"command":"fn","args":["SatPressure","--json"]})", TAVRO_BAD_ARGUMENT},
        {R"({"command":"fn","args":["SatPressure",null]})", TAVRO_BAD_ARGUMENT},
        {R"({"command":"fn","args":["SatPressure",1e999]})", TAVRO_BAD_ARGUMENT},
        {R"({"command":"record","args":{"Temp11":[1]}})", TAVRO_BAD_ARGUMENT},
        {R"({"command":"record","args":{"a=b":1}})", TAVRO_BAD_ARGUMENT},
        {R"({"command":"record","args":{"":1}})", TAVRO_BAD_ARGUMENT},
        {R"({"command":"record","args":"Temp11=1"})", TAVRO_BAD_ARGUMENT},
        {R"({"command":"record"})", TAVRO_CALCULATION_FAULT},
        {R"({"command":"fn","args":["SatPressure",-300]})", TAVRO_BAD_ARGUMENT},
    };
    for (const auto& c : cases) {
        int status = -1;
        const Json response = Json::parse(RunJson(c.request, &status));
        EXPECT_EQ(status, c.status) << c.request;
        EXPECT_EQ(response["status"], tavro_status_name(c.status)) << c.request;
        EXPECT_TRUE(response["error"].is_string()) << c.request;
    }
    // A failed record still carries the values computed before the fault.
    EXPECT_TRUE(Json::parse(RunJson(R"({"command":"record"})"))["result"].is_object());
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    int status = -1;
    RunJson(deep, &status);
    EXPECT_EQ(status, TAVRO_BAD_ARGUMENT);
    char* response = reinterpret_cast<char*>(1);
    EXPECT_EQ(tavro_run_json(nullptr, &response), TAVRO_BAD_ARGUMENT);
    EXPECT_NE(Take(response).find("bad_argument"), std::string::npos);
    EXPECT_EQ(tavro_run_json("{}", nullptr), TAVRO_BAD_ARGUMENT);
}

// The cells through the handle and through JSON equal record --shown's.
TEST(Library, CellsAsTheShownRecord) {
    RecordPtr r = NewRecord();
    std::vector<std::string> words{"record", "--shown", "units=ip", "lang=de", "separators=,."};
    Json args = {{"units", "ip"}, {"lang", "de"}, {"separators", ",."}};
    for (const auto& [name, value] : WinterInputs()) {
        tavro_record_set(r.get(), name.c_str(), value.c_str());
        words.push_back(name + "=" + value);
        args[name] = value;
    }
    ASSERT_EQ(tavro_record_calculate(r.get(), 1), TAVRO_OK);
    char* json = nullptr;
    ASSERT_EQ(tavro_record_cells(r.get(), nullptr, "ip", "de", ",.", 0, 1, 250, &json), TAVRO_OK)
        << tavro_record_error(r.get());
    Json cells = Json::parse(Take(json));
    EXPECT_EQ(cells["format_version"], TAVRO_FORMAT_VERSION);
    cells.erase("library_version");
    cells.erase("format_version");
    const Json cli =
        Json::parse(CliJson(std::vector<std::string_view>(words.begin(), words.end())));
    EXPECT_EQ(cells, cli);
    EXPECT_EQ(cells["inlet"].size(), 10u);
    const Json viaJson =
        Json::parse(RunJson(Json{{"command", "record"}, {"shown", true}, {"args", args}}.dump()));
    EXPECT_EQ(viaJson["result"], cli);

    json = nullptr;
    EXPECT_EQ(tavro_record_cells(r.get(), nullptr, "us", "de", ",.", 0, 1, 250, &json),
              TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_record_cells(r.get(), nullptr, "si", "xx", ",.", 0, 1, 250, &json),
              TAVRO_UNKNOWN_NAME);
    EXPECT_EQ(tavro_record_cells(r.get(), nullptr, "si", "en", "..", 0, 1, 250, &json),
              TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_record_cells(r.get(), nullptr, "si", "en", ".", 0, 1, 0, &json),
              TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(tavro_record_cells(r.get(), nullptr, nullptr, "en", ".", 0, 1, 250, &json),
              TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(json, nullptr);
}

TEST(Library, CommandLineAnswersAsTheCommands) {
    const std::vector<std::vector<const char*>> lines = {
        {"--help"},
        {"fn", "SatPressure", "20"},
        {"fn", "SatPressure", "--json", "-300"},
        {"record", "pbar=1013"},
        {"product", "edge=600", "width=600", "ptype=2"},
        {"sizes", "minEta=x"},
        {},
    };
    for (const auto& line : lines) {
        std::vector<std::string_view> args(line.begin(), line.end());
        std::ostringstream out, err;
        const int exit = cli::Run(args, out, err);
        char* libOut = nullptr;
        char* libErr = nullptr;
        EXPECT_EQ(
            tavro_run_command_line(static_cast<int>(line.size()), line.data(), &libOut, &libErr),
            exit);
        EXPECT_EQ(Take(libOut), out.str());
        EXPECT_EQ(Take(libErr), err.str());
    }
    char* out = nullptr;
    char* err = nullptr;
    EXPECT_EQ(tavro_run_command_line(1, nullptr, &out, &err), -TAVRO_BAD_ARGUMENT);
    const char* withNull[] = {"fn", nullptr};
    EXPECT_EQ(tavro_run_command_line(2, withNull, &out, &err), -TAVRO_BAD_ARGUMENT);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(tavro_run_command_line(0, nullptr, nullptr, &err), -TAVRO_BAD_ARGUMENT);
}

} // namespace
} // namespace tavro::lib_test
