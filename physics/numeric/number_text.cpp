#include "physics/numeric/number_text.h"

#include <charconv>
#include <cmath>

namespace tavro {

std::string FormatDouble17(double v) {
    if (std::isnan(v)) return "nan";
    if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
    char buf[64];
    const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17);
    return ec == std::errc() ? std::string(buf, ptr) : std::string("nan");
}

bool ParseDouble(std::string_view text, double& out) {
    // from_chars does not accept a leading '+'; people write it.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return false;
    }
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && std::isfinite(out);
}

bool ParseInt32(std::string_view text, int32_t& out) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return false;
    }
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    int32_t v = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || ptr != end) return false;
    out = v;
    return true;
}

} // namespace tavro
