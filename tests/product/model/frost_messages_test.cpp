#include "product/model/frost_messages.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavro {
namespace {

const ShowOptions kSI{true, kEnglish, {'.', ',', ""}};
const ShowOptions kIP{false, kEnglish, {'.', ',', ""}};
const ShowOptions kGermanSI{true, kGerman, {',', '.', ""}};

FrostCheck AtRisk(bool bypassPrevents) {
    FrostCheck c;
    c.hasLimit = true;
    c.limit = -6.3;
    c.atRisk = true;
    c.preheat = 4.2;
    c.bypassPrevents = bypassPrevents;
    c.bypassShare = bypassPrevents ? 0.345 : 1;
    return c;
}

FrostCheck WithLimit(double limit) {
    FrostCheck c;
    c.hasLimit = true;
    c.limit = limit;
    return c;
}

// The hint names the limit when the lower inlet is below -5 °C or below the
// limit, the search's floor when there is no limit and the inlet is cold,
// and nothing of frost otherwise.
TEST(FrostMessages, HintFollowsInletAndLimit) {
    struct Case {
        FrostCheck check;
        double lowerInlet;
        std::string hint;
    };
    const Case cases[] = {
        {WithLimit(-6.3), -12, "Frost limit -6.3 °C"},
        {WithLimit(-6.3), -5.5, "Frost limit -6.3 °C"},
        {WithLimit(-6.3), -5, ""},
        {WithLimit(-2), -3, "Frost limit -2.0 °C"},
        {WithLimit(-2), -2, ""},
        {WithLimit(-2), 20, ""},
        {FrostCheck{}, -12, "No frost down to -50.0 °C"},
        {FrostCheck{}, -4, ""},
        {WithLimit(-6.3), std::numeric_limits<double>::quiet_NaN(), ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FrostHint(c.check, c.lowerInlet, kSI), c.hint) << c.lowerInlet;
    }
    EXPECT_EQ(FrostHint(WithLimit(-6.3), -12, kIP), "Frost limit 20.7 °F");
    EXPECT_EQ(FrostHint(FrostCheck{}, -12, kIP), "No frost down to -58.0 °F");
    EXPECT_EQ(FrostHint(WithLimit(-6.3), -12, kGermanSI), "Einfriergrenze -6,3 °C");
}

TEST(FrostMessages, WarningCarriesLimitPreheatAndBypassInShownUnits) {
    EXPECT_EQ(FrostWarningText(AtRisk(true), kSI),
              "Frost risk below -6.3 °C outside air: preheat 4.20 kW or bypass 35 % of the "
              "outside air.");
    // Inch-pound: °F and BTU/h grouped in thousands, converted as the process
    // data converts them.
    EXPECT_EQ(FrostWarningText(AtRisk(true), kIP),
              "Frost risk below 20.7 °F outside air: preheat 14,330 BTU/h or bypass 35 % of the "
              "outside air.");
    const std::string german = FrostWarningText(AtRisk(true), kGermanSI);
    EXPECT_NE(german.find("-6,3 °C"), std::string::npos) << german;
    EXPECT_NE(german.find("4,20 kW"), std::string::npos) << german;
    // No partial bypass helps: the preheat alone, never "bypass 100 %".
    const std::string noBypass = FrostWarningText(AtRisk(false), kSI);
    EXPECT_NE(noBypass.find("preheat 4.20 kW"), std::string::npos) << noBypass;
    EXPECT_EQ(noBypass.find("100"), std::string::npos) << noBypass;
    EXPECT_EQ(FrostWarningText(WithLimit(-6.3), kSI), "");
    EXPECT_EQ(FrostWarningText(FrostCheck{}, kSI), "");
}

// Every language has the warning with its three figures in order.
TEST(FrostMessages, WarningInEveryLanguageHoldsItsFigures) {
    for (int language : {kGerman, kEnglish, kFrench, kPolish, kChinese, kRussian}) {
        const ShowOptions o{true, language, {'.', ',', ""}};
        const std::string text = FrostWarningText(AtRisk(true), o);
        const size_t limit = text.find("-6.3");
        const size_t preheat = text.find("4.20");
        const size_t bypass = text.find("35 %");
        ASSERT_NE(limit, std::string::npos) << language << ": " << text;
        ASSERT_NE(preheat, std::string::npos) << language << ": " << text;
        ASSERT_NE(bypass, std::string::npos) << language << ": " << text;
        EXPECT_LT(limit, preheat);
        EXPECT_LT(preheat, bypass);
        EXPECT_EQ(text.find("%s"), std::string::npos) << language;
        for (int n : {kTextFrostCheck, kTextFrostLimit, kTextFrostPreheat, kTextFrostBypass,
                      kTextColdestWall}) {
            EXPECT_FALSE(ShownText(n, o).empty()) << language << " text " << n;
        }
    }
}

TEST(FrostMessages, RowsShowLimitAndPreventionOnlyAtRisk) {
    const auto safe = FrostRows(WithLimit(-6.3), kSI);
    ASSERT_EQ(safe.size(), 1u);
    EXPECT_EQ(safe[0].text, kTextFrostLimit);
    EXPECT_EQ(safe[0].label, "Frost limit");
    EXPECT_EQ(safe[0].value, "-6.3");
    EXPECT_EQ(safe[0].unit, "°C");

    const auto none = FrostRows(FrostCheck{}, kIP);
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].value, "< -58.0");
    EXPECT_EQ(none[0].unit, "°F");

    const auto risk = FrostRows(AtRisk(true), kSI);
    ASSERT_EQ(risk.size(), 3u);
    EXPECT_EQ(risk[1].value, "4.20");
    EXPECT_EQ(risk[1].unit, "kW");
    EXPECT_EQ(risk[2].value, "35");
    EXPECT_EQ(risk[2].unit, "%");
    EXPECT_EQ(FrostRows(AtRisk(false), kSI)[2].value, "-");
}

// A share found to lie just above a whole percent is shown as the next one:
// the figure shown must prevent frost too.
TEST(FrostMessages, BypassShareRoundsUp) {
    FrostCheck c = AtRisk(true);
    for (auto [share, shown] : {std::pair{0.301, "31"}, {0.30, "30"}, {0.005, "1"}}) {
        c.bypassShare = share;
        EXPECT_EQ(FrostRows(c, kSI)[2].value, shown) << share;
    }
}

} // namespace
} // namespace tavro
