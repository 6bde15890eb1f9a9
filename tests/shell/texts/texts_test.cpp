#include "shell/texts/texts.h"

#include "shell/texts/code_pages.h"
#include "shell/texts/languages.h"
#include "shell/texts/resources.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

namespace tavro {
namespace {

// Every text number the program uses.
constexpr int kUsedTexts[] = {
    1,   2,   3,   4,   9,   10,  11,  12,  13,  14,  15,  16,  17,  19,  22,  24,  25,  26,
    28,  29,  33,  38,  39,  41,  42,  43,  47,  48,  49,  51,  53,  54,  55,  56,  64,  65,
    66,  91,  92,  93,  98,  99,  100, 101, 103, 104, 105, 106, 107, 108, 109, 110, 120, 121,
    122, 123, 126, 127, 134, 135, 136, 137, 139, 140, 141, 142, 143, 145, 146, 148, 149, 150,
    151, 152, 153, 155, 156, 157, 158, 159, 160, 161, 163, 164, 165, 166, 167, 168, 169, 173,
    174, 175, 176, 177, 180, 181, 183, 185, 186, 187, 192, 193, 194, 207, 208, 209, 210, 211,
    272, 273, 327, 328, 337, 338, 350, 360, 389, 390, 391, 410, 411, 412, 439, 440, 441, 442,
    474, 509, 510, 524, 560, 566, 567, 600, 601, 602, 620};

// Switches the language (and its code page) for one test.
class LanguageScope {
public:
    explicit LanguageScope(int code) : language_(CurrentLanguage), codePage_(UiCodePage) {
        CurrentLanguage = static_cast<uint8_t>(code);
        UiCodePage = LanguageInfoFor(code).codePage;
    }
    ~LanguageScope() {
        CurrentLanguage = language_;
        UiCodePage = codePage_;
    }

private:
    uint8_t language_;
    int codePage_;
};

TEST(Texts, EveryUsedNumberExistsInAllSixLanguages) {
    for (int language : AvailableLanguages) {
        for (int n : kUsedTexts) {
            EXPECT_FALSE(TableText(10000 + 1000 * language + n).empty())
                << "text " << n << " of language " << language;
        }
    }
}

TEST(Texts, GermanAndEnglishWording) {
    {
        LanguageScope de(kGerman);
        EXPECT_EQ(GetText(105), "Bitte eine Zahl zwischen %g und %g eingeben");
        EXPECT_EQ(GetText(2), "H\xF6he \xFC"
                              "ber NN"); // code page 1254
        EXPECT_EQ(UiToUtf8(GetText(151)), "Schließen");
    }
    LanguageScope en(kEnglish);
    EXPECT_EQ(GetText(105), "Please enter a number between %g and %g");
    EXPECT_EQ(GetText(136), "Type");
    EXPECT_EQ(UiToUtf8(GetText(410)), "m³/h");
}

TEST(Texts, EveryTextSurvivesItsCodePage) {
    // No character of any text is lost to the code page of its language.
    for (int language : AvailableLanguages) {
        LanguageScope scope(language);
        for (int n : kUsedTexts) {
            const std::u16string wide = TableText(10000 + 1000 * language + n);
            const std::string ui = GetText(n);
            EXPECT_LE(ui.size(), 255u);
            EXPECT_EQ(Utf8ToWide(UiToUtf8(ui)), wide) << "text " << n << " of " << language;
        }
    }
}

TEST(Texts, MissingEntriesAndLanguagesGiveEmptyTexts) {
    LanguageScope en(kEnglish);
    EXPECT_EQ(GetText(5), "");
    EXPECT_EQ(GetText(0), "");
    EXPECT_EQ(GetText(-3), "");
    LanguageScope es(kSpanish);
    EXPECT_EQ(GetText(105), "");
}

TEST(Texts, TextInAnyLanguageWithoutTheCurrentOne) {
    LanguageScope en(kEnglish);
    for (int language : AvailableLanguages) {
        LanguageScope current(language);
        const std::string shown = UiToUtf8(GetText(105));
        for (int other : AvailableLanguages) {
            if (other == language) {
                EXPECT_EQ(TextIn(105, other), shown) << language;
            } else {
                EXPECT_NE(TextIn(105, other), shown) << language << " " << other;
            }
        }
    }
    EXPECT_EQ(TextIn(105, kSpanish), "");
    EXPECT_EQ(TextIn(5, kEnglish), "");
    EXPECT_EQ(TextIn(105, 255), "");
}

// The product description of `language` (resource 3300 + language) as
// lines of UTF-16 text.
std::vector<std::u16string> DescriptionLines(int language) {
    const std::span<const uint8_t> bytes = ResourceBytes(3300 + language);
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) // after the byte-order mark
        text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    std::vector<std::u16string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find(u"\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::u16string::npos) break;
        start = end + 2;
    }
    return lines;
}

TEST(Descriptions, NoParagraphBreakInMidSentence) {
    // An empty line among the body lines (2 to 30) ends a paragraph, so the
    // line before it ends a sentence.
    const std::u16string ends = u".:!?)\u3002\uFF1A\uFF01\uFF09";
    for (int language : {kGerman, kEnglish, kFrench, kCzech, kPolish, kChinese, kRussian}) {
        const auto lines = DescriptionLines(language);
        ASSERT_EQ(lines.size(), 42u) << language;
        for (size_t i = 2; i < 30; ++i) {
            if (!lines[i].empty() || lines[i - 1].empty()) continue;
            const char16_t last = lines[i - 1].back();
            EXPECT_NE(ends.find(last), std::u16string::npos)
                << "description " << 3300 + language << ": empty line " << i + 1 << " after \""
                << UiToUtf8(WideToUi(lines[i - 1])) << "\"";
        }
    }
}

TEST(Texts, EachLanguageNamesAQuantityOneWayInTextsAndDescription) {
    // Words a language no longer uses, because the text table and the
    // description name the same thing otherwise.
    const struct {
        int language;
        const char* word;
        const char* instead;
    } avoided[] = {
        {kFrench, "repris", "air extrait (EN 16798-3)"},
        {kFrench, "volumique normale", "masse volumique standard, as text 24"},
        {kPolish, "Wilgotność bezwzględna", "zawartość wilgoci (g/kg), as the chart"},
        {kPolish, "kondensatu", "skropliny"},
        {kPolish, "karty danych", "karta techniczna, as text 159"},
        {kPolish, " .. ", "od %s do %s"},
        {kRussian, "паспорт", "технический лист, as text 159"},
        {kRussian, "Потеря давления", "потери давления"},
        {kRussian, "теплообменник", "рекуператор"},
        {kRussian, " мм", "mm, as the unit columns and lists"},
        {kRussian, " .. ", "от %s до %s"},
        {kChinese, "回风", "排风 (GB 50736)"},
        {kChinese, "绝对湿度", "含湿量 (g/kg), as the chart"},
        {kChinese, "热交换器", "换热器, as text 65"},
        {kChinese, "板组", "芯体, as text 92"},
        {kChinese, "（", "one kind of bracket in the table: ASCII"},
        {kChinese, " .. ", "%s 至 %s"},
    };
    for (const auto& a : avoided) {
        LanguageScope scope(a.language);
        const std::u16string word = Utf8ToWide(a.word);
        for (int n : kUsedTexts) {
            EXPECT_EQ(TableText(10000 + 1000 * a.language + n).find(word), std::u16string::npos)
                << "text " << n << " of language " << a.language << " uses \"" << a.word
                << "\"; instead: " << a.instead;
        }
        if (word == u"\uFF08") continue; // the description's prose keeps full-width brackets
        const auto lines = DescriptionLines(a.language);
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].find(word), std::u16string::npos)
                << "description " << 3300 + a.language << " line " << i + 1 << " uses \"" << a.word
                << "\"; instead: " << a.instead;
        }
    }
}

