#include "cli/command_support.h"

#include "physics/numeric/number_text.h"
#include "physics/numeric/separator_rules.h"
#include "product/catalogue/catalogue.h"
#include "shell/texts/languages.h"

#include <array>
#include <charconv>
#include <cmath>

namespace tavro::cli {

namespace {

// The inlet flows a command line can give (the flow of every AirQuant).
constexpr std::array<std::string_view, 8> kInletFlows = {"SVol11", "Vol11", "MDry11", "MAir11",
                                                         "SVol21", "Vol21", "MDry21", "MAir21"};

// The fields a calculation reads besides the inlet blocks; every other
// field outside the inlet blocks is a result that it writes.
constexpr std::array<std::string_view, 15> kInputFields = {
    "AirState", "AirQuant", "pbar",     "VolumeAt", "Series",       "Units", "Edge",       "SizeNo",
    "Width",    "PType",    "PlateGap", "GapGiven", "AirVelBypass", "Line",  "EffStandard"};

bool IsOneOf(std::string_view name, std::span<const std::string_view> names) {
    for (std::string_view n : names) {
        if (n == name) return true;
    }
    return false;
}

} // namespace

double ParseNumber(std::string_view what, std::string_view text) {
    double v = 0;
    if (!ParseDouble(text, v)) {
        throw UsageError(std::string(what) + ": '" + Printable(text, 60) + "' is not a number");
    }
    return v;
}

int ParseInteger(std::string_view what, std::string_view text, int lo, int hi) {
    long long v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (text.empty() || ec != std::errc() || ptr != end || v < lo || v > hi) {
        throw UsageError(std::string(what) + ": '" + Printable(text, 60) +
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
        throw UsageError(std::string(command) + ": '" + Printable(arg, 60) + "' is not KEY=VALUE");
    }
    return {arg.substr(0, eq), arg.substr(eq + 1)};
}

bool IsValidUtf8(std::string_view text) {
    // The JSON library's serializer decodes strictly (no overlong forms,
    // surrogates or code points above U+10FFFF) and throws on the first
    // byte that does not decode.
    try {
        (void)Json(std::string(text)).dump();
        return true;
    } catch (const Json::type_error&) {
        return false;
    }
}

bool HasControlCharacter(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) return true;
        // U+0080 to U+009F are 0xC2 0x80 to 0xC2 0x9F in UTF-8.
        if (c == 0xC2 && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if (next >= 0x80 && next <= 0x9F) return true;
        }
    }
    return false;
}

std::string Printable(std::string_view text, size_t limit) {
    const bool utf8 = IsValidUtf8(text);
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (out.size() >= limit) {
            out += "...";
            break;
        }
        const auto c = static_cast<unsigned char>(text[i]);
        const bool c1 = utf8 && c == 0xC2 && i + 1 < text.size() &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (c < 0x20 || c == 0x7F || (!utf8 && c >= 0x80) || c1) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
            if (c1) {
                const auto next = static_cast<unsigned char>(text[++i]);
                out += "\\x";
                out += kHex[next >> 4];
                out += kHex[next & 15];
            }
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

void SetRecordArgument(TDatenREK& record, const RecordField& field, std::string_view value,
                       std::string_view command) {
    const std::string what = std::string(command) + ": " + std::string(field.name);
    // The inlet blocks (…11, …21) hold the given quantities of both streams.
    const bool inlet = field.name.ends_with("11") || field.name.ends_with("21");
    if (!inlet && !IsOneOf(field.name, kInputFields)) {
        throw UsageError(what + " is a result of the calculation, not an input");
    }
    if (std::holds_alternative<std::string TDatenREK::*>(field.member)) {
        if (!IsValidUtf8(value)) throw UsageError(what + ": the text is not valid UTF-8");
        if (HasControlCharacter(value)) {
            throw UsageError(what + ": the text holds a control character (a line break, a "
                                    "tab or another one), which a text field cannot take");
        }
    }
    // Only the cross-flow line is calculated; a record of another line
    // would come back with Status 0 and no result at all.
    if (field.name == "Line" && value != "Tavro") {
        throw UsageError(what + ": '" + Printable(value, 60) +
                         "' is not calculated by this program (only Tavro)");
    }
    try {
        SetRecordField(record, field, value);
    } catch (const Error& e) {
        throw UsageError(std::string(command) + ": " + e.what());
    }
    if (IsOneOf(field.name, kInletFlows)) {
        const double flow = record.*std::get<double TDatenREK::*>(field.member);
        if (!(flow > 0 && flow <= kMaxFlow)) {
            throw UsageError(what + ": a flow must be more than 0 and at most " +
                             FormatDouble17(kMaxFlow));
        }
    }
    if (field.name == "AirVelBypass" && !BypassVelocityInRange(record.AirVelBypass)) {
        throw UsageError(what + ": the bypass velocity must be from 5 to 15 m/s");
    }
}

void SetRecordArgument(TDatenREK& record, std::string_view key, std::string_view value,
                       std::string_view command) {
    const RecordField* field = FindRecordField(key);
    if (field == nullptr) {
        throw UsageError(std::string(command) + ": unknown field '" + Printable(key, 60) + "'");
    }
    SetRecordArgument(record, *field, value, command);
}

int ParseDesign(std::string_view what, std::string_view text) {
    const int design = ParseInteger(what, text, kDesignBare, kDesignHousingBypassDamper);
    if (design !=
        DesignFromOptions(DesignHasHousing(design), DesignHasBypass(design),
                          design == kDesignBypassDamper || design == kDesignHousingBypassDamper)) {
        throw UsageError(std::string(what) + ": " + Printable(text, 60) +
                         " is not a form of design (10, 20, 25, 30, 40, 60)");
    }
    return design;
}

bool ParseFlag(std::string_view command, std::string_view key, std::string_view value) {
    if (value != "0" && value != "1") {
        throw UsageError(std::string(command) + ": " + std::string(key) + " takes 0 or 1, not '" +
                         Printable(value, 60) + "'");
    }
    return value == "1";
}

int ParseLanguageCode(std::string_view command, std::string_view value) {
    const int language = LanguageFromCode(value);
    if (language == 0) {
        throw UsageError(std::string(command) + ": lang takes en, de, fr, pl, zh or ru, not '" +
                         Printable(value, 60) + "'");
    }
    return language;
}

NumberSeparators ParseSeparators(std::string_view command, std::string_view value) {
    NumberSeparators s;
    s.decimal = value.empty() ? '\0' : value[0];
    s.thousands = value.size() > 1 ? value[1] : '\0';
    if (value.empty() || value.size() > 2 || !AreSeparatorsAllowed(s.decimal, s.thousands)) {
        throw UsageError(std::string(command) +
                         ": separators takes a decimal separator and an optional thousands "
                         "separator (no letter, digit or sign, not the same), not '" +
                         Printable(value, 60) + "'");
    }
    return s;
}

} // namespace tavro::cli
