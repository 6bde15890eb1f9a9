// The display arguments of the C interface: unit system, language and
// separators as texts.

#include "lib/show_arguments.h"

#include "cli/command_support.h"
#include "lib/boundary.h"
#include "physics/numeric/separator_rules.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"

namespace tavro::lib {

ShowOptions ShowArguments(const char* units, const char* language, const char* separators) {
    ShowOptions options;
    const std::string_view u = RequireText(units, "units");
    if (u != "si" && u != "ip") throw StatusError(TAVRO_BAD_ARGUMENT, "units: si or ip");
    options.si = u == "si";
    const std::string_view lang = RequireText(language, "language");
    options.language = LanguageFromCode(lang);
    if (options.language == 0) {
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

} // namespace tavro::lib
