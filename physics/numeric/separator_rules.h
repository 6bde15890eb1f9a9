#pragma once

// Which characters may separate decimals and group thousands, so that a
// number written with them can never be misread. The settings file and the
// number formats share these rules.

namespace tavro {

/// Whether `c` may be the decimal separator: a printable ASCII character
/// that is no letter, no digit, no sign and no blank, so that it can never
/// be read as part of a number ('.', ',', '\'', ';' ...).
constexpr bool IsDecimalSeparatorAllowed(char c) {
    const bool digit = c >= '0' && c <= '9';
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    return c > ' ' && c < '\x7f' && !digit && !letter && c != '+' && c != '-';
}

/// Whether `c` may be the thousands separator: what the decimal separator
/// may be, the blank, or '\0' for no grouping.
constexpr bool IsThousandSeparatorAllowed(char c) {
    return c == ' ' || c == '\0' || IsDecimalSeparatorAllowed(c);
}

/// Whether the two make a usable pair: each allowed, and not the same.
constexpr bool AreSeparatorsAllowed(char decimal, char thousands) {
    return IsDecimalSeparatorAllowed(decimal) && IsThousandSeparatorAllowed(thousands) &&
           decimal != thousands;
}

} // namespace tavro
