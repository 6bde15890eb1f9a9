#pragma once

// How the product model shows a figure or a text: unit system, language and
// separators, passed in by the caller so that nothing depends on the
// process's settings (the window passes its own, the command line and other
// threads theirs).

#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"

#include <string>

namespace tavro {

struct ShowOptions {
    bool si = true;              ///< SI units, else inch-pound
    int language = kEnglish;     ///< one of AvailableLanguages
    NumberSeparators separators; ///< decimal and thousands separators
};

/// `value` with `decimals` decimals (clamped to 0 ... 18) and the options'
/// separators, grouped in thousands when `thousands` is set: the form of
/// every figure in the result tables and messages. NaN gives "NAN",
/// infinities "INF" and "-INF".
std::string ShownNumber(double value, int decimals, const ShowOptions& options,
                        bool thousands = false);

/// Text n of the options' language in UTF-8; empty when there is none.
std::string ShownText(int n, const ShowOptions& options);

} // namespace tavro
