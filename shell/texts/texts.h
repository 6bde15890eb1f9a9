#pragma once

// The numbered text table: every caption, label and message of the program
// in six languages. Text n of language L has the number 10000 + 1000·L + n.

#include <string>
#include <string_view>

namespace tavro {

/// Text n in CurrentLanguage, converted to UiCodePage, at most 255 bytes
/// (cut at a whole character in code page 936). Never fails: a missing
/// text, or any failure, gives the empty string.
std::string GetText(int n);

/// Text n of `language` in UTF-8, exactly as a window in that language
/// shows it (through the language's code page, at most 255 bytes there),
/// without reading the process's current language. Never fails: a missing
/// text, an unknown language or any failure gives the empty string.
std::string TextIn(int n, int language);

/// The Unicode text stored under resource number r (10000 + 1000·L + n),
/// or an empty string when there is none.
std::u16string TableText(int r);

/// Converts UTF-16 text to UiCodePage (characters the code page lacks
/// become '?').
std::string WideToUi(std::u16string_view text);

/// Converts text in UiCodePage back to UTF-8, for the windows to show.
std::string UiToUtf8(std::string_view text);

} // namespace tavro
