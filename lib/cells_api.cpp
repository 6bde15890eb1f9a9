// The cells of the four result tables of a record through the C interface,
// in the units, language and separators the caller passes in.

#include "lib/boundary.h"

#include "cli/command_support.h"
#include "lib/record_handle.h"
#include "physics/numeric/separator_rules.h"
#include "product/model/result_rows.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"

namespace tavro::lib {
namespace {

struct LanguageCode {
    std::string_view code;
    int language;
};
constexpr LanguageCode kLanguages[] = {{"en", kEnglish}, {"de", kGerman},  {"fr", kFrench},
                                       {"pl", kPolish},  {"zh", kChinese}, {"ru", kRussian}};

ShowOptions Options(const char* units, const char* language, const char* separators) {
    ShowOptions options;
    const std::string_view u = RequireText(units, "units");
    if (u != "si" && u != "ip") throw StatusError(TAVRO_BAD_ARGUMENT, "units: si or ip");
    options.si = u == "si";
    const std::string_view lang = RequireText(language, "language");
    bool found = false;
    for (const LanguageCode& l : kLanguages) {
        if (l.code == lang) {
            options.language = l.language;
            found = true;
        }
    }
    if (!found) {
        throw StatusError(TAVRO_UNKNOWN_NAME, "language: en, de, fr, pl, zh or ru, not '" +
                                                  cli::Printable(lang, 60) + "'");
    }
    const std::string_view sep = RequireText(separators, "separators");
    NumberSeparators s;
    s.decimal = sep.empty() ? '\0' : sep[0];
    s.thousands = sep.size() > 1 ? sep[1] : '\0';
    if (sep.empty() || sep.size() > 2 || !AreSeparatorsAllowed(s.decimal, s.thousands)) {
        throw StatusError(TAVRO_BAD_ARGUMENT,
                          "separators: a decimal separator and an optional thousands separator "
                          "(no letter, digit or sign, not the same)");
    }
    options.separators = s;
    return options;
}

} // namespace
} // namespace tavro::lib

using namespace tavro;
using namespace tavro::lib;

extern "C" int tavro_record_cells(tavro_record* record, tavro_record* summer, const char* units,
                                  const char* language, const char* separators, int eu, int hclass,
                                  int dp_limit, char** json) {
    if (record == nullptr) return TAVRO_BAD_ARGUMENT;
    return Guard(&record->error, [&] {
        RequirePointer(json, "the result pointer");
        const ShowOptions options = Options(units, language, separators);
        if (dp_limit < 1 || dp_limit > 100000) {
            throw StatusError(TAVRO_BAD_ARGUMENT, "dp_limit: from 1 to 100000 Pa");
        }
        const ShownFlags flags{eu != 0, hclass != 0, dp_limit};
        cli::Json result = {{"library_version", TAVRO_VERSION_STRING},
                            {"format_version", TAVRO_FORMAT_VERSION}};
        for (ShownTable table : kShownTables) {
            result[std::string(ShownTableName(table))] =
                ShownCells(table, record->record, summer != nullptr ? &summer->record : nullptr,
                           flags, options);
        }
        *json = CopyOut(result.dump(-1, ' ', false, cli::Json::error_handler_t::replace));
    });
}
