#pragma once

// Numbers as the user sees and types them: the process-wide decimal and
// thousands separators, formatting in the five float formats of the input
// fields, and parsing with the process's decimal separator. Independent of
// the C and C++ locales (the separators are the only national setting).

#include "physics/numeric/errors.h"
#include "physics/numeric/separator_rules.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tavro {

/// The decimal separator of every number shown or typed in the program.
/// Characters are bytes in UiCodePage.
inline char DecimalSeparator = '.';
/// The thousands separator of the number and currency formats; '\0' means
/// no grouping.
inline char ThousandSeparator = ',';
/// The currency symbol of the currency format (UiCodePage); empty means
/// none.
inline std::string CurrencyString;

/// Takes both separators from the C library's current LC_NUMERIC locale
/// (the caller sets the locale first, e.g. setlocale(LC_ALL, "")). A
/// separator the locale does not give as one byte is kept, except that a
/// multi-byte thousands separator (a no-break space) becomes a blank; when
/// both would end up equal, the thousands separator becomes the other of
/// '.' and ','.
void SeparatorsFromLocale();

/// The separators and currency symbol a number is formatted with, for
/// callers that must not depend on the process's settings (the command
/// line, the product model, other threads).
struct NumberSeparators {
    char decimal = '.';
    char thousands = ','; ///< '\0': no grouping
    std::string currency;
};

/// The process's current separators and currency symbol.
NumberSeparators CurrentSeparators();

/// The float formats of the input fields.
enum TFloatFormat : int {
    ffGeneral = 0,  ///< shortest of fixed and scientific, `precision` significant digits
    ffExponent = 1, ///< d.dddE+xx with `precision` digits and at least `digits` exponent digits
    ffFixed = 2,    ///< `digits` decimals, at most `precision` significant digits
    ffNumber = 3,   ///< like ffFixed with thousands separators
    ffCurrency = 4, ///< like ffNumber followed by a blank and CurrencyString
};

/// Formats `value` with the process's separators.
/// - ffGeneral: rounded to `precision` significant digits (1 ... 17),
///   trailing zeros dropped; scientific ("1.5E-7", "1E20", exponent with at
///   least `digits` digits, 0 ... 4) when the decimal exponent is below -4
///   or at least `precision`, fixed notation otherwise.
/// - ffExponent: "-d.dddE+dd": `precision` significant digits, the
///   exponent always signed with at least `digits` digits.
/// - ffFixed, ffNumber, ffCurrency: `digits` decimals (0 ... 18), rounded
///   to at most `precision` significant digits and padded with zeros; a
///   value with more than `precision` integer digits is shown as ffGeneral.
/// A result that rounds to zero carries no minus sign. NaN gives "NAN",
/// infinities "INF" and "-INF".
std::string FormatNumber(double value, TFloatFormat format, int precision, int digits);
/// The same with the given separators instead of the process's.
std::string FormatNumber(double value, TFloatFormat format, int precision, int digits,
                         const NumberSeparators& separators);

/// `value` as C's "%.<precision>g" would give it ("1e+06", "0.0001",
/// "1100"), with DecimalSeparator instead of the point. Used to fill the
/// "%g" placeholders of the texts.
std::string FormatG(double value, int precision = 6);
/// The same with the given decimal separator instead of the process's.
std::string FormatG(double value, int precision, const NumberSeparators& separators);

/// Parses a floating-point number written with DecimalSeparator: optional
/// blanks, an optional sign, digits with at most one decimal separator (at
/// least one digit), an optional exponent ("e" or "E", optional sign,
/// digits), optional blanks. Thousands separators, a point when the
/// separator is another character, "nan", "inf" and values beyond the range
/// of a double are not numbers. Returns false then; `out` is unchanged.
bool ParseNumber(std::string_view text, double& out);

/// Parses a whole number of the int32 range: optional blanks, an optional
/// sign, decimal digits, optional blanks. Returns false otherwise; `out` is
/// unchanged.
bool ParseInteger(std::string_view text, int32_t& out);

/// A text that was read as a number and is none.
class ConversionError : public Error {
public:
    using Error::Error;
};

} // namespace tavro
