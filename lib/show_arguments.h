#pragma once

// The display arguments the C interface takes as texts: unit system,
// language and separators.

#include "product/model/show_options.h"

namespace tavro::lib {

/// The options of `units` ("si" or "ip"), `language` ("en", "de", "fr",
/// "pl", "zh", "ru") and `separators` (a decimal separator and an optional
/// thousands separator). Throws StatusError: bad argument for NULL, another
/// unit system or separators that are not allowed; unknown name for
/// another language.
ShowOptions ShowArguments(const char* units, const char* language, const char* separators);

} // namespace tavro::lib
