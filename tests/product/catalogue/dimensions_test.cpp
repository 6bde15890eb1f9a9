#include "product/catalogue/dimensions.h"

#include "physics/numeric/errors.h"
#include "product/catalogue/catalogue.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

UnitSelection Sel(int design, int units, int edge, int width, int ptype, double volume = 10000) {
    UnitSelection s;
    s.design = design;
    s.units = units;
    s.edge = edge;
    s.width = width;
    s.ptype = ptype;
    s.volume = volume;
    return s;
}

TEST(Dimensions, BareUnitIsTheBlock) {
    const OuterSize o = OuterDimensions(Sel(10, 1, 600, 600, 2));
    EXPECT_EQ(o.H, 819);
    EXPECT_EQ(o.B, 600);
    EXPECT_EQ(o.T, 819);
    EXPECT_EQ(OuterDimensions(Sel(10, 3, 600, 600, 2)).T, 3 * 819);
    EXPECT_EQ(OuterDimensions(Sel(10, 1, 250, 600, 2)).H, 405); // 201 to 300
}

TEST(Dimensions, BypassAndHousing) {
    const OuterSize by = OuterDimensions(Sel(20, 1, 600, 850, 2));
    EXPECT_EQ(by.Bypass, 321);
    EXPECT_EQ(by.B, 850 + 321);
    // Housing up to 800: 100 mm on height and depth, 3 mm per package and 60.
    const OuterSize h = OuterDimensions(Sel(30, 1, 600, 1000, 2));
    EXPECT_EQ(h.H, 825 + 100);
    EXPECT_EQ(h.T, 825 + 100);
    EXPECT_EQ(h.B, 1000 + 3 * 2 + 60);
    // Above 800 the joint allowance counts: 30 mm for 1000.
    const OuterSize big = OuterDimensions(Sel(40, 1, 1000, 1000, 2));
    EXPECT_EQ(big.H, 1390 + 4 * 30);
    EXPECT_EQ(big.T, 1390 + 2 * 30);
    EXPECT_EQ(big.B, 1000 + big.Bypass + 3 * 1 + 3 + 2 * 30);
}

TEST(Dimensions, DamperAllowances) {
    const OuterSize small = OuterDimensions(Sel(25, 1, 600, 600, 2));
    EXPECT_EQ(small.H, 819 + 78);
    EXPECT_EQ(small.T, 819 + 78);
    const OuterSize large = OuterDimensions(Sel(25, 2, 1200, 1200, 2));
    EXPECT_EQ(large.T, 2 * Diagonal(1200) + 128); // the damper once, after the series
}

TEST(Dimensions, DesignSixtyWithTwoUnits) {
    const OuterSize o = OuterDimensions(Sel(60, 2, 600, 600, 2));
    EXPECT_EQ(o.T, 2 * (825 + 100) + 280);
    EXPECT_EQ(o.H, 825 + 100 + 280);
    // The second unit adds its block, bypass and a housing without the
    // 280 mm damper section.
    const int one = UnitWeight(Sel(60, 1, 600, 600, 2));
    const int two = UnitWeight(Sel(60, 2, 600, 600, 2));
    const double perUnit = BlockWeight(600, 600, 5.5) + BypassWeight(600, o.Bypass) +
                           HousingWeight(600, 925, o.B, o.H);
    EXPECT_NEAR(two - one, perUnit, 1.0); // each weight is rounded to whole kg
}

// `product design=25 edge=600 width=600 ptype=2 vbypass=1e-300
// volume=10000` gave the bypass 2147483647 mm, B = -2147483049 mm and a
// weight of -16666586 kg: the bypass saturated the int range and the outer
// width overflowed. A selection beyond any buildable unit is an error now.
TEST(Dimensions, SelectionBeyondAnyBuildableUnitIsRefused) {
    UnitSelection tiny = Sel(25, 1, 600, 600, 2);
    tiny.vBypass = 1e-300;
    EXPECT_THROW(OuterDimensions(tiny), DimensionError);
    EXPECT_THROW(UnitWeight(tiny), DimensionError);
    struct Row {
        const char* what;
        UnitSelection sel;
    };
    const Row rows[] = {
        {"no units", Sel(10, 0, 600, 600, 2)},
        {"five units", Sel(10, 5, 600, 600, 2)},
        {"package width 0", Sel(10, 1, 600, 0, 2)},
        {"negative package width", Sel(10, 1, 600, -600, 2)},
        {"package width beyond any unit", Sel(10, 1, 600, kMaxBuildableLength + 1, 2)},
        {"edge 0", Sel(10, 1, 0, 600, 2)},
        {"bypass beyond any unit", Sel(20, 1, 600, 600, 2, 1e9)},
        {"negative volume", Sel(20, 1, 600, 600, 2, -1)},
        {"outer width beyond any unit", Sel(40, 1, 600, kMaxBuildableLength - 100, 2)},
    };
    for (const Row& row : rows) {
        EXPECT_THROW(OuterDimensions(row.sel), DimensionError) << row.what;
        EXPECT_THROW(UnitWeight(row.sel), DimensionError) << row.what;
    }
    // The largest unit of the catalogue is far inside the limit: edge 3000,
    // four times as wide, housing, bypass and damper, four units, 1e6 m³/h.
    const OuterSize big = OuterDimensions(Sel(60, 4, 3000, 12000, 4, 1e6));
    EXPECT_LT(big.B, kMaxBuildableLength);
    EXPECT_LT(big.T, kMaxBuildableLength);
    EXPECT_GT(UnitWeight(Sel(60, 4, 3000, 12000, 4, 1e6)), 0);
}

TEST(Weights, BareUnitExample) {
    EXPECT_NEAR(BlockWeight(600, 600, 5.5), 19.77, 0.005);
    EXPECT_EQ(UnitWeight(Sel(10, 1, 600, 600, 2)), 20);
}

TEST(Weights, GrowWithSizeAndOptions) {
    EXPECT_GT(BlockWeight(600, 1200, 5.5), BlockWeight(600, 600, 5.5));
    EXPECT_GT(BlockWeight(600, 600, 5.5), BlockWeight(600, 600, 14.0)); // fewer plates
    EXPECT_GT(UnitWeight(Sel(20, 1, 600, 600, 2)), UnitWeight(Sel(10, 1, 600, 600, 2)));
    EXPECT_GT(UnitWeight(Sel(40, 1, 600, 600, 2)), UnitWeight(Sel(20, 1, 600, 600, 2)));
    EXPECT_GT(UnitWeight(Sel(60, 1, 600, 600, 2)), UnitWeight(Sel(40, 1, 600, 600, 2)));
    EXPECT_EQ(UnitWeight(Sel(10, 2, 600, 600, 2)), 40);
    for (int edge : kEdges) {
        const int ptype = PlateGapFor(edge, 2) > 0 ? 2 : 4;
        for (int design : {10, 20, 25, 30, 40, 60}) {
            if (design >= 25 && edge < 400) continue;
            const int w = UnitWeight(Sel(design, 1, edge, edge, ptype));
            EXPECT_GT(w, 0) << design << " / " << edge;
            EXPECT_LT(w, 20000) << design << " / " << edge;
        }
    }
    EXPECT_GT(DamperWeight(1800, 1800, 300), DamperWeight(1200, 1200, 300));
    EXPECT_GT(DamperWeight(600, 600, 300), 0);
}

} // namespace
} // namespace tavro
