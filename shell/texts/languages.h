#pragma once

// Language codes, the language chosen at start and the code page and font
// character set that go with each language.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavro {

enum LanguageCode : uint8_t {
    kGerman = 1,
    kEnglish = 2,
    kFrench = 3,
    kSpanish = 4, ///< menu item and fonts only, no texts
    kCzech = 6,   ///< menu item and fonts only, no texts
    kPolish = 7,
    kChinese = 8,
    kRussian = 9,
};

/// The languages that have texts and may be chosen.
inline constexpr std::array<uint8_t, 6> AvailableLanguages = {1, 2, 3, 7, 8, 9};

/// Whether a code is one of AvailableLanguages.
bool IsAvailableLanguage(int code);

/// The available language of a two-letter code ("de", "en", "fr", "pl",
/// "zh", "ru"; lower case only), 0 for any other text.
int LanguageFromCode(std::string_view code);

/// The two-letter code of an available language, empty for any other code.
std::string_view LanguageCodeOf(int language);

/// One row of the language table.
struct LanguageInfo {
    uint8_t code;
    std::string_view menuText; ///< the language's own name in the language menu
    bool hasTexts;
    int charset; ///< font character set (162 Western, 238 East European, 134 GB 2312, 204 Cyrillic)
    int codePage; ///< 8-bit code page of its texts
};

/// The row of a code; any code not in the table gets charset 162 and code
/// page 1254 (its menu text is empty and it has no texts).
LanguageInfo LanguageInfoFor(int code);

/// The process-wide language: 2 until the start-up choice replaces it.
extern uint8_t CurrentLanguage;

/// The code page the texts are converted into; set with the fonts from
/// CurrentLanguage (ApplyLanguageFonts).
extern int UiCodePage;

/// Texts are always taken as Unicode and converted here.
inline constexpr bool UseWideTexts = true;

/// The language code of the user's session locale: the first non-empty of
/// LC_ALL, LC_MESSAGES and LANG, its language part before "_", ".", or "@":
/// de 1, fr 3, pl 7, zh 8, ru 9, anything else (or nothing) 2.
int DetectUserLanguage();

/// The language to start in: the integer stored under section/key of the
/// settings file fileName in the per-user folder (only its low byte
/// counts); the detected language when that is 0 or not available; English
/// when that is not available either. Never fails.
int ReadStartLanguage(const std::string& fileName, const std::string& section,
                      const std::string& key);

/// Stores the code under "Language" in section "Global" of "Zelvanor.ini" in
/// the per-user folder. Every error is ignored.
void StoreLanguage(int code);

} // namespace tavro
