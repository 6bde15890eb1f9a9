#include "cli/command_support.h"

#include "physics/number_text.h"

#include <charconv>
#include <cmath>

namespace tavro::cli {

double ParseNumber(std::string_view what, std::string_view text) {
    double v = 0;
    if (!ParseDouble(text, v)) {
        throw UsageError(std::string(what) + ": '" + std::string(text) + "' is not a number");
    }
    return v;
}

int ParseInteger(std::string_view what, std::string_view text, int lo, int hi) {
    long long v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (text.empty() || ec != std::errc() || ptr != end || v < lo || v > hi) {
        throw UsageError(std::string(what) + ": '" + std::string(text) +
                         "' is not an integer from " + std::to_string(lo) + " to " +
                         std::to_string(hi));
    }
    return static_cast<int>(v);
}

Json JsonNumber(double v) {
    return std::isfinite(v) ? Json(v) : Json(nullptr);
}

std::pair<std::string_view, std::string_view> SplitAssignment(std::string_view command,
                                                              std::string_view arg) {
    const size_t eq = arg.find('=');
    if (eq == std::string_view::npos || eq == 0) {
        throw UsageError(std::string(command) + ": '" + std::string(arg) + "' is not KEY=VALUE");
    }
    return {arg.substr(0, eq), arg.substr(eq + 1)};
}

} // namespace tavro::cli
