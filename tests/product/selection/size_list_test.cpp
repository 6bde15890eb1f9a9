// The size list of the preselection on plain records: the criteria, the
// width modes, the design filter, the cells and the sort.

#include "product/selection/size_list.h"

#include "physics/numeric/errors.h"
#include "product/catalogue/catalogue.h"
#include "product/catalogue/dimensions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

namespace tavro {
namespace {

// The winter case the main window starts with, at a given volume flow.
TDatenREK Air(double outside, double exhaust) {
    TDatenREK r;
    r.AirState = kGivenTempPhi;
    r.AirQuant = kGivenStdVolume;
    r.pbar = 1013;
    r.SVol11 = outside;
    r.SVol21 = exhaust;
    r.Temp11 = -12;
    r.Phi11 = 90;
    r.Temp21 = 22;
    r.Phi21 = 40;
    r.Edge = 500;
    r.Width = 500;
    r.PType = 2;
    return r;
}

SizeList Build(const SizeCriteria& c, double volume = 10000) {
    TDatenREK r = Air(volume, volume);
    return BuildSizeList(r, c);
}

TEST(SizeList, EveryRowMeetsTheCriteria) {
    SizeCriteria c;
    c.minEta = 55;
    c.maxDp = 120;
    const SizeList list = Build(c);
    ASSERT_FALSE(list.inletsFailed);
    ASSERT_GE(list.rows.size(), 5u);
    for (const SizeRow& row : list.rows) {
        SCOPED_TRACE(std::to_string(row.edge) + " / " + std::to_string(row.width));
        EXPECT_GE(row.dpMax, 40);
        EXPECT_LE(row.dpMax, 120);
        EXPECT_GE(row.eta1Wet, 55);
        EXPECT_LE(row.eta1Wet, 75);
        EXPECT_GE(row.width, 100);
        EXPECT_EQ(row.width % 5, 0);
        const double aspect = double(row.edge) / row.width;
        EXPECT_LE(aspect, 4);
        EXPECT_GE(aspect, 0.25);
        EXPECT_EQ(row.plateGap, PlateGapFor(row.edge, row.ptype));
        EXPECT_NE(row.hClass, "-");
    }
    // Catalogue order: edges ascending, plate types ascending within one.
    EXPECT_TRUE(
        std::is_sorted(list.rows.begin(), list.rows.end(), [](const SizeRow& a, const SizeRow& b) {
            return a.edge != b.edge ? a.edge < b.edge : a.ptype < b.ptype;
        }));
}

// A row's figures are those of the record calculated with its selection,
// which is what the main window shows after taking the row over.
TEST(SizeList, RowsAreTheResultsOfTheirSelection) {
    SizeCriteria c;
    c.units = 2;
    const SizeList list = Build(c);
    ASSERT_FALSE(list.rows.empty());
    for (const SizeRow& row : {list.rows.front(), list.rows.back()}) {
        TDatenREK r = Air(10000, 10000);
        r.Edge = row.edge;
        r.Width = row.width;
        r.PType = static_cast<uint8_t>(row.ptype);
        r.Series = 2;
        r.CalculateAll();
        EXPECT_DOUBLE_EQ(std::max(r.Dp1, r.Dp2), row.dpMax);
        EXPECT_DOUBLE_EQ(std::max(r.Vel1, r.Vel2), row.vMax);
        EXPECT_DOUBLE_EQ(r.Eta1Wet, row.eta1Wet);
        EXPECT_DOUBLE_EQ(r.Temp12, row.temp12);
        UnitSelection sel{10, 2, row.edge, row.width, row.ptype, 15, 10000};
        EXPECT_EQ(OuterDimensions(sel).T, row.T);
    }
}

TEST(SizeList, ExactWidthGivesThePresetOuterWidth) {
    for (int design : {10, 20}) {
        SizeCriteria c;
        c.design = design;
        c.widthMode = kWidthExact;
        c.presetWidth = 1000;
        c.maxDp = 200;
        c.minEta = 40;
        const SizeList list = Build(c);
        ASSERT_FALSE(list.rows.empty()) << design;
        for (const SizeRow& row : list.rows)
            EXPECT_EQ(row.B, 1000) << design << " edge " << row.edge;
    }
}

TEST(SizeList, MaximumWidthKeepsTheOuterWidthWithinThePreset) {
    SizeCriteria c;
    c.widthMode = kWidthMaximum;
    c.presetWidth = 1200;
    c.design = 40;
    const SizeList list = Build(c);
    ASSERT_FALSE(list.rows.empty());
    const SizeList free = Build(SizeCriteria{c.minEta, c.maxDp, kWidthFree, 1200, 40});
    EXPECT_LT(list.rows.size(), free.rows.size());
    for (const SizeRow& row : list.rows)
        EXPECT_LE(row.B, 1200) << row.edge;
}

TEST(SizeList, DesignsFrom25UpListNoSmallEdges) {
    for (int design : {25, 30, 40, 60}) {
        SizeCriteria c;
        c.design = design;
        c.minEta = 40;
        c.maxDp = 160;
        const SizeList list = Build(c, 1500);
        ASSERT_FALSE(list.rows.empty()) << design;
        for (const SizeRow& row : list.rows)
            EXPECT_GE(row.edge, 400) << design;
    }
    // The same air with design 20 does list small edges.
    SizeCriteria c;
    c.design = 20;
    c.minEta = 40;
    c.maxDp = 160;
    const SizeList list = Build(c, 1500);
    EXPECT_TRUE(std::any_of(list.rows.begin(), list.rows.end(),
                            [](const SizeRow& r) { return r.edge < 400; }));
}

TEST(SizeList, SmallEdgesAreNotSizedForHighTargets) {
    TDatenREK r = Air(1500, 1500);
    r.Series = 1;
    r.TDatenII::CalculateAll();
    EXPECT_FALSE(PreselectWidth(r, 10, 390, kWidthFree, 1000, 2, 181).accepted);
    EXPECT_TRUE(PreselectWidth(r, 10, 390, kWidthFree, 1000, 2, 180).accepted);
    EXPECT_TRUE(PreselectWidth(r, 10, 400, kWidthFree, 1000, 2, 181).accepted);
}

TEST(SizeList, WidthIsCorrectedTowardsTheTarget) {
    TDatenREK r = Air(10000, 10000);
    r.TDatenII::CalculateAll();
    const WidthResult w = PreselectWidth(r, 10, 1000, kWidthFree, 1000, 2, 118);
    ASSERT_TRUE(w.accepted);
    EXPECT_EQ(w.width % 5, 0);
    EXPECT_EQ(r.Width, w.width);
    // Rounded up to 5 mm after the corrections: just below the target.
    EXPECT_LE(w.dpMax, 118 + 1);
    EXPECT_GT(w.dpMax, 100);
}

TEST(SizeList, FailedInletsGiveAnEmptyListThatSaysSo) {
    TDatenREK r = Air(10000, 10000);
    r.pbar = 0;
    const SizeList list = BuildSizeList(r, SizeCriteria{});
    EXPECT_TRUE(list.inletsFailed);
    EXPECT_TRUE(list.rows.empty());
    // No air at all: nothing qualifies, but the inlets are fine.
    const SizeList none = Build(SizeCriteria{}, 0);
    EXPECT_FALSE(none.inletsFailed);
    EXPECT_TRUE(none.rows.empty());
}

TEST(SizeList, CriteriaOutOfRangeThrow) {
    struct Case {
        const char* what;
        SizeCriteria c;
    };
    const Case cases[] = {
        {"no units", {55, 120, 0, 1000, 10, 0, 15}},
        {"five units", {55, 120, 0, 1000, 10, 5, 15}},
        {"width mode 3", {55, 120, 3, 1000, 10, 1, 15}},
        {"preset 0", {55, 120, 1, 0, 10, 1, 15}},
        {"maximum 2 Pa", {55, 2, 0, 1000, 10, 1, 15}},
        {"velocity 0", {55, 120, 0, 1000, 10, 1, 0}},
        {"velocity NaN", {55, 120, 0, 1000, 10, 1, std::nan("")}},
    };
    for (const Case& k : cases) {
        TDatenREK r = Air(10000, 10000);
        EXPECT_THROW(BuildSizeList(r, k.c), Error) << k.what;
    }
}

void ExpectSameRows(const SizeList& a, const SizeList& b) {
    ASSERT_EQ(a.rows.size(), b.rows.size());
    for (size_t i = 0; i < a.rows.size(); ++i) {
        const SizeRow& x = a.rows[i];
        const SizeRow& y = b.rows[i];
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(x.edge, y.edge);
        EXPECT_EQ(x.width, y.width);
        EXPECT_EQ(x.ptype, y.ptype);
        EXPECT_EQ(x.H, y.H);
        EXPECT_EQ(x.B, y.B);
        EXPECT_EQ(x.T, y.T);
        // Bit for bit: every candidate is calculated from the same inputs.
        EXPECT_EQ(x.vMax, y.vMax);
        EXPECT_EQ(x.dpMax, y.dpMax);
        EXPECT_EQ(x.eta1Wet, y.eta1Wet);
        EXPECT_EQ(x.eps1Wet, y.eps1Wet);
        EXPECT_EQ(x.temp12, y.temp12);
        EXPECT_EQ(x.hClass, y.hClass);
    }
}

// Every design with every width mode, the units in series running through
// 1 to 4 across them so that each count meets each width mode. Three
// threads, more than this machine's cores, so that the candidates
// interleave.
TEST(SizeList, ThreadsGiveTheRowsOfOneThread) {
    const int designs[] = {kDesignBare,    kDesignBypass,        kDesignBypassDamper,
                           kDesignHousing, kDesignHousingBypass, kDesignHousingBypassDamper};
    for (size_t d = 0; d < std::size(designs); ++d) {
        for (int mode : {kWidthFree, kWidthMaximum, kWidthExact}) {
            SizeCriteria c;
            c.minEta = 40;
            c.maxDp = 200;
            c.design = designs[d];
            c.widthMode = mode;
            c.presetWidth = 1200;
            c.units = 1 + static_cast<int>(d + static_cast<size_t>(mode)) % 4;
            SCOPED_TRACE("design " + std::to_string(c.design) + " mode " + std::to_string(mode) +
                         " units " + std::to_string(c.units));
            TDatenREK one = Air(10000, 10000);
            TDatenREK three = Air(10000, 10000);
            const SizeList single = BuildSizeList(one, c, {.threads = 1});
            const SizeList spread = BuildSizeList(three, c, {.threads = 3});
            EXPECT_FALSE(spread.cancelled);
            ExpectSameRows(single, spread);
            // The record holds the last candidate tried either way.
            EXPECT_EQ(one.Edge, three.Edge);
            EXPECT_EQ(one.PType, three.PType);
            EXPECT_EQ(one.Width, three.Width);
            EXPECT_EQ(one.Eta1Wet, three.Eta1Wet);
        }
    }
}

TEST(SizeList, ProgressCountsEveryCandidate) {
    SizeCriteria c;
    EXPECT_EQ(SizeListCandidates(c), 85);
    c.design = kDesignBypassDamper;
    EXPECT_LT(SizeListCandidates(c), 85);
    for (unsigned threads : {1u, 2u}) {
        std::atomic<int> done{0};
        TDatenREK r = Air(10000, 10000);
        BuildSizeList(r, c, {.threads = threads, .progress = &done});
        EXPECT_EQ(done.load(), SizeListCandidates(c)) << threads;
    }
}

TEST(SizeList, CancelledBuildTriesNoFurtherCandidate) {
    for (unsigned threads : {1u, 2u}) {
        std::atomic<bool> cancel{true};
        std::atomic<int> done{0};
        TDatenREK r = Air(10000, 10000);
        const SizeList list = BuildSizeList(
            r, SizeCriteria{}, {.threads = threads, .cancel = &cancel, .progress = &done});
        EXPECT_TRUE(list.cancelled) << threads;
        EXPECT_TRUE(list.rows.empty()) << threads;
        EXPECT_EQ(done.load(), 0) << threads;
    }
    // A flag that stays down changes nothing.
    std::atomic<bool> cancel{false};
    TDatenREK r = Air(10000, 10000);
    const SizeList list = BuildSizeList(r, SizeCriteria{}, {.cancel = &cancel});
    EXPECT_FALSE(list.cancelled);
    ExpectSameRows(list, Build(SizeCriteria{}));
}

TEST(SizeListCells, SiAndInchPound) {
    SizeRow row;
    row.edge = 600;
    row.width = 850;
    row.ptype = 2;
    row.plateGap = 5.5;
    row.H = 819;
    row.B = 1171;
    row.T = 819;
    row.vMax = 2.456;
    row.dpMax = 101.4;
    row.eta1Wet = 61.27;
    row.eps1Wet = 63.04;
    row.temp12 = 8.76;
    row.hClass = "H2";
    using Cells = std::array<std::string, 9>;
    EXPECT_EQ(SizeRowCells(row, true, false),
              (Cells{"600 / 850 - 5.5", "819", "1171", "819", "2.46", "101", "61.3", "8.8", "H2"}));
    // Inch-pound: fpm without decimals, inch water gauge with three, °F;
    // the dimensions stay mm. EU shows the effectiveness.
    const Cells ip = SizeRowCells(row, false, true);
    EXPECT_EQ(ip[0], "600 / 850 - 5.5");
    EXPECT_EQ(ip[1], "819");
    EXPECT_EQ(ip[4], "483");   // 2.456 m/s = 483.46 fpm
    EXPECT_EQ(ip[5], "0.407"); // 101.4 Pa = 0.4071 in. WG
    EXPECT_EQ(ip[6], "63.0");
    EXPECT_EQ(ip[7], "47.8"); // 8.76 °C = 47.77 °F
    // The formatter decides the separator.
    const Cells comma = SizeRowCells(row, true, false, [](double v, int d) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.*f", d, v);
        std::string s = buf;
        std::replace(s.begin(), s.end(), '.', ',');
        return s;
    });
    EXPECT_EQ(comma[0], "600 / 850 - 5,5");
}

TEST(SizeListSort, LeadingNumber) {
    struct Case {
        const char* text;
        double number;
    };
    const Case cases[] = {
        {"600 / 850 - 5.5", 600},
        {"1171", 1171},
        {"2.46", 2.46},
        {"0,407", 0.407},
        {"-3.5", -3.5},
        {" 12.5 x", 12.5},
        {"H2", 0},
        {"", 0},
        {"-", 0},
        {"1.2.3", 1.2},
        {"+7", 7},
        {"5.", 5},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.number) << c.text;
}

TEST(SizeListSort, OrderByLeadingNumber) {
    const std::vector<std::string> cells = {"101", "60", "118", "60", "H3", "99.5"};
    EXPECT_EQ(SortOrder(cells, 1), (std::vector<size_t>{4, 1, 3, 5, 0, 2}));
    // Descending keeps equal numbers in their order as well.
    EXPECT_EQ(SortOrder(cells, -1), (std::vector<size_t>{2, 0, 5, 1, 3, 4}));
    // The size column sorts by edge alone.
    const std::vector<std::string> sizes = {"1000 / 900 - 5.5", "600 / 1200 - 6.5",
                                            "600 / 850 - 5.5"};
    EXPECT_EQ(SortOrder(sizes, 1), (std::vector<size_t>{1, 2, 0}));
    EXPECT_TRUE(SortOrder({}, 1).empty());
}

TEST(SizeListSort, ClicksReverseTheCurrentColumn) {
    SortState s;
    EXPECT_EQ(s.column, 1);
    EXPECT_EQ(s.direction, 1);
    s.Click(5);
    EXPECT_EQ(s.column, 5);
    EXPECT_EQ(s.direction, 1);
    s.Click(5);
    EXPECT_EQ(s.direction, -1);
    s.Click(5);
    EXPECT_EQ(s.direction, 1);
    s.Click(5);
    s.Click(2);
    EXPECT_EQ(s.column, 2);
    EXPECT_EQ(s.direction, 1);
}

} // namespace
} // namespace tavro
