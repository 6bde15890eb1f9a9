// Random and hostile input through the C interface: whatever comes in, a
// call answers with a status, a JSON response that parses, and a refused
// value leaves the record as it was. Seeded, so that a failure repeats.

#include "tavro/tavro.h"

#include "lib_test_support.h"
#include "physics/record_fields.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <limits>
#include <random>
#include <string>

namespace tavro::lib_test {
namespace {

using Json = nlohmann::ordered_json;

class Fuzzer {
public:
    explicit Fuzzer(uint64_t seed) : rng_(seed) {}

    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }
    bool OneIn(size_t n) { return Below(n) == 0; }

    std::string Bytes(size_t maxLength) {
        std::string s(Below(maxLength + 1), '\0');
        for (char& c : s)
            c = static_cast<char>(1 + Below(255)); // no NUL: the C strings end there
        return s;
    }

    std::string FieldName() {
        const auto fields = RecordFields();
        switch (Below(4)) {
        case 0:
            return Bytes(12);
        case 1: {
            std::string name(fields[Below(fields.size())].name);
            name[Below(name.size())] ^= 0x20;
            return name;
        }
        default:
            return std::string(fields[Below(fields.size())].name);
        }
    }

    double Number() {
        static const double special[] = {0,
                                         -0.0,
                                         1,
                                         -1,
                                         1e-300,
                                         1e300,
                                         -273.15,
                                         -274,
                                         1013.25,
                                         1e7,
                                         std::numeric_limits<double>::quiet_NaN(),
                                         std::numeric_limits<double>::infinity(),
                                         -std::numeric_limits<double>::infinity(),
                                         std::numeric_limits<double>::denorm_min(),
                                         std::numeric_limits<double>::max()};
        if (OneIn(3)) return special[Below(std::size(special))];
        return std::uniform_real_distribution<double>(-2000, 20000)(rng_);
    }

    std::string ValueText() {
        switch (Below(5)) {
        case 0:
            return Bytes(20);
        case 1:
            return std::to_string(static_cast<long long>(Below(3000)) - 500);
        case 2:
            return "Tavro";
        default: {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.17g", Number());
            return buf;
        }
        }
    }

    Json JsonValue(int depth) {
        switch (Below(depth > 2 ? 5 : 8)) {
        case 0:
            return nullptr;
        case 1:
            return OneIn(2);
        case 2:
            return ValueText();
        case 3:
            return static_cast<int64_t>(Below(100000)) - 50000;
        case 4:
            return Number(); // NaN and infinities dump as null
        case 5: {
            Json a = Json::array();
            for (size_t i = Below(4); i > 0; --i)
                a.push_back(JsonValue(depth + 1));
            return a;
        }
        default: {
            Json o = Json::object();
            for (size_t i = Below(4); i > 0; --i)
                o[FieldName()] = JsonValue(depth + 1);
            return o;
        }
        }
    }

