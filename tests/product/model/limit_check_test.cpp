#include "product/model/limit_check.h"

#include "product/model/frost_messages.h"
#include "product/model/limit_bounds.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace tavro {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A record inside every bound: winter air against room air through an
// edge of 500 mm.
TDatenREK CleanRecord() {
    TDatenREK r;
    r.Temp11 = -12;
    r.Temp21 = 22;
    r.Phi11 = 90;
    r.Phi21 = 40;
    r.X11 = 1.2;
    r.X21 = 6.6;
    r.SVol11 = 2000;
    r.SVol21 = 2000;
    r.Vel1 = 2;
    r.Vel2 = 2;
    r.Dp1 = 100;
    r.Dp2 = 100;
    r.Width = 500;
    r.Edge = 500;
    return r;
}

struct Case {
    const char* what;
    std::function<void(TDatenREK&)> change;
    int design;
    std::set<int> expected;
};

TEST(LimitCheck, EachBoundRaisesItsMessageAndItsClass) {
    const Case cases[] = {
        {"clean", [](TDatenREK&) {}, 10, {}},
        {"-30 °C is still inside", [](TDatenREK& r) { r.Temp11 = -30; }, 10, {}},
        {"too cold", [](TDatenREK& r) { r.Temp11 = -30.1; }, 10, {1}},
        {"too hot", [](TDatenREK& r) { r.Temp21 = 80.5; }, 10, {2}},
        {"negative humidity", [](TDatenREK& r) { r.Phi21 = -1; }, 10, {3}},
        {"saturated beyond 100 %", [](TDatenREK& r) { r.Phi11 = 100.1; }, 10, {4}},
        {"4.2 m/s", [](TDatenREK& r) { r.Vel2 = 4.2; }, 10, {5}},
        {"0.4 m/s", [](TDatenREK& r) { r.Vel1 = 0.4; }, 10, {5}},
        {"5.6 m/s replaces the warning", [](TDatenREK& r) { r.Vel2 = 5.6; }, 10, {6}},
        {"0.1 m/s", [](TDatenREK& r) { r.Vel1 = 0.1; }, 10, {6}},
        {"ratio 1.5 is still inside", [](TDatenREK& r) { r.SVol11 = 3000; }, 10, {}},
        {"ratio 1.67", [](TDatenREK& r) { r.SVol11 = 10000, r.SVol21 = 6000; }, 10, {7}},
        {"ratio 0.6", [](TDatenREK& r) { r.SVol11 = 1200; }, 10, {7}},
        {"ratio 2 exactly", [](TDatenREK& r) { r.SVol11 = 4000; }, 10, {8}},
        {"ratio 0.5 exactly", [](TDatenREK& r) { r.SVol11 = 1000; }, 10, {8}},
        {"ratio 2.5", [](TDatenREK& r) { r.SVol11 = 10000, r.SVol21 = 4000; }, 10, {8}},
        {"width 90 mm", [](TDatenREK& r) { r.Width = 90; }, 10, {9}},
        {"housing on edge 300", [](TDatenREK& r) { r.Edge = 300; }, 30, {10}},
        {"bypass on edge 300", [](TDatenREK& r) { r.Edge = 300; }, 20, {}},
        {"housing on edge 400", [](TDatenREK& r) { r.Edge = 400; }, 60, {}},
        {"270 Pa against 250", [](TDatenREK& r) { r.Dp2 = 270; }, 10, {11}},
        {"275 Pa is the error bound", [](TDatenREK& r) { r.Dp1 = 275; }, 10, {11}},
        {"280 Pa", [](TDatenREK& r) { r.Dp1 = 280; }, 10, {12}},
        {"151 g/kg", [](TDatenREK& r) { r.X21 = 151; }, 10, {30}},
        {"negative humidity ratio", [](TDatenREK& r) { r.X11 = -0.1; }, 10, {30}},
        {"several at once",
         [](TDatenREK& r) { r.Temp11 = -40, r.Vel1 = 4.5, r.Width = 50; },
         10,
         {1, 5, 9}},
    };
    for (const Case& c : cases) {
        TDatenREK r = CleanRecord();
        c.change(r);
        const LimitResult result = LimitCheck(r, c.design, 250);
        EXPECT_EQ(result.messages, c.expected) << c.what;
        bool error = false;
        for (int n : c.expected)
            error = error || LimitMessageClass(n) == LimitClass::error;
        EXPECT_EQ(result.hasError, error) << c.what;
    }
}

TEST(LimitCheck, WhatCannotBeJudgedIsAnError) {
    // A failed inlet stage leaves NaN behind; a zero flow makes the ratio
    // meaningless. Neither may pass as clean.
    const Case cases[] = {
        {"temperature", [](TDatenREK& r) { r.Temp21 = kNaN; }, 10, {1}},
        {"humidity", [](TDatenREK& r) { r.Phi11 = kNaN; }, 10, {3}},
        {"velocity", [](TDatenREK& r) { r.Vel2 = kNaN; }, 10, {6}},
        {"no flows", [](TDatenREK& r) { r.SVol11 = 0, r.SVol21 = 0; }, 10, {8}},
        {"no return flow", [](TDatenREK& r) { r.SVol21 = 0; }, 10, {8}},
        {"pressure drop", [](TDatenREK& r) { r.Dp1 = kNaN; }, 10, {12}},
        {"humidity ratio", [](TDatenREK& r) { r.X11 = kNaN; }, 10, {30}},
    };
    for (const Case& c : cases) {
        TDatenREK r = CleanRecord();
        c.change(r);
        const LimitResult result = LimitCheck(r, c.design, 250);
        EXPECT_EQ(result.messages, c.expected) << c.what;
        EXPECT_TRUE(result.hasError) << c.what;
    }
}

