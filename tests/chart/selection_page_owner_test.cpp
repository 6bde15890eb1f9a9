#include "chart/selection_page_owner.h"

#include "chart/mollier_chart.h"
#include "output/chart_page.h"
#include "output/data_sheet_page.h"
#include "output/sketch.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"
#include "tests/support/recording_inspector.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavro {
namespace {

SelectionState Calculated() {
    SelectionState s;
    TDatenREK& r = s.record;
    r.pbar = 1013.25;
    r.SVol11 = r.SVol21 = 2000;
    r.Temp11 = -10;
    r.Phi11 = 90;
    r.Temp21 = 22;
    r.Phi21 = 40;
    r.Edge = 500;
    r.Width = 500;
    r.PType = 2;
    r.CalculateAll();
    r.Calculate();
    s.resultsValid = true;
    s.design = 20;
    s.unitsInSeries = 2;
    return s;
}

TEST(SelectionPageOwner, SketchAndChartFromTheState) {
    const SelectionState s = Calculated();
    const SelectionPageOwner owner(s);
    Recording sketch;
    RecordSketch(sketch, 20, 2);
    ASSERT_NE(owner.PageSketch(), nullptr);
    EXPECT_EQ(test::Inspect(*owner.PageSketch()).lines.size(), test::Inspect(sketch).lines.size());
    EXPECT_FALSE(owner.PageChartGrid()->Empty());
    EXPECT_FALSE(owner.PageChartProcess()->Empty());

    SelectionState invalid = s;
    invalid.resultsValid = false;
    EXPECT_TRUE(SelectionPageOwner(invalid).PageChartProcess()->Empty());

    SelectionState counterFlow = s;
    counterFlow.record.Line = "Corra";
    EXPECT_EQ(SelectionPageOwner(counterFlow).PageSketch(), nullptr);
}

// A pressure no chart can be drawn for, or NaN states, draw what they can
// and never throw; the pages are still drawn.
TEST(SelectionPageOwner, BadPressureOrStatesDrawWithoutThrowing) {
    for (double p : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN()}) {
        SelectionState s = Calculated();
        s.chart.pressure = p;
        s.record.X12 = std::numeric_limits<double>::quiet_NaN();
        std::unique_ptr<SelectionPageOwner> owner;
        ASSERT_NO_THROW(owner = std::make_unique<SelectionPageOwner>(s)) << p;
        Recording page;
        TRecordingCanvas canvas(page);
        EXPECT_NO_THROW(ChartPage(*owner, canvas, false));
        EXPECT_NO_THROW(DataSheetPage(*owner, canvas, false));
    }
}

TEST(PageLanguageScope, SetsAndRestoresLanguageAndSeparators) {
    CurrentLanguage = kEnglish;
    DecimalSeparator = '.';
    ThousandSeparator = ',';
    {
        const PageLanguageScope scope({true, kRussian, {',', ' ', ""}});
        EXPECT_EQ(CurrentLanguage, kRussian);
        EXPECT_EQ(DecimalSeparator, ',');
        EXPECT_EQ(ThousandSeparator, ' ');
    }
    EXPECT_EQ(CurrentLanguage, kEnglish);
    EXPECT_EQ(DecimalSeparator, '.');
    EXPECT_EQ(ThousandSeparator, ',');
    {
        // A language without texts shows English.
        const PageLanguageScope scope({true, kSpanish, {}});
        EXPECT_EQ(CurrentLanguage, kEnglish);
    }
}

} // namespace
} // namespace tavro
