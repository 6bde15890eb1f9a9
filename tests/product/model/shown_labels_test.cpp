// The labels and frost figures the product model works out for a
// selection without a window: each branch of the hint, the designation and
// units in series in the state's language, the weight in its units, and
// when there is no frost check. The window's labels are compared with these
// over the golden cases in tests/product/windows/tavro_shown_labels_test.cpp.

#include "product/model/shown_labels.h"

#include "product/model/frost_messages.h"
#include "product/model/selection_document.h"

#include <gtest/gtest.h>

#include <string>

namespace tavro {
namespace {

// A calculated wet winter case of the exchanger 600 / 600 - 5.5, two units
// in series, frosting at -12 °C.
SelectionState Winter(double outside = -12) {
    SelectionState s;
    TDatenREK& r = s.record;
    r.AirState = 0;
    r.AirQuant = 0;
    r.pbar = 1013;
    r.SVol11 = 4000;
    r.Temp11 = outside;
    r.Phi11 = 90;
    r.SVol21 = 3600;
    r.Temp21 = 22;
    r.Phi21 = 40;
    r.Edge = 600;
    r.Width = 600;
    r.PType = 2;
    r.PlateGap = 5.5;
    CalculateAsShown(r);
    s.resultsValid = true;
    s.unitsInSeries = 2;
    s.weight = 100;
    return s;
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(ShownLabels, HintTakesTheFrostCheckOrTheGeneralNote) {
    SelectionState s = Winter();
    ASSERT_EQ(s.record.Status, 0);
    ASSERT_NE(s.record.WetMode, 0);
    const std::optional<FrostCheck> frost = SelectionFrost(s);
    ASSERT_TRUE(frost);
    ASSERT_TRUE(frost->atRisk);
    const ShownLabels on = ShownLabelsOf(s);
    EXPECT_TRUE(Has(on.hint, ShownText(42, s.show) + "! - ")) << on.hint;
    EXPECT_TRUE(Has(on.hint, FrostTemperature(frost->limit, s.show))) << on.hint;
    EXPECT_EQ(FrostPageLine(*frost, s.show), FrostWarningText(*frost, s.show));

    s.frostCheck = false;
    EXPECT_FALSE(SelectionFrost(s));
    EXPECT_EQ(ShownLabelsOf(s).hint, ShownText(42, s.show) + "! - " + ShownText(43, s.show));

    // Chinese and French set their own exclamation marks.
    s.show.language = kChinese;
    EXPECT_TRUE(Has(ShownLabelsOf(s).hint, "\uFF01 - "));
    s.show.language = kFrench;
    EXPECT_TRUE(Has(ShownLabelsOf(s).hint, "\u00A0! - "));

    // No results, no hint; nor a frost check.
    s.frostCheck = true;
    s.resultsValid = false;
    EXPECT_FALSE(SelectionFrost(s));
    EXPECT_EQ(ShownLabelsOf(s).hint, "");
}

TEST(ShownLabels, MildWinterHintSaysNothingOfFrostWithoutTheCheck) {
    SelectionState s = Winter(0);
    s.frostCheck = false;
    const std::string hint = ShownLabelsOf(s).hint;
    if (s.record.WetMode == 0) {
        EXPECT_EQ(hint, "");
    } else {
        EXPECT_EQ(hint, ShownText(42, s.show) + "!");
    }
}

TEST(ShownLabels, DeviceLabelsFollowLanguageUnitsAndSeparators) {
    SelectionState s = Winter();
    s.design = 20;
    ShownLabels l = ShownLabelsOf(s);
    EXPECT_TRUE(Has(l.designation, "Tavro 20 / 600 / 600 - 5.5")) << l.designation;
    EXPECT_EQ(l.unitsInSeries, "(2 " + ShownText(101, s.show) + ")");
    EXPECT_EQ(l.weight, "100.0");
    EXPECT_EQ(l.outsideAir, "Outside air");

    s.show = {false, kGerman, {',', '.', {}}};
    l = ShownLabelsOf(s);
    EXPECT_TRUE(Has(l.designation, " - 5,5")) << l.designation;
    EXPECT_EQ(l.weight, "220,5"); // 100 kg in pounds
    EXPECT_EQ(l.outsideAir, ShownText(3, s.show));
    EXPECT_EQ(l.heating, ShownText(272, s.show));

    s.unitsInSeries = 1;
    EXPECT_EQ(ShownLabelsOf(s).unitsInSeries, "");
    // A bypass design on an edge up to 300 mm has no dimensions shown.
    s.design = 25;
    s.record.Edge = 300;
    EXPECT_EQ(ShownLabelsOf(s).weight, "");
    s.record.Edge = 400;
    EXPECT_NE(ShownLabelsOf(s).weight, "");
}

} // namespace
} // namespace tavro