TEST(Languages, TableOfCharsetsAndCodePages) {
    EXPECT_EQ(LanguageInfoFor(kPolish).charset, 238);
    EXPECT_EQ(LanguageInfoFor(kPolish).codePage, 1250);
    EXPECT_EQ(LanguageInfoFor(kChinese).codePage, 936);
    EXPECT_EQ(LanguageInfoFor(kRussian).charset, 204);
    EXPECT_EQ(LanguageInfoFor(kGerman).codePage, 1254);
    EXPECT_EQ(LanguageInfoFor(kCzech).codePage, 1250);
    EXPECT_FALSE(LanguageInfoFor(kCzech).hasTexts);
    EXPECT_EQ(LanguageInfoFor(5).charset, 162);
    EXPECT_EQ(LanguageInfoFor(0).codePage, 1254);
    EXPECT_FALSE(IsAvailableLanguage(4));
    EXPECT_TRUE(IsAvailableLanguage(8));
}

// Every available language has a two-letter code that leads back to it;
// nothing else has one.
TEST(Languages, TwoLetterCodesRoundTrip) {
    for (uint8_t language : AvailableLanguages) {
        EXPECT_EQ(LanguageFromCode(LanguageCodeOf(language)), language);
    }
    EXPECT_EQ(LanguageFromCode("ru"), kRussian);
    EXPECT_TRUE(LanguageCodeOf(kCzech).empty());
    EXPECT_EQ(LanguageFromCode("DE"), 0);
    EXPECT_EQ(LanguageFromCode(""), 0);
}

