#include "shell/texts/number_format.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <system_error>

namespace tavro {

namespace {

/// A positive finite value rounded to n significant digits:
/// d1.d2d3... × 10^exponent, `digits` holding exactly n digits.
struct Significant {
    std::string digits;
    int exponent = 0;
};

Significant RoundSignificant(double a, int n) {
    // to_chars rounds the exact binary value correctly; "d.ddde±xx".
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, n - 1);
    Significant s;
    const char* p = buf;
    for (; p != res.ptr && *p != 'e'; ++p) {
        if (*p != '.') s.digits.push_back(*p);
    }
    if (p != res.ptr) {
        ++p;
        const bool negative = *p == '-';
        if (*p == '-' || *p == '+') ++p;
        int e = 0;
        std::from_chars(p, res.ptr, e);
        s.exponent = negative ? -e : e;
    }
    return s;
}

std::string StripTrailingZeros(std::string digits) {
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    return digits;
}

std::string ExponentText(int e, int minDigits, bool alwaysSigned) {
    std::string out;
    if (e < 0) {
        out.push_back('-');
    } else if (alwaysSigned) {
        out.push_back('+');
    }
    std::string digits = std::to_string(e < 0 ? -e : e);
    if (static_cast<int>(digits.size()) < minDigits) {
        digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
    }
    return out + digits;
}

/// Integer and fraction digits of a number in fixed notation.
struct FixedParts {
    std::string integer;
    std::string fraction;
};

std::string Join(const FixedParts& parts, bool group, const NumberSeparators& sep) {
    std::string integer = parts.integer;
    if (group && sep.thousands != '\0') {
        std::string grouped;
        const size_t n = integer.size();
        for (size_t i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0) grouped.push_back(sep.thousands);
            grouped.push_back(integer[i]);
        }
        integer = std::move(grouped);
    }
    if (parts.fraction.empty()) return integer;
    return integer + sep.decimal + parts.fraction;
}

bool AllZero(const FixedParts& parts) {
    auto zero = [](const std::string& s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c == '0'; });
    };
    return zero(parts.integer) && zero(parts.fraction);
}

std::string General(double a, int precision, int expDigits, const NumberSeparators& sep) {
    if (a == 0) return "0";
    const Significant s = RoundSignificant(a, precision);
    const std::string d = StripTrailingZeros(s.digits);
    const int e = s.exponent;
    if (e < -4 || e >= precision) {
        std::string out(1, d[0]);
        if (d.size() > 1) out += sep.decimal + d.substr(1);
        return out + 'E' + ExponentText(e, expDigits, false);
    }
    FixedParts parts;
    if (e >= 0) {
        const size_t intLen = static_cast<size_t>(e) + 1;
        parts.integer = d.substr(0, std::min(intLen, d.size()));
        if (parts.integer.size() < intLen) parts.integer.append(intLen - parts.integer.size(), '0');
        if (d.size() > intLen) parts.fraction = d.substr(intLen);
    } else {
        parts.integer = "0";
        parts.fraction = std::string(static_cast<size_t>(-e - 1), '0') + d;
    }
    return Join(parts, false, sep);
}

std::string Exponent(double a, int precision, int expDigits, const NumberSeparators& sep) {
    Significant s;
    if (a == 0) {
        s.digits.assign(static_cast<size_t>(precision), '0');
    } else {
        s = RoundSignificant(a, precision);
    }
    std::string out(1, s.digits[0]);
    if (s.digits.size() > 1) out += sep.decimal + s.digits.substr(1);
    return out + 'E' + ExponentText(s.exponent, expDigits, true);
}

/// Fixed notation with `decimals` decimals and at most `precision`
/// significant digits; false when the integer part needs more than
/// `precision` digits.
bool Fixed(double a, int precision, int decimals, FixedParts& parts) {
    if (a == 0) {
        parts.integer = "0";
        parts.fraction.assign(static_cast<size_t>(decimals), '0');
        return true;
    }
    const Significant s = RoundSignificant(a, precision);
    if (s.exponent >= precision) return false;
    if (s.exponent + 1 + decimals >= precision) {
        // The significant digits run out before the decimals do: expand
        // the rounded digits and pad with zeros.
        const int e = s.exponent;
        if (e >= 0) {
            const size_t intLen = static_cast<size_t>(e) + 1;
            parts.integer = s.digits.substr(0, intLen);
            parts.fraction = s.digits.substr(intLen);
        } else {
            parts.integer = "0";
            parts.fraction = std::string(static_cast<size_t>(-e - 1), '0') + s.digits;
        }
        parts.fraction.resize(static_cast<size_t>(decimals), '0');
        return true;
    }
    // The decimals are the tighter limit: round there.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::fixed, decimals);
    const std::string text(buf, res.ptr);
    const size_t point = text.find('.');
    parts.integer = text.substr(0, point);
    parts.fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    return static_cast<int>(parts.integer.size()) <= precision;
}

