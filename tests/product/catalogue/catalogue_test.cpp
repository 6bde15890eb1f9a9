#include "product/catalogue/catalogue.h"

#include "physics/numeric/errors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavro {
namespace {

TEST(Catalogue, EdgeListAndItsDesignFilter) {
    const std::vector<int> all = EdgeList(kDesignBare);
    ASSERT_EQ(all.size(), 18u);
    EXPECT_EQ(all.front(), 200);
    EXPECT_EQ(all[2], 390);
    EXPECT_EQ(all.back(), 3000);
    EXPECT_EQ(EdgeList(kDesignBypass), all);
    for (int design : {25, 30, 40, 60}) {
        const std::vector<int> list = EdgeList(design);
        ASSERT_EQ(list.size(), 15u) << design;
        EXPECT_EQ(list.front(), 400);
    }
}

struct GapCase {
    int edge, type;
    double gap;
};

TEST(Catalogue, PlateGapTable) {
    const GapCase cases[] = {
        {200, 1, 0},
        {200, 2, 1.8},
        {200, 3, 2.0},
        {200, 4, 0},
        {300, 3, 3.0},
        {390, 1, 3.5},
        {400, 3, 5.0},
        {400, 4, 0},
        {500, 1, 0},
        {500, 2, 5.5},
        {600, 6, 14.0},
        {700, 1, 5.5},
        {800, 3, 7.0},
        {1200, 3, 6.5},
        {2100, 2, 6.5},
        {3000, 2, 5.5},
        {2500, 2, 5.5},
        {8400, 5, 11.5},
        {5600, 1, 5.5},
        {3500, 3, 7.0},
        // Edges of 500 and more outside the table have the types 4 to 6 only.
        {7000, 1, 0},
        {7000, 3, 0},
        {7000, 4, 9.0},
        {550, 6, 14.0},
        // Unlisted edges below 500 and types outside 1..6 have none.
        {450, 2, 0},
        {350, 4, 0},
        {600, 0, 0},
        {600, 7, 0},
    };
    for (const GapCase& c : cases) {
        EXPECT_EQ(PlateGapFor(c.edge, c.type), c.gap) << c.edge << " type " << c.type;
    }
}

TEST(Catalogue, PlateGapListsAndTypeLookupRoundTrip) {
    EXPECT_EQ(PlateGapList(400), (std::vector<double>{3.5, 4.0, 5.0}));
    EXPECT_EQ(PlateGapList(500), (std::vector<double>{5.5, 6.5, 9.0, 11.5, 14.0}));
    EXPECT_EQ(PlateGapList(700).size(), 6u);
    EXPECT_TRUE(PlateGapList(450).empty());
    for (int edge : kEdges) {
        for (int type = 1; type <= 6; ++type) {
            const double gap = PlateGapFor(edge, type);
            if (gap > 0) {
                EXPECT_EQ(PTypeFor(edge, gap), type) << edge << " " << gap;
            }
        }
    }
    EXPECT_EQ(PTypeFor(500, 0), 0);
    EXPECT_EQ(PTypeFor(500, 3.5), 0);
    EXPECT_EQ(PTypeFor(700, 5.5), 1); // the first type with that distance
    // A distance read back from text need not be the table's double exactly.
    EXPECT_EQ(PTypeFor(500, 5.5000001), 2);
    EXPECT_EQ(PTypeFor(500, 5.51), 0);
}

struct BlockCase {
    int edge;
    double gap;
    int blocks;
};

TEST(Catalogue, BlockCounts) {
    const BlockCase cases[] = {
        {200, 1.8, 1},
        {1000, 14, 1},
        {1200, 5.5, 2},
        {1200, 6.5, 1},
        {1400, 5.5, 2},
        {1500, 9, 3},
        {1600, 14, 2},
        {1800, 6.5, 3},
        {2000, 5.5, 2},
        {2100, 5.5, 3},
        {2400, 5.5, 3},
        {2400, 6.5, 2},
        {3000, 14, 3},
        {2500, 9, 5},
        {3500, 9, 5},
        {2800, 9, 4},
        {3200, 9, 4},
        {4000, 5.5, 4},
        {3600, 9, 3},
        {3600, 5.5, 6},
        {4800, 9, 4},
        {4800, 5.5, 6},
        {5600, 5.5, 7},
        {7000, 14, 7},
        {6000, 9, 5},
        {6000, 5.5, 6},
        {7200, 9, 6},
        {7200, 5.5, 9},
        {8400, 9, 7},
        {8400, 5.5, 14},
        {9000, 5.5, 1},
        // r = gap × 10 rounded half to even: 5.55 gives 56, above 55; 5.45 gives 54.
        {1200, 5.55, 1},
        {1200, 5.45, 2},
    };
    for (const BlockCase& c : cases) {
        EXPECT_EQ(BlockCount(c.edge, c.gap), c.blocks) << c.edge << " / " << c.gap;
    }
    EXPECT_EQ(BlockEdgeFor(1500, 5.5), 500);
    EXPECT_EQ(BlockEdgeFor(2100, 5.5), 700);
    EXPECT_EQ(BlockEdgeFor(1200, 5.5), 600);
    EXPECT_EQ(BlockEdgeFor(390, 3.5), 390);
}

TEST(Catalogue, PackagesAndDiagonal) {
    EXPECT_EQ(PackageCount(850, 600), 1); // largest package 900
    EXPECT_EQ(PackageCount(900, 600), 1);
    EXPECT_EQ(PackageCount(901, 600), 2);
    EXPECT_EQ(PackageCount(601, 200), 2);  // 600
    EXPECT_EQ(PackageCount(1400, 300), 2); // 700
    EXPECT_EQ(PackageCount(1601, 400), 3); // 800
    EXPECT_EQ(PackageCount(1600, 750), 2);
    EXPECT_EQ(PackageCount(2000, 1000), 2);
    EXPECT_EQ(PackageCount(0, 600), 0);
    EXPECT_EQ(Diagonal(200), 265);
    EXPECT_EQ(Diagonal(390), 531);
    EXPECT_EQ(Diagonal(400), 536);
    EXPECT_EQ(Diagonal(600), 819);   // √2 · 600 − 30 = 818.53
    EXPECT_EQ(Diagonal(1000), 1384); // 1384.21
}

TEST(Catalogue, DesignsFromOptions) {
    EXPECT_EQ(DesignFromOptions(false, false, false), 10);
    EXPECT_EQ(DesignFromOptions(false, true, false), 20);
    EXPECT_EQ(DesignFromOptions(false, true, true), 25);
    EXPECT_EQ(DesignFromOptions(true, false, false), 30);
    EXPECT_EQ(DesignFromOptions(true, true, false), 40);
    EXPECT_EQ(DesignFromOptions(true, true, true), 60);
    // A damper needs a bypass.
    EXPECT_EQ(DesignFromOptions(false, false, true), 10);
    EXPECT_EQ(DesignFromOptions(true, false, true), 30);
    for (int d : {20, 25, 40, 60})
        EXPECT_TRUE(DesignHasBypass(d));
    for (int d : {10, 30})
        EXPECT_FALSE(DesignHasBypass(d));
}

TEST(Catalogue, PressureDropLimitAndBypass) {
    EXPECT_EQ(DpLimit(1, 400), 250);
    EXPECT_EQ(DpLimit(3, 200), 750);
    EXPECT_EQ(DpLimit(2, 500), 900);
    EXPECT_EQ(BypassWidth(600, 15, 2000), 100); // 61.7 raised to 88, plus 12
    EXPECT_EQ(BypassWidth(600, 15, 10000), 321);
    EXPECT_EQ(BypassWidth(0, 15, 10000), 100);
    EXPECT_EQ(BypassWidth(600, 5, 10000), 938); // the lowest velocity gives the widest bypass
}

// A bypass velocity of 1e-300 m/s made the bypass 2147483647 mm (the int
// range saturated), and the outer width built on it overflowed. The
// velocity has its range (5 to 15 m/s) here too, the volume must be a
// finite number of 0 or more, and a bypass wider than any buildable unit
// is an error.
TEST(Catalogue, BypassBeyondAnyBuildableSizeIsRefused) {
    for (const double v : {1e-300, 0.0, -3.0, 4.99, 15.01, double(NAN), double(INFINITY)}) {
        EXPECT_THROW(BypassWidth(600, v, 10000), DimensionError) << v;
    }
    for (const double volume : {-1.0, double(NAN), double(INFINITY), 1e12}) {
        EXPECT_THROW(BypassWidth(600, 15, volume), DimensionError) << volume;
    }
    EXPECT_TRUE(BypassVelocityInRange(kMinBypassVelocity));
    EXPECT_TRUE(BypassVelocityInRange(kMaxBypassVelocity));
    EXPECT_FALSE(BypassVelocityInRange(double(NAN)));
    // Up to the largest buildable bypass, and not one millimetre more.
    const double largest = (kMaxBuildableLength - 13) * 5 * 3.6 * 0.6;
    EXPECT_EQ(BypassWidth(600, 5, largest), kMaxBuildableLength - 1);
    EXPECT_THROW(BypassWidth(600, 5, largest * 1.001), DimensionError);
}

TEST(Catalogue, ModelDesignation) {
    EXPECT_EQ(ModelDesignation(kTypeWordEnglish, 20, 600, "850", FormatPlateGap(5.5),
                               BypassWidth(600, 15, 10000)),
              "Type: Tavro 20 / 600 / 850 - 5.5 - BY 321");
    EXPECT_EQ(ModelDesignation("Typ", 30, 400, "1200", FormatPlateGap(4.0), 321),
              "Typ: Tavro 30 / 400 / 1200 - 4.0");
    EXPECT_EQ(ModelDesignation("Type", 60, 1200, "1200", FormatPlateGap(14), 166),
              "Type: Tavro 60 / 1200 / 1200 - 14.0 - BY 166");
}

} // namespace
} // namespace tavro
