#include "output/sketch.h"

#include "tests/support/recording_inspector.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

using test::Inspect;
using test::Inspection;

QRect Box(int l, int t, int r, int b) {
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

Inspection Sketch(int design, int n) {
    DrawSketch(design, n);
    return Inspect(SketchPicture());
}

TEST(Sketch, DesignTenOneUnit) {
    const Inspection s = Sketch(10, 1);
    EXPECT_EQ(SketchPicture().Size(), QSize(2970, 1100));
    ASSERT_EQ(s.pictures.size(), 1u);
    EXPECT_EQ(s.pictures[0].r, Box(200, 170, 1080, 890));
    EXPECT_TRUE(s.HasLine(200, 924, 700, 924));
    EXPECT_TRUE(s.HasLine(133, 890, 133, 390));
    EXPECT_TRUE(s.HasLine(900, 890, 1280, 670));
    EXPECT_EQ(s.Text(QStringLiteral("H"))->p, QPoint(70, 595));
    EXPECT_EQ(s.Text(QStringLiteral("T"))->p, QPoint(450, 940));
    EXPECT_EQ(s.Text(QStringLiteral("  B"))->p, QPoint(1090, 780));
    EXPECT_EQ(s.Text(QStringLiteral("H"))->align, TextAlign::Centre);
}

TEST(Sketch, DesignTwentyTwoUnits) {
    const Inspection s = Sketch(20, 2);
    ASSERT_EQ(s.pictures.size(), 2u);
    EXPECT_EQ(s.pictures[0].r.left(), 200);
    EXPECT_EQ(s.pictures[1].r.left(), 700);
    EXPECT_EQ(s.pictures[1].r, Box(700, 90, 1710, 890));
    EXPECT_TRUE(s.HasLine(200, 924, 1200, 924));
    EXPECT_TRUE(s.HasLine(1400, 890, 1910, 590));
    EXPECT_EQ(s.Text(QStringLiteral("T"))->p, QPoint(700, 940));
}

TEST(Sketch, DesignTwentyFiveHasItsDamperView) {
    const Inspection s = Sketch(25, 1);
    ASSERT_EQ(s.pictures.size(), 1u);
    EXPECT_EQ(s.pictures[0].r, Box(200, 40, 1240, 890));
    EXPECT_TRUE(s.HasLine(133, 890, 133, 340));
}

TEST(Sketch, DesignSixtyFourUnitsStaysInThePicture) {
    const Inspection s = Sketch(60, 4);
    EXPECT_EQ(s.pictures.size(), 4u);
    EXPECT_TRUE(s.HasLine(200, 924, 2200, 924));
    EXPECT_TRUE(s.HasLine(2400, 890, 2850, 630));
    for (const test::DrawnLine& l : s.lines) {
        EXPECT_LE(std::max(l.from.x(), l.to.x()), 2970);
    }
    // Units outside 1..4 are brought into that range.
    EXPECT_EQ(Sketch(60, 9).pictures.size(), 4u);
    EXPECT_EQ(Sketch(60, 0).pictures.size(), 1u);
}

TEST(Sketch, ArrowHeadsPointAwayFromTheOtherEnd) {
    Recording r(QSize(1000, 1000));
    {
        TRecordingCanvas c(r);
        DrawDimensionArrow(c, 200, 924, 700, 924);
    }
    bool left = false, right = false;
    for (const auto& command : r.Commands()) {
        if (const auto* p = std::get_if<Recording::PolygonCmd>(&command)) {
            const std::vector<QPoint> a = {{200, 924}, {240, 934}, {240, 914}};
            const std::vector<QPoint> b = {{700, 924}, {660, 924 - 10}, {660, 934}};
            if (p->points == a) left = true;
            if (p->points[0] == QPoint(700, 924) && p->points[1].x() == 660) right = true;
            (void)b;
        }
    }
    EXPECT_TRUE(left);
    EXPECT_TRUE(right);
}

} // namespace
} // namespace tavro