TEST(LimitCheck, ClassesOfTheMessages) {
    for (int n : LimitMessageNumbers()) {
        const bool warning = n == 5 || n == 7 || n == 11;
        EXPECT_EQ(LimitMessageClass(n), warning ? LimitClass::warning : LimitClass::error) << n;
    }
    EXPECT_EQ(LimitMessageClass(13), LimitClass::warning);
    EXPECT_EQ(LimitMessageText(13, {}), "");
    EXPECT_EQ(LimitMessageText(-1, {}), "");
}

// The frost warning joins the messages only with a frost check that finds
// the case at risk; it warns, so it never turns a clean record into an
// error nor an error into a warning.
TEST(LimitCheck, FrostWarningOnlyWithAFrostCheckAtRisk) {
    FrostCheck atRisk;
    atRisk.hasLimit = true;
    atRisk.limit = -3.2;
    atRisk.atRisk = true;
    atRisk.preheat = 4.2;
    atRisk.bypassPrevents = true;
    atRisk.bypassShare = 0.35;
    FrostCheck clear = atRisk;
    clear.atRisk = false;
    const TDatenREK clean = CleanRecord();
    EXPECT_EQ(LimitCheck(clean, 10, 250, nullptr).messages, std::set<int>{});
    EXPECT_EQ(LimitCheck(clean, 10, 250, &clear).messages, std::set<int>{});
    LimitResult r = LimitCheck(clean, 10, 250, &atRisk);
    EXPECT_EQ(r.messages, std::set<int>{kFrostWarning});
    EXPECT_FALSE(r.hasError);
    TDatenREK tooCold = clean;
    tooCold.Temp11 = -31;
    r = LimitCheck(tooCold, 10, 250, &atRisk);
    EXPECT_EQ(r.messages, (std::set<int>{1, kFrostWarning}));
    EXPECT_TRUE(r.hasError);
    EXPECT_EQ(LimitMessageClass(kFrostWarning), LimitClass::warning);

    const ShowOptions si{true, kEnglish, {'.', ',', ""}};
    EXPECT_EQ(LimitMessageText(kFrostWarning, si, &atRisk),
              "Frost risk below -3.2 °C outside air: preheat 4.20 kW or bypass 35 % of the "
              "outside air.");
    EXPECT_EQ(LimitMessageText(kFrostWarning, si), "");
    EXPECT_EQ(LimitMessageText(kFrostWarning, si, &clear), "");
    // The other messages do not depend on the frost check.
    EXPECT_EQ(LimitMessageText(1, si, &atRisk), LimitMessageText(1, si));
}

// A calculated record gives its check; one without a successful
// calculation, or with figures the check cannot read, gives none.
TEST(TryCheckFrost, NothingForARecordWithoutASuccessfulCalculation) {
    TDatenREK r;
    r.AirState = 0;
    r.AirQuant = 0;
    r.pbar = 1013;
    r.SVol11 = r.SVol21 = 2000;
    r.Temp11 = -12;
    r.Phi11 = 90;
    r.Temp21 = 22;
    r.Phi21 = 40;
    r.Edge = 300;
    r.Width = 1000;
    r.PType = 2;
    r.CalculateAll();
    ASSERT_EQ(r.Status, 0);
    const std::optional<FrostCheck> check = TryCheckFrost(r);
    ASSERT_TRUE(check.has_value());
    EXPECT_TRUE(check->atRisk);
    TDatenREK broken = r;
    broken.Temp11 = kNaN;
    EXPECT_FALSE(TryCheckFrost(broken).has_value());
    TDatenREK failed = r;
    failed.Status = 100;
    EXPECT_FALSE(TryCheckFrost(failed).has_value());
}

TEST(LimitMessageText, FiguresInEitherUnitSystemAndTheGivenSeparator) {
    const ShowOptions si{true, kEnglish, {'.', ',', ""}};
    const ShowOptions ip{false, kEnglish, {'.', ',', ""}};
    const ShowOptions comma{true, kEnglish, {',', '.', ""}};
    EXPECT_EQ(LimitMessageText(1, si), "The temperature is not in the range -30 .. 80°C !");
    EXPECT_EQ(LimitMessageText(2, ip), "The temperature is not in the range -22 .. 176°F !");
    EXPECT_EQ(LimitMessageText(4, si), "The relative humidity is not in the range 0 .. 90% !");
    EXPECT_EQ(LimitMessageText(6, comma),
              "The face air velocity is not in the range 0,5 .. 3,5 m/s !");
    EXPECT_EQ(LimitMessageText(5, ip),
              "The face air velocity is not in the range 100 .. 688 fmp !");
    EXPECT_EQ(LimitMessageText(8, comma),
              "The ratio of the air quantities is not in the recommended range 0,66 .. 1,50 !");
    EXPECT_EQ(LimitMessageText(9, ip), "The minimum package width is 100 mm!");
    EXPECT_EQ(LimitMessageText(11, si), LimitMessageText(12, ip));
    EXPECT_EQ(LimitMessageText(30, ip),
              "The absolute humidity is not in the range 0 .. 1050 gr/lb !");
}

TEST(LimitMessageText, EveryLanguageHasEveryMessageFilledIn) {
    for (int language : AvailableLanguages) {
        for (bool si : {true, false}) {
            const ShowOptions options{si, language, {',', ' ', ""}};
            for (int n : LimitMessageNumbers()) {
                const std::string text = LimitMessageText(n, options);
                EXPECT_FALSE(text.empty()) << language << ' ' << n;
                EXPECT_EQ(text.find("%s"), std::string::npos) << language << ' ' << n;
            }
        }
    }
}

} // namespace
} // namespace tavro
