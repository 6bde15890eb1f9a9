#include "chart/chart_mapping.h"
#include "chart/mollier_chart.h"

#include "tests/support/recording_inspector.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavro {
namespace {

using test::Inspect;
using test::Inspection;

ChartSettings Chart(int type) {
    ChartSettings s;
    s.type = type;
    return s;
}

const QColor kGreen(0, 180, 0);
const QColor kViolet(182, 0, 147);

std::vector<ChartPolyline> TwoLines() {
    return {
        {{-12, 1.2, kGreen, kGreen, 0}, {4.2, 1.2, kGreen, kGreen, 0}},
        {{22, 6.6, kViolet, kViolet, 1}, {9.9, 4.9, Qt::yellow, kViolet, 0}},
    };
}

// The markers of a process layer in drawing order.
std::vector<Recording::EllipseCmd> Markers(const Recording& r) {
    std::vector<Recording::EllipseCmd> out;
    for (const Recording::Command& c : r.Commands()) {
        if (const auto* e = std::get_if<Recording::EllipseCmd>(&c)) out.push_back(*e);
    }
    return out;
}

TEST(MollierProcess, EmptyListDrawsNothing) {
    Recording r;
    r.Append(Recording::MoveToCmd{{1, 1}});
    RecordProcessLayer(r, Chart(0), {});
    EXPECT_TRUE(r.Empty());
    EXPECT_EQ(r.Size(), kChartLayerSize);
}

TEST(MollierProcess, SegmentsThenMarkersInTheirColours) {
    Recording r;
    RecordProcessLayer(r, Chart(0), TwoLines());
    const Inspection p = Inspect(r);
    const ChartMapping m(FrameFor(Chart(0)));
    ASSERT_EQ(p.lines.size(), 2u);
    EXPECT_EQ(p.lines[0].pen.color, kGreen);
    EXPECT_EQ(p.lines[0].pen.style, PenStyle::Solid);
    EXPECT_EQ(p.lines[1].pen.color, kViolet);
    EXPECT_EQ(p.lines[1].pen.style, PenStyle::Dot); // dashed draws dotted
    EXPECT_EQ(p.lines[0].pen.width, m.LayerLength(3 * m.BasePen()));
    ASSERT_EQ(Markers(r).size(), 4u);
    // The last command group is the markers: the last brush is the fill of
    // the last point.
    QColor lastFill;
    for (const Recording::Command& c : r.Commands()) {
        if (const auto* b = std::get_if<Recording::SetBrushCmd>(&c)) lastFill = b->brush.color;
    }
    EXPECT_EQ(lastFill, QColor(Qt::yellow));
}

// Mollier and Carrier place a state at the same pair (x, y), one with x to
// the right, the other with x upwards.
// A labelled state has its label beside its marker in the line colour: to
// the right, to the left near the right edge, not at all where neither
// fits. Unlabelled lines draw no text.
TEST(MollierProcess, LabelBesideItsMarker) {
    const QColor edge(0, 90, 160);
    const QString label = QStringLiteral("Coldest wall");
    for (int type : {0, 1}) {
        Recording plain;
        RecordProcessLayer(plain, Chart(type), TwoLines());
        EXPECT_TRUE(Inspect(plain).texts.empty());

        std::vector<ChartPolyline> lines = TwoLines();
        lines.push_back({{-1.5, 3.4, Qt::white, edge, 0, label}});
        Recording r;
        RecordProcessLayer(r, Chart(type), lines);
        const Inspection p = Inspect(r);
        ASSERT_EQ(p.texts.size(), 1u) << type;
        EXPECT_EQ(p.texts[0].text, label);
        EXPECT_EQ(p.texts[0].font.color, edge);
        EXPECT_EQ(p.texts[0].align, TextAlign::Left);
        const Recording::EllipseCmd marker = Markers(r).back();
        EXPECT_GT(p.texts[0].p.x(), marker.r.right()) << type;
        // Its marker stays drawn with it.
        EXPECT_EQ(Markers(r).size(), 5u);
    }
    // Close to the right edge of the Mollier chart (most moisture): left.
    const QString longer = QStringLiteral("Coldest wall (return air side)");
    std::vector<ChartPolyline> right = {{{40, 19.5, Qt::white, edge, 0, longer}}};
    Recording r;
    RecordProcessLayer(r, Chart(0), right);
    Inspection p = Inspect(r);
    ASSERT_EQ(p.texts.size(), 1u);
    EXPECT_EQ(p.texts[0].align, TextAlign::Right);
    // A label longer than the chart is wide fits nowhere.
    right[0][0].label = QString(400, QLatin1Char('W'));
    RecordProcessLayer(r, Chart(0), right);
    EXPECT_TRUE(Inspect(r).texts.empty());
}

TEST(MollierProcess, SwitchingTheChartTypeExchangesTheAxes) {
    const ChartMapping mollier(FrameFor(Chart(0))), carrier(FrameFor(Chart(1)));
    Recording rm, rc;
    RecordProcessLayer(rm, Chart(0), TwoLines());
    RecordProcessLayer(rc, Chart(1), TwoLines());
    const std::vector<Recording::EllipseCmd> em = Markers(rm), ec = Markers(rc);
    ASSERT_EQ(em.size(), 4u);
    ASSERT_EQ(ec.size(), 4u);
    size_t i = 0;
    for (const ChartPolyline& line : TwoLines()) {
        for (const ChartPoint& pt : line) {
            const double y = Ordinate(pt.t, pt.x, 1013.25);
            const QPoint pm = mollier.P(y, pt.x), pc = carrier.P(y, pt.x);
            EXPECT_EQ(pm.x(), pc.y());
            EXPECT_NEAR(pm.y() / mollier.Sy(), pc.x() / carrier.Sy(), 0.05);
            EXPECT_LE((QPointF(em[i].r.center()) - mollier.LayerF(pm)).manhattanLength(), 2.0);
            EXPECT_LE((QPointF(ec[i].r.center()) - carrier.LayerF(pc)).manhattanLength(), 2.0);
            ++i;
        }
    }
    // Higher humidity is further right in Mollier and higher up in Carrier.
    EXPECT_GT(em[2].r.center().x(), em[0].r.center().x());
    EXPECT_LT(ec[2].r.center().y(), ec[0].r.center().y());
}

TEST(MollierProcess, BadStatesAreLeftOutWithTheirSegments) {
    const double nan = std::nan("");
    std::vector<ChartPolyline> lines = TwoLines();
    lines[0].insert(lines[0].begin() + 1, ChartPoint{nan, 1.2, kGreen, kGreen, 0});
    lines[1].push_back({20, INFINITY, kViolet, kViolet, 0});
    Recording r;
    ASSERT_NO_THROW(RecordProcessLayer(r, Chart(0), lines));
    const Inspection p = Inspect(r);
    // The NaN point takes both its segments; the violet line keeps its one.
    ASSERT_EQ(p.lines.size(), 1u);
    EXPECT_EQ(p.lines[0].pen.color, kViolet);
    EXPECT_EQ(Markers(r).size(), 4u);
}

TEST(MollierProcess, FarStatesAreCutAtTheLayerEdge) {
    const std::vector<ChartPolyline> lines = {
        {{20, 5, kGreen, kGreen, 0}, {900, 5, kGreen, kGreen, 0}},
        {{20, 5, kGreen, kGreen, 0}, {20, 400, kGreen, kGreen, 0}},
        {{-300, 1e6, kGreen, kGreen, 0}, {900, -1e6, kGreen, kGreen, 0}}};
    for (const int type : {0, 1}) {
        Recording r;
        RecordProcessLayer(r, Chart(type), lines);
        const Inspection p = Inspect(r);
        ASSERT_GE(p.lines.size(), 2u);
        const QRectF inside(0, 0, kChartLayerSize.width(), kChartLayerSize.height());
        for (const test::DrawnLine& l : p.lines) {
            EXPECT_TRUE(inside.contains(l.from) && inside.contains(l.to));
        }
        EXPECT_EQ(Markers(r).size(), 2u); // only the states inside the chart
    }
}

TEST(MollierProcess, UnusablePressureDrawsNothingAndDoesNotThrow) {
    Recording r;
    ChartSettings s = Chart(0);
    s.pressure = std::nan("");
    ASSERT_NO_THROW(RecordProcessLayer(r, s, TwoLines()));
    EXPECT_TRUE(Markers(r).empty());
}

} // namespace
} // namespace tavro
