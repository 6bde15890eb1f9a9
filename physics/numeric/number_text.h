#pragma once

// Locale-independent number text for files, the command line and
// diagnostics: always a decimal point, whatever locale the process runs in
// (Qt sets the C locale from the environment).

#include <cstdint>
#include <string>
#include <string_view>

namespace tavro {

/// Formats a double with 17 significant digits in C notation ("nan", "inf"
/// and "-inf" for non-finite values).
std::string FormatDouble17(double v);

/// Parses a whole string as a double in C notation; a leading '+' is
/// accepted. Returns false for empty text, trailing characters, "nan",
/// "inf" or a value out of range; out is then unspecified.
bool ParseDouble(std::string_view text, double& out);

/// Parses a whole string as a decimal int32; a leading '+' is accepted.
/// Returns false for empty text, other characters or a value out of range;
/// out is then unchanged.
bool ParseInt32(std::string_view text, int32_t& out);

} // namespace tavro
