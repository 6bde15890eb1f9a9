#include "product/model/result_rows.h"

#include "product/model/frost_messages.h"

#include "shell/texts/texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <utility>

namespace tavro {
namespace {

const ShowOptions kSI{true, kEnglish, {'.', ',', ""}};
const ShowOptions kIP{false, kEnglish, {'.', ',', ""}};

std::string Cell(ShownTable table, const TDatenREK& r, int row, int col,
                 const ShownFlags& flags = {}, const ShowOptions& options = kSI) {
    return ShownCells(table, r, nullptr, flags,
                      options)[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

TEST(ResultRows, EveryRowLiesInsideItsTableOnce) {
    std::set<std::pair<ShownTable, int>> seen;
    for (const ResultRow& row : ResultRows()) {
        EXPECT_GE(row.row, 0);
        EXPECT_LT(row.row, ShownRowCount(row.table));
        EXPECT_TRUE(seen.insert({row.table, row.row}).second)
            << ShownTableName(row.table) << " row " << row.row;
    }
    for (ShownTable t : kShownTables) {
        const TableCells one = ShownCells(t, TDatenREK(), nullptr, {}, kSI);
        ASSERT_EQ(one.size(), static_cast<size_t>(ShownRowCount(t)));
        for (const auto& line : one)
            EXPECT_EQ(line.size(), 6u);
    }
}

// Pressure drops beyond 1.5 times the limit (rounded half to even) leave
// their cell empty; up to it they are shown.
TEST(ResultRows, PressureDropsAboveTheShownLimitStayEmpty) {
    struct Case {
        int limit;
        double dp;
        const char* shown;
    };
    for (const Case& c :
         {Case{250, 375, "375"}, Case{250, 375.001, ""}, Case{250, 374.6, "375"},
          Case{251, 376, "376"}, Case{251, 376.4, ""}, Case{0, 0, "0"}, Case{0, 0.4, ""}}) {
        TDatenREK r;
        r.Dp1 = r.Dp1Std = c.dp;
        const ShownFlags flags{false, true, c.limit};
        EXPECT_EQ(Cell(ShownTable::VelocityPressureDrop, r, 1, 1, flags), c.shown)
            << c.limit << " " << c.dp;
        EXPECT_EQ(Cell(ShownTable::VelocityPressureDrop, r, 2, 1, flags), c.shown)
            << c.limit << " " << c.dp;
    }
    TDatenREK r;
    r.Dp2 = 249.08891; // 1 in. of water
    EXPECT_EQ(Cell(ShownTable::VelocityPressureDrop, r, 1, 3, {}, kIP), "1.00");
    EXPECT_EQ(Cell(ShownTable::VelocityPressureDrop, r, 1, 5, {}, kIP), "in.WG");
}

// The ErP readiness follows EtaErP rounded to one decimal.
TEST(ResultRows, ErpReadinessFollowsTheRoundedEfficiency) {
    struct Case {
        double eta;
        const char* ready;
    };
    for (const Case& c :
         {Case{72.96, "(2018 ready)"}, Case{72.94, "(2016 ready)"}, Case{73.0, "(2018 ready)"},
          Case{66.96, "(2016 ready)"}, Case{66.94, ""}, Case{0, ""}}) {
        TDatenREK r;
        r.EtaErP = c.eta;
        EXPECT_EQ(Cell(ShownTable::ProcessData, r, 3, 3), c.ready) << c.eta;
    }
}

TEST(ResultRows, EnergyClassRowsAreEmptyWithoutTheFlag) {
    TDatenREK r;
    r.HClassText = "74.2% / H1";
    r.EtaErP = 74;
    const ShownFlags off{false, false, 250};
    const TableCells cells = ShownCells(ShownTable::ProcessData, r, nullptr, off, kSI);
    for (int row : {2, 3}) {
        for (const std::string& cell : cells[static_cast<size_t>(row)])
            EXPECT_EQ(cell, "") << row;
    }
    const ShowOptions comma{true, kGerman, {',', '.', ""}};
    EXPECT_EQ(Cell(ShownTable::ProcessData, r, 2, 1, {}, comma), "74,2% / H1");
    EXPECT_EQ(Cell(ShownTable::ProcessData, r, 3, 1, {}, comma), "74,0");
    EXPECT_EQ(Cell(ShownTable::ProcessData, r, 3, 5, {}, comma), "%");
    EXPECT_EQ(Cell(ShownTable::ProcessData, r, 3, 0, {}, comma),
              TextIn(47, kGerman) + " ErP Lot 6");
}

TEST(ResultRows, EffectivenessReplacesTheEfficiencyOfStreamOne) {
    TDatenREK r;
    r.Eta1 = 60.04;
    r.Eps1 = 55.06;
    r.Eta1Wet = 62;
    r.Eps1Wet = 57;
    const ShownFlags eu{true, true, 250};
    EXPECT_EQ(Cell(ShownTable::ProcessData, r, 0, 1), "60.0");
    EXPECT_EQ(Cell(ShownTable::ProcessData, r, 0, 1, eu), "55.1");
    EXPECT_EQ(Cell(ShownTable::ProcessData, r, 1, 1, eu), "57.0");
    EXPECT_EQ(Cell(ShownTable::ProcessData, r, 0, 0, eu), TextIn(441, kEnglish));
    EXPECT_EQ(Cell(ShownTable::ProcessData, r, 1, 0, eu), TextIn(442, kEnglish));
    EXPECT_EQ(Cell(ShownTable::ProcessData, r, 0, 3, eu), "");
}

// Condensation shows only where the air loses water; no condensate, a
// humidity gain and NaN leave the cells empty.
TEST(ResultRows, CondensationRowsShowOnlyALoss) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double x11, x12, condensate;
        const char* drop;
        const char* water;
    };
    for (const Case& c : {Case{8, 6.5, 12.345, "-1.50", "-12.35"}, Case{6, 6, 0, "", ""},
                          Case{6, 7, -1, "", ""}, Case{6, nan, nan, "", ""}}) {
        TDatenREK r;
        r.X11 = c.x11;
        r.X12 = c.x12;
        r.Condensate1 = c.condensate;
        EXPECT_EQ(Cell(ShownTable::ProcessData, r, 6, 1), c.drop) << c.x12;
        EXPECT_EQ(Cell(ShownTable::ProcessData, r, 7, 1), c.water) << c.condensate;
    }
    TDatenREK r;
    r.Condensate2 = 1;
    EXPECT_EQ(Cell(ShownTable::ProcessData, r, 7, 3, {}, kIP), "-2.20");
    EXPECT_EQ(Cell(ShownTable::ProcessData, r, 7, 5, {}, kIP), "lb/h");
}

// The cooling case fills columns 5 and 7 and moves the unit to column 9;
// values that are not finite show as such rather than as figures.
TEST(ResultRows, CoolingCaseBesideTheHeatingCase) {
    TDatenREK winter, summer;
    winter.Temp12 = 5;
    summer.Temp12 = 28;
    summer.Temp22 = std::numeric_limits<double>::infinity();
    const TableCells cells = ShownCells(ShownTable::Outlet, winter, &summer, {}, kIP);
    ASSERT_EQ(cells[2].size(), 10u);
    EXPECT_EQ(cells[2][1], "41.0");
    EXPECT_EQ(cells[2][5], "82.4");
    EXPECT_EQ(cells[2][7], "INF");
    EXPECT_EQ(cells[2][9], TextIn(412, kEnglish));
    EXPECT_EQ(cells[2][0], "    " + TextIn(12, kEnglish));
    for (int col : {2, 4, 6, 8})
        EXPECT_EQ(cells[2][static_cast<size_t>(col)], "");
    EXPECT_EQ(cells[0][0], TextIn(10, kEnglish));
}

// Outside air at `outside` °C / 90 % against return air at 22 °C / 40 %,
// 2000 m³/h each way through a 300 mm exchanger, calculated.
TDatenREK FrostRecord(double outside) {
    TDatenREK r;
    r.AirState = 0;
    r.AirQuant = 0;
    r.pbar = 1013;
    r.SVol11 = r.SVol21 = 2000;
    r.Temp11 = outside;
    r.Phi11 = 90;
    r.Temp21 = 22;
    r.Phi21 = 40;
    r.Edge = 300;
    r.Width = 1000;
    r.PType = 2;
    r.CalculateAll();
    return r;
}

// The frost flag appends the frost rows of each case below the process
// data: the limit always, preheat and bypass when a case is at risk, each
// in the column of its case's outside air; without the flag nothing.
TEST(ResultRows, FrostRowsFollowTheProcessDataOfEachCase) {
    const TDatenREK cold = FrostRecord(-12), mild = FrostRecord(5);
    ShownFlags frost;
    frost.frost = true;
    const size_t base = static_cast<size_t>(ShownRowCount(ShownTable::ProcessData));
    EXPECT_EQ(ShownCells(ShownTable::ProcessData, cold, nullptr, {}, kSI).size(), base);
    for (ShownTable t : {ShownTable::Inlet, ShownTable::Outlet})
        EXPECT_EQ(ShownCells(t, cold, nullptr, frost, kSI), ShownCells(t, cold, nullptr, {}, kSI));
    EXPECT_EQ(ShownRowsMax(ShownTable::ProcessData, frost), static_cast<int>(base) + 3);
    EXPECT_EQ(ShownRowsMax(ShownTable::Outlet, frost), ShownRowCount(ShownTable::Outlet));

    const std::optional<FrostCheck> check = TryCheckFrost(cold);
    ASSERT_TRUE(check && check->atRisk);
    const std::vector<FrostRow> expected = FrostRows(*check, kIP);
    TableCells cells = ShownCells(ShownTable::ProcessData, cold, nullptr, frost, kIP);
    ASSERT_EQ(cells.size(), base + 3);
    for (size_t i = 0; i < 3; ++i) {
        const std::vector<std::string>& line = cells[base + i];
        EXPECT_EQ(line, (std::vector<std::string>{expected[i].label, expected[i].value, "", "", "",
                                                  expected[i].unit}));
    }
    EXPECT_EQ(cells[base + 1][5], "BTU/h");

    // Not at risk: the limit alone.
    cells = ShownCells(ShownTable::ProcessData, mild, nullptr, frost, kSI);
    ASSERT_EQ(cells.size(), base + 1);
    EXPECT_EQ(cells[base][0], "Frost limit");
    EXPECT_EQ(cells[base][5], "°C");
    EXPECT_FALSE(cells[base][1].empty());

    // A mild heating case beside a cold cooling case: every frost row, the
    // heating case's preheat and bypass cells empty.
    cells = ShownCells(ShownTable::ProcessData, mild, &cold, frost, kSI);
    ASSERT_EQ(cells.size(), base + 3);
    EXPECT_FALSE(cells[base][1].empty());
    EXPECT_FALSE(cells[base][5].empty());
    EXPECT_EQ(cells[base + 1][1], "");
    EXPECT_EQ(cells[base + 1][5], FrostRows(*check, kSI)[1].value);
    EXPECT_EQ(cells[base + 2][9], "%");

    // A record the check cannot take keeps the limit row, without a figure.
    TDatenREK failed = cold;
    failed.Status = 100;
    cells = ShownCells(ShownTable::ProcessData, failed, nullptr, frost, kSI);
    ASSERT_EQ(cells.size(), base + 1);
    EXPECT_EQ(cells[base][0], "Frost limit");
    EXPECT_EQ(cells[base][1], "");
}

} // namespace
} // namespace tavro
