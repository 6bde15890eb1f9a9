#include "output/sketch.h"

#include "output/painter_canvas.h"
#include "tests/support/recording_inspector.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

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

// A straight stroke that a front view draws, in sketch units.
struct Stroke {
    QPointF a, b;
};

// Every line and outlined polygon edge the front views of the sketch draw,
// played into their boxes; the arrows and letters are left out.
std::vector<Stroke> DrawnEdges() {
    std::vector<Stroke> edges;
    for (const auto& command : SketchPicture().Commands()) {
        const auto* play = std::get_if<Recording::PlayCmd>(&command);
        if (!play || !play->recording) continue;
        Recording flat(SketchPicture().Size());
        {
            TRecordingCanvas canvas(flat);
            play->recording->Play(canvas, play->r);
        }
        PenSpec pen;
        QPoint at;
        for (const auto& c : flat.Commands()) {
            if (const auto* p = std::get_if<Recording::SetPenCmd>(&c)) pen = p->pen;
            if (pen.style == PenStyle::Clear) continue;
            if (const auto* m = std::get_if<Recording::MoveToCmd>(&c)) at = m->p;
            if (const auto* l = std::get_if<Recording::LineToCmd>(&c)) {
                edges.push_back({at, l->p});
                at = l->p;
            }
            if (const auto* poly = std::get_if<Recording::PolygonCmd>(&c)) {
                for (size_t i = 0; i < poly->points.size(); ++i)
                    edges.push_back({poly->points[i], poly->points[(i + 1) % poly->points.size()]});
            }
        }
    }
    return edges;
}

// Whether p lies within tol of a drawn stroke that runs in direction dir.
bool OnParallelStroke(const std::vector<Stroke>& edges, QPointF p, QPointF dir, double tol) {
    for (const Stroke& s : edges) {
        const QPointF d = s.b - s.a;
        const double len = std::hypot(d.x(), d.y());
        if (len < 1) continue;
        const QPointF u = d / len;
        if (std::fabs(u.x() * dir.y() - u.y() * dir.x()) > 0.02) continue; // not parallel
        const QPointF v = p - s.a;
        const double along = v.x() * u.x() + v.y() * u.y();
        const double across = std::fabs(v.x() * u.y() - v.y() * u.x());
        if (across <= tol && along >= -tol && along <= len + tol) return true;
    }
    return false;
}

struct Legs {
    int design, h2, w2;
};

constexpr Legs kLegs[] = {{10, 220, 380}, {20, 300, 510}, {25, 300, 510},
                          {30, 230, 390}, {40, 300, 520}, {60, 260, 450}};

// The dimension arrows stand clear of the drawing: H 67 left of the front,
// T 34 below the ground line, B 200 to the right of the receding edge. Each
// arrow, carried over that distance onto the unit, must run along a drawn
// edge from its one end to its other, and the edge must end where the
// arrow ends, so that H, T and B measure what the data sheet calls them.
TEST(Sketch, EveryArrowRunsAlongTheEdgeItDimensions) {
    for (const Legs& legs : kLegs) {
        for (int n : {1, 2, 4}) {
            SCOPED_TRACE(testing::Message() << "design " << legs.design << ", " << n << " units");
            DrawSketch(legs.design, n);
            const std::vector<Stroke> edges = DrawnEdges();
            ASSERT_FALSE(edges.empty());
            // The last unit of design 25 is the tallest: the height is its front edge.
            const int tallest = legs.design == 25 ? n - 1 : 0;
            const int top = legs.design == 25 ? 340 : 390;
            struct Edge {
                const char* letter;
                QPointF from, to;
            };
            const Edge dimensioned[] = {
                {"H", QPointF(200 + 500 * tallest, 890), QPointF(200 + 500 * tallest, top)},
                {"T", QPointF(200, 890), QPointF(200 + 500 * n, 890)},
                {"B", QPointF(200 + 500 * n, 890), QPointF(200 + 500 * n + legs.w2, 890 - legs.h2)},
            };
            for (const Edge& e : dimensioned) {
                SCOPED_TRACE(e.letter);
                const QPointF d = e.to - e.from;
                const double len = std::hypot(d.x(), d.y());
                const QPointF dir = d / len;
                const int steps = int(std::ceil(len / 10));
                for (int i = 0; i <= steps; ++i) {
                    const double s = len * i / steps;
                    EXPECT_TRUE(OnParallelStroke(edges, e.from + dir * s, dir, 2))
                        << "nothing drawn at " << s << " of " << len;
                }
                EXPECT_FALSE(OnParallelStroke(edges, e.from - dir * 12, dir, 2)) << "starts early";
                EXPECT_FALSE(OnParallelStroke(edges, e.to + dir * 12, dir, 2)) << "runs on";
            }
        }
    }
}

// With TAVRO_SKETCH_SHOTS naming a folder, the sketch of every design with
// one and four units is rendered there as sketch-<design>-<n>.png, at about
// the size the data sheet prints it at 300 dpi (scripts/render-vectors.sh).
TEST(Sketch, RendersForLookingAtWhenAskedTo) {
    const char* folder = std::getenv("TAVRO_SKETCH_SHOTS");
    if (!folder || !*folder) GTEST_SKIP() << "TAVRO_SKETCH_SHOTS names no folder";
    const QDir dir(QString::fromLocal8Bit(folder));
    ASSERT_TRUE(QDir().mkpath(dir.path()));
    for (const Legs& legs : kLegs) {
        for (int n : {1, 4}) {
            DrawSketch(legs.design, n);
            const QSize pixels(1276, 473); // 108 mm x 40 mm at 300 dpi
            QImage image(pixels, QImage::Format_RGB32);
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                painter.setRenderHint(QPainter::Antialiasing);
                painter.setWindow(0, 0, 2970, 1100);
                TPainterCanvas canvas(painter);
                SketchPicture().Play(canvas, QRect(0, 0, 2970, 1100));
            }
            const QString file =
                dir.filePath(QStringLiteral("sketch-%1-%2.png").arg(legs.design).arg(n));
            EXPECT_TRUE(image.save(file)) << file.toStdString();
        }
    }
}

} // namespace
} // namespace tavro
