#include "cli/command_support.h"

#include "physics/records.h"
#include "product/catalogue/catalogue.h"
#include "product/model/frost_messages.h"
#include "product/model/limit_check.h"
#include "shell/texts/languages.h"

#include <algorithm>
#include <array>
#include <optional>
#include <ostream>
#include <utility>

namespace tavro::cli {

namespace {

int ParseLanguage(std::string_view text) {
    if (const int language = LanguageFromCode(text); language != 0) return language;
    int code = 0;
    try {
        code = ParseInteger("check: lang", text, 0, 255);
    } catch (const UsageError&) {
        code = 0;
    }
    if (!IsAvailableLanguage(code)) {
        throw UsageError("check: lang: '" + Printable(text, 60) +
                         "' is not a language (de, en, fr, pl, zh, ru or 1, 2, 3, 7, 8, 9)");
    }
    return code;
}

const char* ClassName(int number) {
    return LimitMessageClass(number) == LimitClass::error ? "error" : "warning";
}

} // namespace

Outcome RunCheck(std::span<const std::string_view> args, bool json, std::ostream& out) {
    TDatenREK record;
    int design = kDesignBare;
    int dpLimit = 0; // 0: the limit of the record's edge and series
    ShowOptions options;
    bool frost = true; // the desktop program's option is on by default
    for (std::string_view arg : args) {
        const auto [key, value] = SplitAssignment("check", arg);
        if (key == "design") {
            design = ParseDesign("check: design", value);
        } else if (key == "dplimit") {
            dpLimit = ParseInteger("check: dplimit", value, 1, 1000000);
        } else if (key == "frost") {
            frost = ParseInteger("check: frost", value, 0, 1) == 1;
        } else if (key == "lang") {
            options.language = ParseLanguage(value);
        } else {
            SetRecordArgument(record, key, value, "check");
        }
    }
    // The pressure-drop limit the desktop program takes for a unit.
    if (dpLimit == 0) dpLimit = DpLimit(std::clamp<int>(record.Series, 1, 4), record.Edge);
    record.CalculateAll();
    const std::optional<FrostCheck> check =
        frost ? TryCheckFrost(record) : std::optional<FrostCheck>();
    const FrostCheck* frostCheck = check ? &*check : nullptr;
    const LimitResult result = LimitCheck(record, design, dpLimit, frostCheck);
    if (json) {
        Json messages = Json::array();
        for (int n : result.messages) {
            messages.push_back({{"number", n},
                                {"class", ClassName(n)},
                                {"text", LimitMessageText(n, options, frostCheck)}});
        }
        const Json j = {{"messages", messages},
                        {"error", result.hasError},
                        {"design", design},
                        {"dplimit", dpLimit},
                        {"Status", record.Status}};
        out << j.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
    } else {
        for (int n : result.messages)
            out << n << '\t' << ClassName(n) << '\t' << LimitMessageText(n, options, frostCheck)
                << '\n';
    }
    if (result.hasError) return {kExitLimitError, {}};
    if (record.Status != 0) {
        return {kExitFault,
                "check: the calculation failed (Status=" + std::to_string(record.Status) +
                    "); the messages judge the values computed before the fault"};
    }
    return {};
}

} // namespace tavro::cli
