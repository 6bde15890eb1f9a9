#include "tests/golden/golden_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tavro::golden {

bool Updating() {
    const char* v = std::getenv("TAVRO_GOLDEN_UPDATE");
    return v != nullptr && *v != '\0' && std::string_view(v) != "0";
}

std::filesystem::path GoldenPath(std::string_view name) {
    return std::filesystem::path(TAVRO_GOLDEN_DIR) / std::string(name);
}

namespace {

bool Flat(const Json& j) {
    if (!j.is_array()) return false;
    return std::all_of(j.begin(), j.end(), [](const Json& e) { return e.is_primitive(); });
}

// Indented JSON with one value per line, except that an array of plain
// values (the arguments of a call) stays on one line: a changed result
// shows as one changed line in a diff.
void Write(std::ostream& out, const Json& j, int indent) {
    const std::string pad(static_cast<size_t>(indent) + 1, ' ');
    const std::string close(static_cast<size_t>(indent), ' ');
    if (j.is_primitive() || Flat(j) || j.empty()) {
        out << j.dump();
    } else if (j.is_object()) {
        out << "{\n";
        size_t i = 0;
        for (const auto& [key, value] : j.items()) {
            out << pad << Json(key).dump() << ": ";
            Write(out, value, indent + 1);
            out << (++i < j.size() ? ",\n" : "\n");
        }
        out << close << '}';
    } else {
        out << "[\n";
        for (size_t i = 0; i < j.size(); ++i) {
            out << pad;
            Write(out, j[i], indent + 1);
            out << (i + 1 < j.size() ? ",\n" : "\n");
        }
        out << close << ']';
    }
}

} // namespace

void ExpectMatches(const Json& expected, const Json& actual, const std::string& where) {
    if (expected.is_number() && actual.is_number()) {
        if (expected.is_number_integer() && actual.is_number_integer()) {
            EXPECT_EQ(expected.get<int64_t>(), actual.get<int64_t>()) << where;
            return;
        }
        const double e = expected.get<double>();
        const double a = actual.get<double>();
        const double scale = std::max(std::fabs(e), std::fabs(a));
        EXPECT_LE(std::fabs(e - a), kRelativeTolerance * scale)
            << where << ": expected " << expected.dump() << ", got " << actual.dump();
        return;
    }
    if (expected.type() != actual.type()) {
        ADD_FAILURE() << where << ": expected " << expected.dump() << ", got " << actual.dump();
        return;
    }
    if (expected.is_object()) {
        for (const auto& [key, value] : expected.items()) {
            if (!actual.contains(key)) {
                ADD_FAILURE() << where << "." << key << " is missing";
                continue;
            }
            ExpectMatches(value, actual.at(key), where + "." + key);
        }
        for (const auto& [key, value] : actual.items()) {
            if (!expected.contains(key)) ADD_FAILURE() << where << "." << key << " is new";
        }
        return;
    }
    if (expected.is_array()) {
        EXPECT_EQ(expected.size(), actual.size()) << where << ": number of entries";
        for (size_t i = 0; i < std::min(expected.size(), actual.size()); ++i)
            ExpectMatches(expected[i], actual[i], where + "[" + std::to_string(i) + "]");
        return;
    }
    EXPECT_EQ(expected, actual) << where;
}

void CheckGolden(std::string_view name, const Json& cases) {
    const std::filesystem::path path = GoldenPath(name);
    if (Updating()) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        Write(out, cases, 0);
        out << '\n';
        out.close();
        ASSERT_TRUE(out) << "cannot write " << path;
        std::cout << "[ golden   ] wrote " << path.string() << '\n';
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path << " is missing; scripts/update-golden.sh writes it";
    std::stringstream text;
    text << in.rdbuf();
    const Json expected = Json::parse(text.str(), nullptr, false);
    ASSERT_FALSE(expected.is_discarded()) << path << " is not valid JSON";
    ExpectMatches(expected, cases, std::string(name));
}

} // namespace tavro::golden