std::string_view Trim(std::string_view text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

void SeparatorsFromLocale() {
    const std::lconv* lc = std::localeconv();
    if (lc == nullptr) return;
    if (lc->decimal_point != nullptr && std::strlen(lc->decimal_point) == 1) {
        DecimalSeparator = lc->decimal_point[0];
    }
    if (lc->thousands_sep != nullptr) {
        const size_t n = std::strlen(lc->thousands_sep);
        if (n == 1) {
            ThousandSeparator = lc->thousands_sep[0];
        } else if (n > 1) {
            ThousandSeparator = ' '; // a no-break or narrow no-break space in UTF-8
        }
    }
    if (ThousandSeparator == DecimalSeparator) {
        ThousandSeparator = DecimalSeparator == ',' ? '.' : ',';
    }
}

NumberSeparators CurrentSeparators() {
    return {DecimalSeparator, ThousandSeparator, CurrencyString};
}

std::string FormatNumber(double value, TFloatFormat format, int precision, int digits) {
    return FormatNumber(value, format, precision, digits, CurrentSeparators());
}

std::string FormatNumber(double value, TFloatFormat format, int precision, int digits,
                         const NumberSeparators& sep) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    precision = std::clamp(precision, 1, 17);
    const bool negative = std::signbit(value);
    const double a = std::fabs(value);
    std::string text;
    bool zero = a == 0;
    switch (format) {
    case ffExponent:
        text = Exponent(a, precision, std::clamp(digits, 0, 4), sep);
        break;
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
        FixedParts parts;
        if (Fixed(a, precision, std::clamp(digits, 0, 18), parts)) {
            zero = AllZero(parts);
            text = Join(parts, format != ffFixed, sep);
            if (format == ffCurrency && !sep.currency.empty()) text += ' ' + sep.currency;
        } else {
            text = General(a, precision, 0, sep);
        }
        break;
    }
    case ffGeneral:
    default:
        text = General(a, precision, std::clamp(digits, 0, 4), sep);
        break;
    }
    if (negative && !zero) text.insert(0, 1, '-');
    return text;
}

std::string FormatG(double value, int precision) {
    return FormatG(value, precision, CurrentSeparators());
}

std::string FormatG(double value, int precision, const NumberSeparators& sep) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general,
                                   std::clamp(precision, 0, 17));
    std::string text(buf, res.ptr);
    std::replace(text.begin(), text.end(), '.', sep.decimal);
    return text;
}

bool ParseNumber(std::string_view text, double& out) {
    text = Trim(text);
    // Rewrite the number in C notation for from_chars, checking its form
    // on the way: sign, digits, one separator, exponent.
    std::string c;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') c.push_back('-');
        ++i;
    }
    int mantissaDigits = 0;
    bool separator = false;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (IsDigit(ch)) {
            c.push_back(ch);
            ++mantissaDigits;
        } else if (ch == DecimalSeparator && !separator) {
            c.push_back('.');
            separator = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        c.push_back('e');
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) c.push_back(text[i++]);
        int exponentDigits = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            c.push_back(text[i]);
            ++exponentDigits;
        }
        if (exponentDigits == 0) return false;
    }
    if (i != text.size()) return false;
    double v = 0;
    const char* end = c.data() + c.size();
    const auto res = std::from_chars(c.data(), end, v);
    if (res.ec != std::errc() || res.ptr != end || !std::isfinite(v)) return false;
    out = v;
    return true;
}

bool ParseInteger(std::string_view text, int32_t& out) {
    text = Trim(text);
    // One optional sign: from_chars takes a '-' itself, never a '+'.
    const bool plus = !text.empty() && text.front() == '+';
    if (plus) text.remove_prefix(1);
    const size_t first = !plus && !text.empty() && text.front() == '-' ? 1 : 0;
    if (first >= text.size() || !IsDigit(text[first])) return false;
    int32_t v = 0;
    const char* end = text.data() + text.size();
    const auto res = std::from_chars(text.data(), end, v);
    if (res.ec != std::errc() || res.ptr != end) return false;
    out = v;
    return true;
}

} // namespace tavro
