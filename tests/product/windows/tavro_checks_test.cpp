// The window's limit check and its messages against the product model's:
// both must say the same, word for word, in every language, unit system
// and separator.

#include "product/model/limit_check.h"
#include "product/windows/tavro_window.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"
#include "tests/support/tavro_window_fixture.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

using TavroChecks = test::TavroWindowTest;

TEST_F(TavroChecks, WindowMessagesAreTheModelsInEveryLanguageAndUnitSystem) {
    TFormTavro& w = Start();
    for (uint8_t language : AvailableLanguages) {
        CurrentLanguage = language;
        w.ApplyLanguage();
        for (bool si : {true, false}) {
            w.SetUnitSystem(si);
            for (const auto& [decimal, thousands] : {std::pair{'.', ','}, std::pair{',', ' '}}) {
                DecimalSeparator = decimal;
                ThousandSeparator = thousands;
                const ShowOptions options{si, language, CurrentSeparators()};
                for (int n = 0; n <= 31; ++n) {
                    EXPECT_EQ(w.WarningText(n).toStdString(), LimitMessageText(n, options))
                        << "language " << int(language) << (si ? " SI " : " IP ") << decimal
                        << " message " << n;
                }
            }
        }
    }
    ThousandSeparator = ',';
}

TEST_F(TavroChecks, WindowCheckIsTheModels) {
    TFormTavro& w = Start();
    TDatenREK base = *w.Daten;
    base.CalculateAll();
    auto vary = [&](auto change) {
        TDatenREK r = base;
        change(r);
        return r;
    };
    const TDatenREK records[] = {
        base,
        vary([](TDatenREK& r) { r.Temp11 = -31, r.Phi21 = 101; }),
        vary([](TDatenREK& r) { r.Vel1 = 4.2; }),
        vary([](TDatenREK& r) { r.Vel2 = 0.1; }),
        vary([](TDatenREK& r) { r.SVol21 = 1200; }),
        vary([](TDatenREK& r) { r.SVol21 = 800; }),
        vary([](TDatenREK& r) { r.Width = 90, r.Edge = 300; }),
        vary([](TDatenREK& r) { r.Dp1 = 270; }),
        vary([](TDatenREK& r) { r.Dp2 = 280, r.X21 = 160; }),
    };
    for (int design : {10, 30}) {
        w.Design = design;
        int i = 0;
        for (const TDatenREK& r : records) {
            w.Warnings.clear();
            const bool clean = w.CheckLimits(r);
            const LimitResult model = LimitCheck(r, design, w.DpLimit);
            EXPECT_EQ(w.Warnings, model.messages) << "record " << i << " design " << design;
            EXPECT_EQ(clean, !model.hasError) << "record " << i << " design " << design;
            ++i;
        }
    }
}

} // namespace
} // namespace tavro
