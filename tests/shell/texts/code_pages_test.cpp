#include "shell/texts/code_pages.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

TEST(CodePages, EachLanguageGroupConverts) {
    EXPECT_EQ(WideToCodePage(u"Höhe über NN", 1254), "H\xF6he \xFC"
                                                     "ber NN");
    EXPECT_EQ(WideToCodePage(u"Spadek ciśnienia", 1250), "Spadek ci\x9Cnienia");
    EXPECT_EQ(WideToCodePage(u"Расход", 1251), "\xD0\xE0\xF1\xF5\xEE\xE4");
    EXPECT_EQ(WideToCodePage(u"风量", 936), "\xB7\xE7\xC1\xBF");
}

TEST(CodePages, MissingCharactersBecomeTheDefaultCharacter) {
    EXPECT_EQ(WideToCodePage(u"a风b", 1254), "a?b");
    EXPECT_EQ(WideToCodePage(u"x\U0001F600y", 1251), "x?y"); // a surrogate pair is one character
    EXPECT_EQ(WideToCodePage(u"x\xD800y", 1254), "x?y");     // an unpaired surrogate
    EXPECT_EQ(WideToCodePage(u"abc", 437), "");              // not a code page of the languages
}

TEST(CodePages, RoundTripThroughUtf8) {
    const struct {
        std::string_view utf8;
        int codePage;
    } cases[] = {{"Rückwärmzahl", 1254},
                 {"Récupération de chaleur", 1254},
                 {"Sprawność temperaturowa", 1250},
                 {"Температурная эффективность", 1251},
                 {"温度效率 m3/h", 936}};
    for (const auto& c : cases) {
        const std::string bytes = WideToCodePage(Utf8ToWide(c.utf8), c.codePage);
        EXPECT_EQ(CodePageToUtf8(bytes, c.codePage), c.utf8);
    }
}

TEST(CodePages, Utf8DecodingReplacesInvalidSequences) {
    EXPECT_EQ(Utf8ToWide("a\xC3\xB6"), u"aö");
    EXPECT_EQ(Utf8ToWide("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(Utf8ToWide("a\xFF"
                         "b"),
              u"a\xFFFD"
              "b");
    EXPECT_EQ(Utf8ToWide("\xE2\x82"), u"\xFFFD\xFFFD"); // truncated
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), u"\xFFFD\xFFFD"); // overlong
}

// Fixed fault: a GBK text cut at exactly 255 bytes could end in half a
// character; the cut now falls before it.
TEST(CodePages, ChineseCutNeverSplitsACharacter) {
    std::u16string chinese(200, u'中');
    const std::string gbk = WideToCodePage(chinese, 936);
    ASSERT_EQ(gbk.size(), 400u);
    const std::string cut = CutToBytes(gbk, 255, 936);
    EXPECT_EQ(cut.size(), 254u); // 127 whole characters
    EXPECT_EQ(CodePageToUtf8(cut, 936).find("\xEF\xBF\xBD"), std::string::npos);
    const std::string odd = CutToBytes(WideToCodePage(u"a" + chinese, 936), 255, 936);
    EXPECT_EQ(odd.size(), 255u); // one ASCII letter and 127 characters fill it exactly
    // Western code pages cut at the byte.
    EXPECT_EQ(CutToBytes(std::string(300, 'x'), 255, 1254).size(), 255u);
    EXPECT_EQ(CutToBytes("short", 255, 936), "short");
}

} // namespace
} // namespace tavro
