#include "shell/texts/languages.h"

#include "shell/settings/ini_file.h"
#include "shell/settings/shell_settings.h"

#include <algorithm>
#include <cstdlib>

namespace tavro {

uint8_t CurrentLanguage = kEnglish;
int UiCodePage = 1254;

namespace {

constexpr std::array<LanguageInfo, 8> kLanguages = {{
    {kGerman, "Deutsch", true, 162, 1254},
    {kEnglish, "English", true, 162, 1254},
    {kFrench, "Francais", true, 162, 1254},
    {kSpanish, "Español", false, 162, 1254},
    {kCzech, "Czech", false, 238, 1250},
    {kPolish, "Polski", true, 238, 1250},
    {kChinese, "Chinese", true, 134, 936},
    {kRussian, "Russian", true, 204, 1251},
}};

} // namespace

namespace {

struct LanguageCodeName {
    std::string_view name;
    int language;
};
constexpr LanguageCodeName kLanguageCodes[] = {{"de", kGerman}, {"en", kEnglish}, {"fr", kFrench},
                                               {"pl", kPolish}, {"zh", kChinese}, {"ru", kRussian}};

} // namespace

int LanguageFromCode(std::string_view code) {
    for (const LanguageCodeName& l : kLanguageCodes) {
        if (l.name == code) return l.language;
    }
    return 0;
}

std::string_view LanguageCodeOf(int language) {
    for (const LanguageCodeName& l : kLanguageCodes) {
        if (l.language == language) return l.name;
    }
    return {};
}

bool IsAvailableLanguage(int code) {
    return std::find(AvailableLanguages.begin(), AvailableLanguages.end(), code) !=
           AvailableLanguages.end();
}

LanguageInfo LanguageInfoFor(int code) {
    for (const LanguageInfo& l : kLanguages) {
        if (l.code == code) return l;
    }
    return {static_cast<uint8_t>(code), "", false, 162, 1254};
}

int DetectUserLanguage() {
    std::string locale;
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(var);
        if (v != nullptr && *v != '\0') {
            locale = v;
            break;
        }
    }
    const std::string lang = locale.substr(0, locale.find_first_of("_.@"));
    if (lang == "de") return kGerman;
    if (lang == "fr") return kFrench;
    if (lang == "pl") return kPolish;
    if (lang == "zh") return kChinese;
    if (lang == "ru") return kRussian;
    return kEnglish;
}

int ReadStartLanguage(const std::string& fileName, const std::string& section,
                      const std::string& key) {
    int code = 0;
    try {
        const TIniDatei ini(fileName, "#");
        code = ini.ReadInteger(section, key, 0) & 0xFF;
    } catch (...) {
        code = 0;
    }
    if (code == 0 || !IsAvailableLanguage(code)) code = DetectUserLanguage();
    if (!IsAvailableLanguage(code)) code = kEnglish;
    return code;
}

void StoreLanguage(int code) {
    try {
        TIniDatei ini(kSettingsFileName, "#");
        ini.WriteInteger("Global", kLanguageKey, code);
    } catch (...) {
    }
}

} // namespace tavro
