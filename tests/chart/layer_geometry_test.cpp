#include "chart/layer_geometry.h"

#include "chart/mollier_chart.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

TEST(LayerGeometry, SegmentsAreCutAtTheLayerEdges) {
    const double W = kChartLayerSize.width(), H = kChartLayerSize.height();
    struct Row {
        QPointF a, b;   // the segment
        bool kept;      // whether anything of it is inside
        QPointF ca, cb; // what is left of it
    };
    const Row rows[] = {
        {{10, 20}, {30, 40}, true, {10, 20}, {30, 40}},               // inside: unchanged
        {{-100, 100}, {100, 100}, true, {0, 100}, {100, 100}},        // enters from the left
        {{300, 400}, {300, 5000}, true, {300, 400}, {300, H}},        // leaves at the bottom
        {{-W / 2, -H / 2}, {1.5 * W, 1.5 * H}, true, {0, 0}, {W, H}}, // crosses the layer
        {{-10, 5}, {-1, 500}, false, {}, {}},                         // wholly left of it
        {{W + 1, -5}, {W + 50, H}, false, {}, {}},                    // wholly right of it
        {{0, 0}, {W, 0}, true, {0, 0}, {W, 0}},                       // along its edge
    };
    for (const Row& r : rows) {
        QPointF a = r.a, b = r.b;
        ASSERT_EQ(ClipToLayer(a, b), r.kept) << r.a.x() << "," << r.a.y();
        if (!r.kept) continue;
        EXPECT_NEAR(a.x(), r.ca.x(), 1e-9);
        EXPECT_NEAR(a.y(), r.ca.y(), 1e-9);
        EXPECT_NEAR(b.x(), r.cb.x(), 1e-9);
        EXPECT_NEAR(b.y(), r.cb.y(), 1e-9);
    }
}

TEST(LayerGeometry, TextCellsFollowAlignmentAndAngle) {
    FontSpec font;
    font.height = 20;
    const QPolygonF left = TextCell(font, QStringLiteral("100"), TextAlign::Left, {50, 50});
    const QPolygonF right = TextCell(font, QStringLiteral("100"), TextAlign::Right, {50, 50});
    ASSERT_EQ(left.size(), 4);
    EXPECT_EQ(left[0], QPointF(50, 50));
    EXPECT_GT(left[1].x(), 50); // runs to the right of the point
    EXPECT_NEAR(right[1].x(), 50, 1e-9);
    EXPECT_GT(left[3].y(), 50); // the cell hangs below its top
    // Turned a quarter counter-clockwise, the text reads upwards.
    font.angle = 900;
    const QPolygonF up = TextCell(font, QStringLiteral("100"), TextAlign::Left, {50, 300});
    EXPECT_NEAR(up[1].x(), 50, 1e-9);
    EXPECT_LT(up[1].y(), 300);
    EXPECT_TRUE(InsideLayer(left));
    EXPECT_FALSE(InsideLayer(TextCell(font, QStringLiteral("100"), TextAlign::Left, {5, 5})));
}

} // namespace
} // namespace tavro
