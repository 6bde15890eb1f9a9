#pragma once

// Pinned results ("golden files"): a test builds a JSON object of named
// cases, each with the inputs that produced it and its output, and compares
// it with the file of the same name in tests/golden. Numbers agree within
// 1e-9 relative, everything else (texts, integers, nulls, the inputs, the
// set of case names) exactly. With TAVRO_GOLDEN_UPDATE=1 in the environment
// the test writes the file instead (scripts/update-golden.sh); see
// tests/golden/README.md.

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <string_view>

namespace tavro::golden {

using Json = nlohmann::ordered_json;

/// Relative tolerance of every floating-point comparison.
inline constexpr double kRelativeTolerance = 1e-9;

/// Whether the tests should rewrite their golden files instead of comparing
/// (TAVRO_GOLDEN_UPDATE set to anything but empty or "0").
bool Updating();

/// The path of the golden file `name` (for example "records.json").
std::filesystem::path GoldenPath(std::string_view name);

/// Adds a GoogleTest failure for every difference between `expected` and
/// `actual`, each naming its place (`where`, then keys and indices).
/// Numbers compare within kRelativeTolerance of the larger magnitude (so 0
/// only equals 0) unless both are integers, which compare exactly.
void ExpectMatches(const Json& expected, const Json& actual, const std::string& where);

/// Compares `cases` (an object of named cases) with the golden file `name`,
/// case by case, and fails for a case missing on either side; or, when
/// Updating(), writes `cases` into the file.
void CheckGolden(std::string_view name, const Json& cases);

} // namespace tavro::golden