    // A request that is mostly well formed, with commands and arguments
    // near the real ones, or plain garbage.
    std::string Request() {
        static const char* commands[] = {"fn", "record", "product", "fly", "", "--version"};
        static const char* functions[] = {"SatPressure", "HumidityRatio", "Enthalpy",
                                          "MixAir",      "DewPoint",      "Nope"};
        switch (Below(7)) {
        case 0:
            return Bytes(200);
        case 6: { // a random object in place of a selection document
            static const char* readers[] = {"record", "check", "sizes", "fn"};
            return Json{{"command", readers[Below(std::size(readers))]},
                        {"selection",
                         OneIn(4) ? JsonValue(1) : Json(Json::object({{"cases", JsonValue(1)}}))}}
                .dump(-1, ' ', false, Json::error_handler_t::replace);
        }
        case 1:
            return JsonValue(0).dump(-1, ' ', false, Json::error_handler_t::replace);
        case 2: { // a well-formed request with one byte changed
            std::string s = Json{{"command", "fn"}, {"args", {"SatPressure", Number()}}}.dump(
                -1, ' ', false, Json::error_handler_t::replace);
            s[Below(s.size())] = static_cast<char>(1 + Below(255));
            return s;
        }
        case 3: {
            Json args = Json::array({functions[Below(std::size(functions))]});
            for (size_t i = Below(8); i > 0; --i)
                args.push_back(OneIn(6) ? JsonValue(2) : Json(Number()));
            return Json{{"command", "fn"}, {"args", args}}.dump(-1, ' ', false,
                                                                Json::error_handler_t::replace);
        }
        default: {
            Json args = Json::object();
            for (size_t i = Below(10); i > 0; --i)
                args[FieldName()] = OneIn(5) ? JsonValue(2) : Json(Number());
            return Json{{"command", commands[Below(std::size(commands))]}, {"args", args}}.dump(
                -1, ' ', false, Json::error_handler_t::replace);
        }
        }
    }

private:
    std::mt19937_64 rng_;
};

std::string RecordText(tavro_record* r) {
    char* json = nullptr;
    EXPECT_EQ(tavro_record_json(r, &json), TAVRO_OK);
    return Take(json);
}

bool IsStatus(int s) {
    return s >= TAVRO_OK && s <= TAVRO_INTERNAL && s != TAVRO_INTERNAL && s != TAVRO_OUT_OF_MEMORY;
}

TEST(LibraryFuzz, HostileRequestsAnswerWithStatusAndJson) {
    Fuzzer fuzz(20261209);
    constexpr int kCases = 60000;
    for (int i = 0; i < kCases; ++i) {
        const std::string request = fuzz.Request();
        char* response = nullptr;
        const int status = tavro_run_json(request.c_str(), &response);
        ASSERT_TRUE(IsStatus(status)) << status << " for " << request;
        ASSERT_NE(response, nullptr);
        const Json j = Json::parse(Take(response), nullptr, false);
        ASSERT_FALSE(j.is_discarded()) << request;
        ASSERT_EQ(j["status"], tavro_status_name(status)) << request;
        ASSERT_EQ(status == TAVRO_OK, !j.contains("error")) << request;
    }
}

TEST(LibraryFuzz, RandomFieldsAndValuesChangeNothingWhenRefused) {
    Fuzzer fuzz(7);
    RecordPtr r = NewRecord();
    for (const auto& [name, value] : WinterInputs())
        tavro_record_set(r.get(), name.c_str(), value.c_str());
    std::string before = RecordText(r.get());
    constexpr int kCases = 50000;
    for (int i = 0; i < kCases; ++i) {
        const std::string field = fuzz.FieldName();
        int status = 0;
        if (fuzz.OneIn(2)) {
            status = tavro_record_set(r.get(), field.c_str(), fuzz.ValueText().c_str());
        } else {
            status = tavro_record_set_number(r.get(), field.c_str(), fuzz.Number());
        }
        ASSERT_TRUE(IsStatus(status));
        ASSERT_EQ(status == TAVRO_OK, *tavro_record_error(r.get()) == '\0') << field;
        const std::string after = RecordText(r.get());
        if (status != TAVRO_OK) {
            ASSERT_EQ(after, before) << field;
        }
        double v = 0;
        ASSERT_TRUE(IsStatus(tavro_record_get_number(r.get(), field.c_str(), &v)));
        if (fuzz.OneIn(50)) {
            // Calculated records must answer too, whatever the inputs.
            ASSERT_TRUE(IsStatus(tavro_record_calculate(r.get(), static_cast<int>(fuzz.Below(2)))));
            before = RecordText(r.get());
            // The limit check judges a copy: the record stays as it is.
            char* check = nullptr;
            const int design = fuzz.OneIn(2) ? 20 : static_cast<int>(fuzz.Below(70));
            ASSERT_TRUE(IsStatus(
                tavro_record_check(r.get(), design, static_cast<int>(fuzz.Below(2000)) - 10,
                                   static_cast<int>(fuzz.Below(3)), "si", "en", ".", &check)));
            Take(check);
            ASSERT_EQ(RecordText(r.get()), before);
        } else {
            before = after;
        }
    }
}

} // namespace
} // namespace tavro::lib_test