TEST(Languages, DetectedFromTheSessionLocale) {
    const struct {
        const char* all;
        const char* messages;
        const char* lang;
        int expected;
    } cases[] = {
        {"ru_RU.UTF-8", nullptr, "de_DE", kRussian},
        {nullptr, "fr_FR", "de_DE", kFrench},
        {"", "", "pl_PL.UTF-8", kPolish},
        {nullptr, nullptr, "zh_CN.GB2312", kChinese},
        {nullptr, nullptr, "de", kGerman},
        {nullptr, nullptr, "de_AT@euro", kGerman},
        {nullptr, nullptr, "nl_NL.UTF-8", kEnglish},
        {nullptr, nullptr, "C", kEnglish},
        {nullptr, nullptr, nullptr, kEnglish},
    };
    for (const auto& c : cases) {
        test::EnvOverride all("LC_ALL", c.all);
        test::EnvOverride messages("LC_MESSAGES", c.messages);
        test::EnvOverride lang("LANG", c.lang);
        EXPECT_EQ(DetectUserLanguage(), c.expected) << (c.lang ? c.lang : "(none)");
    }
}

class StartLanguage : public testing::Test {
protected:
    void Store(const std::string& content) {
        std::filesystem::create_directories(home_.SettingsFolder());
        test::WriteFile(home_.SettingsFile(), content);
    }
    int Start() { return ReadStartLanguage("Zelvanor.ini", "GLOBAL", "Language"); }

    test::TempConfigHome home_;
    test::EnvOverride all_{"LC_ALL", nullptr};
    test::EnvOverride messages_{"LC_MESSAGES", nullptr};
    test::EnvOverride lang_{"LANG", "ru_RU.UTF-8"};
};

TEST_F(StartLanguage, WithoutAFileTheSessionLanguageIsTaken) {
    EXPECT_EQ(Start(), kRussian);
    test::EnvOverride dutch("LANG", "nl_NL.UTF-8");
    EXPECT_EQ(Start(), kEnglish);
}

TEST_F(StartLanguage, StoredLanguageAndItsFallbacks) {
    Store("[GLOBAL]\nLanguage=7\n");
    EXPECT_EQ(Start(), kPolish);
    Store("[Global]\nlanguage=258\n"); // only the low byte counts; names ignore case
    EXPECT_EQ(Start(), kEnglish);
    Store("[GLOBAL]\nLanguage=4\n"); // Spanish has no texts: the session language
    EXPECT_EQ(Start(), kRussian);
    Store("[GLOBAL]\nLanguage=6\n");
    EXPECT_EQ(Start(), kRussian);
    Store("[GLOBAL]\nLanguage=abc\n");
    EXPECT_EQ(Start(), kRussian);
}

TEST_F(StartLanguage, StoredLanguageIsReadBack) {
    StoreLanguage(kChinese);
    EXPECT_EQ(Start(), kChinese);
    StoreLanguage(kFrench);
    EXPECT_EQ(Start(), kFrench);
}

TEST_F(StartLanguage, StoringIntoAnUnwritableFolderIsIgnored) {
    // A regular file where the settings folder should be: nothing can be
    // created below it, not even by root.
    test::WriteFile(home_.SettingsFolder(), "not a folder");
    EXPECT_NO_THROW(StoreLanguage(kGerman));
    EXPECT_EQ(Start(), kRussian);
}

} // namespace
} // namespace tavro
