#include "product/model/selection_state.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavro {
namespace {

// The tables of a selection are the model's cells of its own records,
// cases, flags and display options, whatever the process has set.
TEST(SelectionState, CellsFollowTheStatesCasesAndOptions) {
    SelectionState s;
    s.record.Temp11 = -10;
    s.summer.Temp11 = 32;
    const TableCells one = s.Cells(ShownTable::Inlet);
    EXPECT_EQ(one, ShownCells(ShownTable::Inlet, s.record, nullptr, {}, s.show));
    ASSERT_FALSE(one.empty());
    EXPECT_EQ(one[0].size(), static_cast<size_t>(ShownColumnCount(false)));
    s.seasonMode = 2;
    s.show = {false, kGerman, {',', '.', ""}};
    s.eu = true;
    s.hclass = false;
    s.dpLimit = 100;
    EXPECT_EQ(s.Cells(ShownTable::ProcessData),
              ShownCells(ShownTable::ProcessData, s.record, &s.summer, {true, false, 100}, s.show));
    EXPECT_EQ(s.Cells(ShownTable::Inlet)[0].size(), static_cast<size_t>(ShownColumnCount(true)));
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
        [](SelectionState& s) { s.dpLimit = 100; },
        [](SelectionState& s) { s.hclass = false; },
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
