#include "chart/chart_ranges.h"

#include "shell/texts/languages.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

struct RangeRow {
    bool si;
    int index;
    double tMax, xMax, xStep, hStep;
    const char* tempItem;
    const char* humItem;
};

class ChartRanges : public testing::TestWithParam<RangeRow> {
protected:
    void SetUp() override { CurrentLanguage = kEnglish; }
};

TEST_P(ChartRanges, TableEntryInInternalUnits) {
    const RangeRow& r = GetParam();
    EXPECT_NEAR(UpperTemperature(r.si, r.index), r.tMax, 0.005);
    EXPECT_NEAR(UpperHumidity(r.si, r.index), r.xMax, 0.005);
    EXPECT_NEAR(HumidityLineStep(r.si, r.index), r.xStep, 0.005);
    EXPECT_EQ(EnthalpyLineStepShown(r.si, r.index), r.hStep);
    EXPECT_EQ(TemperatureRangeItem(r.si, r.index), QString::fromUtf8(r.tempItem));
    EXPECT_EQ(HumidityRangeItem(r.si, r.index), QString::fromUtf8(r.humItem));
}

INSTANTIATE_TEST_SUITE_P(
    BothUnitSystems, ChartRanges,
    testing::Values(RangeRow{true, 0, 60, 20, 2, 5, "-20 .. 60 °C", "0 .. 20 g/kg"},
                    RangeRow{true, 2, 100, 40, 5, 10, "-20 .. 100 °C", "0 .. 40 g/kg"},
                    RangeRow{true, 4, 140, 60, 5, 20, "-20 .. 140 °C", "0 .. 60 g/kg"},
                    // 0 .. 140 °F is 60 °C inside; 140 gr/lb is 20 g/kg.
                    RangeRow{false, 0, 60, 20, 10 / 7.0, 2, "0 .. 140 °F", "0 .. 140 gr/lb"},
                    RangeRow{false, 1, 82.22, 31.43, 10 / 7.0, 5, "0 .. 180 °F", "0 .. 220 gr/lb"},
                    RangeRow{false, 4, 148.89, 62.86, 20 / 7.0, 10, "0 .. 300 °F",
                             "0 .. 440 gr/lb"}));

TEST(ChartRangesFixed, LowerBoundsAndStepsDoNotDependOnTheIndex) {
    EXPECT_EQ(RangeCount(), 5);
    for (int i = 0; i < RangeCount(); ++i) {
        EXPECT_EQ(LowerTemperature(true, i), -20.0);
        EXPECT_NEAR(LowerTemperature(false, i), -17.7778, 1e-4);
        EXPECT_EQ(TemperatureLineStep(true, i), 2.0);
        EXPECT_EQ(TemperatureLabelStep(true, i), 10.0);
        EXPECT_NEAR(TemperatureLineStep(false, i), 5 / 1.8, 1e-12);
        EXPECT_NEAR(TemperatureLabelStep(false, i), 20 / 1.8, 1e-12);
    }
}

TEST(ChartRangesFixed, IndicesOutsideTheTableAreClamped) {
    CurrentLanguage = kEnglish;
    for (const int bad : {-1, -1000, 5, 1 << 30}) {
        const int edge = bad < 0 ? 0 : 4;
        EXPECT_EQ(ClampRange(bad), edge);
        EXPECT_EQ(UpperTemperature(true, bad), UpperTemperature(true, edge));
        EXPECT_EQ(UpperHumidity(false, bad), UpperHumidity(false, edge));
        EXPECT_EQ(HumidityLineStep(true, bad), HumidityLineStep(true, edge));
        EXPECT_EQ(EnthalpyLineStepShown(false, bad), EnthalpyLineStepShown(false, edge));
        EXPECT_EQ(TemperatureRangeItem(true, bad), TemperatureRangeItem(true, edge));
        EXPECT_EQ(HumidityRangeItem(false, bad), HumidityRangeItem(false, edge));
    }
}

} // namespace
} // namespace tavro
