#include "product/model/selection_state.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavro {
namespace {

TEST(ShownTable, CellsOutsideReadEmptyAndSettingGrowsTheTable) {
    ShownTable t;
    EXPECT_EQ(t.Cell(0, 0), "");
    t.SetCell(3, 2, "21.5");
    ASSERT_EQ(t.cells.size(), 3u);
    EXPECT_EQ(t.Cell(3, 2), "21.5");
    EXPECT_EQ(t.Cell(2, 2), "");
    EXPECT_EQ(t.Cell(4, 2), "");
    EXPECT_EQ(t.Cell(3, 0), "");
    EXPECT_EQ(t.Cell(-1, 2), "");
    EXPECT_EQ(t.Cell(3, -1), "");
    t.SetCell(-1, 0, "lost");
    t.SetCell(0, -5, "lost");
    EXPECT_EQ(t.cells.size(), 3u);
    t.SetCell(0, 2, "°C");
    EXPECT_EQ(t.Cell(0, 2), "°C");
    EXPECT_EQ(t.Cell(3, 2), "21.5");
}

SelectionState Sample() {
    SelectionState s;
    s.record.Temp11 = -10;
    s.record.Edge = 500;
    s.summer.Temp11 = 32;
    s.seasonMode = 2;
    s.warnings = {7, 12};
    s.show = {false, kChinese, {',', ' ', "€"}};
    s.offerHeader[5] = "Hall 3 ✓";
    s.notesChart = {"note"};
    s.Table(ShownTableId::Outlet).SetCell(1, 2, "12.3");
    s.labels.designation = "Type: Tavro 10 / 500 / 500 - 2.5 - BY 0";
    s.chart = {1, 3, 2, 850};
    return s;
}

// A state equals its copy, even when a calculation left NaN in a record.
TEST(SelectionState, EqualsItsCopyWithNaNInARecord) {
    SelectionState s = Sample();
    s.summer.Phi22 = std::numeric_limits<double>::quiet_NaN();
    s.weight = std::numeric_limits<double>::quiet_NaN();
    const SelectionState copy = s;
    EXPECT_TRUE(copy == s);
    EXPECT_TRUE(SameRecord(copy.summer, s.summer));
}

// Every kind of member takes part in the comparison.
TEST(SelectionState, AnyChangeMakesItDifferent) {
    const SelectionState base = Sample();
    const std::vector<void (*)(SelectionState&)> changes = {
        [](SelectionState& s) { s.record.Temp12 = 1e-12; },
        [](SelectionState& s) { s.summer.HClass = "H2"; },
        [](SelectionState& s) { s.summer.Series = 2; },
        [](SelectionState& s) { s.resultsValid = true; },
        [](SelectionState& s) { s.warnings.insert(3); },
        [](SelectionState& s) { s.show.si = true; },
        [](SelectionState& s) { s.show.language = kRussian; },
        [](SelectionState& s) { s.show.separators.thousands = '\0'; },
        [](SelectionState& s) { s.show.separators.currency = "$"; },
        [](SelectionState& s) { s.wetBulb = true; },
        [](SelectionState& s) { s.totalEff = true; },
        [](SelectionState& s) { s.volumeReference = 1; },
        [](SelectionState& s) { s.unitsInSeries = 3; },
        [](SelectionState& s) { s.weight = 1; },
        [](SelectionState& s) { s.offerHeader[5] = "Hall 3"; },
        [](SelectionState& s) { s.notesDataSheet = {""}; },
        [](SelectionState& s) { s.Table(ShownTableId::Inlet).SetCell(0, 0, "x"); },
        [](SelectionState& s) { s.labels.weight = "1"; },
        [](SelectionState& s) { s.chart.pressure = 851; },
        [](SelectionState& s) { s.caption = "x"; },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        SelectionState changed = base;
        changes[i](changed);
        EXPECT_FALSE(changed == base) << "change " << i;
    }
}

} // namespace
} // namespace tavro
