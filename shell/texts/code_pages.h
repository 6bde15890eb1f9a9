#pragma once

// Conversion between Unicode and the 8-bit Windows code pages of the
// languages (1250 East European, 1251 Cyrillic, 1254 Western/Turkish, 936
// simplified Chinese GBK), done with iconv. The texts of the program travel
// as 8-bit strings in the code page of the current language.

#include <string>
#include <string_view>

namespace tavro {

/// Converts UTF-16 text into code page `codePage`. Characters the code page
/// lacks, and unpaired surrogates, become its default character '?'. An
/// unknown code page gives an empty string.
std::string WideToCodePage(std::u16string_view text, int codePage);

/// Converts 8-bit text in code page `codePage` to UTF-8. Bytes that are not
/// valid in the code page become U+FFFD. An unknown code page gives an
/// empty string.
std::string CodePageToUtf8(std::string_view text, int codePage);

/// Converts UTF-8 to UTF-16; invalid sequences become U+FFFD.
std::u16string Utf8ToWide(std::string_view text);

/// Cuts 8-bit text of code page `codePage` to at most maxBytes bytes without
/// splitting a two-byte character of code page 936.
std::string CutToBytes(std::string text, size_t maxBytes, int codePage);

} // namespace tavro
