#include "chart/chart_mapping.h"
#include "chart/mollier_chart.h"

#include "output/text_metrics.h"
#include "physics/moist_air.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/languages.h"
#include "tests/support/recording_inspector.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace tavro {
namespace {

using test::DrawnText;
using test::Inspect;
using test::Inspection;

ChartSettings Chart(int type, bool si, int tempRange, int humRange, double p = 1013.25) {
    ChartSettings s;
    s.type = type;
    s.si = si;
    s.tempRange = tempRange;
    s.humRange = humRange;
    s.pressure = p;
    return s;
}

class MollierGrid : public testing::Test {
protected:
    void SetUp() override { CurrentLanguage = kEnglish; }

    Inspection Grid(const ChartSettings& s) {
        RecordGridLayer(layer, s);
        return Inspect(layer);
    }

    Recording layer;
};

// The texts drawn after the first text that starts with `from` and before
// the first one after it that starts with `to` (to empty: up to the end).
std::vector<QString> TextsBetween(const Inspection& g, const QString& from, const QString& to) {
    std::vector<QString> out;
    bool inside = false;
    for (const DrawnText& t : g.texts) {
        if (inside && !to.isEmpty() && t.text.startsWith(to)) break;
        if (inside) out.push_back(t.text);
        if (!inside && t.text.startsWith(from)) inside = true;
    }
    return out;
}

// The labels of the relative-humidity curves: everything after their title.
std::vector<QString> RelHumidityLabels(const Inspection& g) {
    return TextsBetween(g, TextOf(13), {});
}

// The humidity labels lie between the chart title and the humidity axis title.
std::vector<QString> HumidityLabels(const Inspection& g, int type) {
    return TextsBetween(g, TextOf(type == 0 ? 157 : 158), TextOf(209));
}

struct FirstCurveRow {
    bool si;
    int tempRange;
    const char* first;
    const char* notDrawn;
};

class FirstCurve : public MollierGrid, public testing::WithParamInterface<FirstCurveRow> {};

TEST_P(FirstCurve, DependsOnTheUpperTemperature) {
    const FirstCurveRow& r = GetParam();
    for (const int type : {0, 1}) {
        const std::vector<QString> labels =
            RelHumidityLabels(Grid(Chart(type, r.si, r.tempRange, 0)));
        ASSERT_FALSE(labels.empty());
        EXPECT_EQ(labels.front(), QString::fromLatin1(r.first));
        EXPECT_EQ(std::count(labels.begin(), labels.end(), QString::fromLatin1(r.notDrawn)), 0);
        // Every later value follows up to 100 %, 70 % and 90 % unlabelled.
        EXPECT_EQ(labels.back(), QStringLiteral("100"));
        EXPECT_EQ(std::count(labels.begin(), labels.end(), QStringLiteral("70")), 0);
        EXPECT_EQ(std::count(labels.begin(), labels.end(), QStringLiteral("90")), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(UpperTemperatures, FirstCurve,
                         testing::Values(FirstCurveRow{true, 0, "5", "4"},   // 60 °C
                                         FirstCurveRow{true, 2, "5", "4"},   // 100 °C
                                         FirstCurveRow{true, 3, "3", "2"},   // 120 °C
                                         FirstCurveRow{true, 4, "1", "0.5"}, // 140 °C
                                         FirstCurveRow{false, 0, "5", "4"},  // 140 °F = 60 °C
                                         FirstCurveRow{false, 2, "3", "2"},  // 220 °F = 104 °C
                                         FirstCurveRow{false, 4, "1", "0.5"}));

TEST_F(MollierGrid, CurveCountFollowsTheFirstValue) {
    // 5 % … 100 % are 13 values, 3 % adds two, 1 % adds four; 70 and 90 % are
    // drawn without a label.
    EXPECT_EQ(RelHumidityLabels(Grid(Chart(0, true, 0, 0))).size(), 13u - 2u);
    EXPECT_EQ(RelHumidityLabels(Grid(Chart(0, true, 3, 0))).size(), 15u - 2u);
    EXPECT_EQ(RelHumidityLabels(Grid(Chart(0, true, 4, 0))).size(), 17u - 2u);
}

TEST_F(MollierGrid, TitleNamesThePressureInTheUnitSystem) {
    struct Row {
        int type;
        bool si;
        double p;
        QString title;
    };
    const Row rows[] = {
        {0, true, 1013.25, TextOf(157) + QStringLiteral(" 1013 mbar")},
        {1, true, 950, TextOf(158) + QStringLiteral(" 950 mbar")},
        {0, false, 1013.25, TextOf(157) + QStringLiteral(" 1.00 atm")},
        {1, false, 950, TextOf(158) + QStringLiteral(" 0.94 atm")},
    };
    for (const Row& r : rows) {
        const Inspection g = Grid(Chart(r.type, r.si, 1, 0, r.p));
        ASSERT_FALSE(g.texts.empty());
        EXPECT_EQ(g.texts.front().text, r.title);
        EXPECT_EQ(g.texts.front().font.color, QColor(Qt::black));
    }
}

TEST_F(MollierGrid, InchPoundHumidityLabelsSkipOddLinesAboveTwentyFiveGramsPerKilogram) {
    for (const int type : {0, 1}) {
        // 140 gr/lb (20 g/kg): every line of 10 gr/lb is labelled.
        std::vector<QString> labels = HumidityLabels(Grid(Chart(type, false, 1, 0)), type);
        ASSERT_EQ(labels.size(), 15u);
        EXPECT_EQ(labels[1], QStringLiteral("10"));
        EXPECT_EQ(labels.back(), QStringLiteral("140"));
        // 220 gr/lb (31.4 g/kg): only the even lines 0, 20, … 220.
        labels = HumidityLabels(Grid(Chart(type, false, 1, 1)), type);
        ASSERT_EQ(labels.size(), 12u);
        EXPECT_EQ(labels[1], QStringLiteral("20"));
        EXPECT_EQ(labels.back(), QStringLiteral("220"));
        // SI keeps every label at any width.
        labels = HumidityLabels(Grid(Chart(type, true, 1, 4)), type);
        ASSERT_EQ(labels.size(), 13u);
        EXPECT_EQ(labels[1], QStringLiteral("5"));
    }
}

// Lines of constant temperature: from 0.2 g/kg outside the humidity axis to
// saturation, then 0.5 g/kg into the fog region.
TEST_F(MollierGrid, TemperatureLinesStartOutsideTheAxisAndEnterTheFog) {
    for (const int type : {0, 1}) {
        const ChartSettings s = Chart(type, true, 1, 0);
        const Inspection g = Grid(s);
        const ChartFrame frame = FrameFor(s);
        const ChartMapping m(frame);
        auto at = [&](double t, double x) { return m.Layer(m.P(Ordinate(t, x, s.pressure), x)); };
        for (const double t : {-10.0, 0.0, 10.0, 20.0}) {
            SCOPED_TRACE(testing::Message() << "type " << type << ", " << t << " °C");
            const double xs = HumidityRatio(t, 100, s.pressure);
            const QPoint start = at(t, -0.2), sat = at(t, xs), fog = at(t, xs + 0.5);
            EXPECT_TRUE(g.HasLine(start.x(), start.y(), sat.x(), sat.y()));
            EXPECT_TRUE(g.HasLine(sat.x(), sat.y(), fog.x(), fog.y()));
            // Outside the axis: left of it (Mollier) or below it (Carrier).
            const QPoint axis = at(t, 0);
            if (type == 0) {
                EXPECT_LT(start.x(), axis.x());
            } else {
                EXPECT_GT(start.y(), axis.y());
            }
        }
        // Lines that saturate above the range end on its border without a
        // fog piece.
        const QPoint start = at(60, -0.2), border = at(60, frame.xMax);
        EXPECT_TRUE(g.HasLine(start.x(), start.y(), border.x(), border.y()));
    }
}

TEST_F(MollierGrid, LabelledTemperatureLinesAreThick) {
    const Inspection g = Grid(Chart(0, false, 0, 0));
    const ChartSettings s = Chart(0, false, 0, 0);
    const ChartMapping m(FrameFor(s));
    // 0 °F and 20 °F lines (labelled) have the base pen, 5 °F the thinnest.
    for (const auto& [fahrenheit, thick] : {std::pair{0.0, true}, {5.0, false}, {20.0, true}}) {
        const double t = (fahrenheit - 32) / 1.8;
        const QPoint start = m.Layer(m.P(Ordinate(t, -0.2, s.pressure), -0.2));
        const auto line = std::find_if(g.lines.begin(), g.lines.end(),
                                       [&](const test::DrawnLine& l) { return l.from == start; });
        ASSERT_NE(line, g.lines.end()) << fahrenheit;
        EXPECT_EQ(line->pen.width > 0, thick) << fahrenheit;
    }
}

TEST_F(MollierGrid, VerticalTitlesReadUpwardsAndTheEnthalpyTitleFollowsSaturation) {
    for (const int type : {0, 1}) {
        const Inspection g = Grid(Chart(type, true, 1, 0));
        const QString upright = TextOf(type == 0 ? 211 : 209);
        const QString flat = TextOf(type == 0 ? 209 : 211);
        for (const DrawnText& t : g.texts) {
            if (t.text.startsWith(upright)) {
                EXPECT_EQ(t.font.angle, 900);
            }
            if (t.text.startsWith(flat)) {
                EXPECT_EQ(t.font.angle, 0);
            }
            // The saturation line rises to the right as seen in both charts.
            if (t.text.startsWith(TextOf(210))) {
                EXPECT_GT(t.font.angle, 0);
                EXPECT_LT(t.font.angle, 900);
            }
        }
        EXPECT_EQ(std::count_if(g.texts.begin(), g.texts.end(),
                                [](const DrawnText& t) { return t.text.startsWith(TextOf(210)); }),
                  1);
    }
}

TEST_F(MollierGrid, EnthalpyLabelsAreWholeStepsOfTheShownUnit) {
    struct Row {
        bool si;
        int humRange;
        int step;
    };
    for (const Row& r : {Row{true, 0, 5}, Row{true, 4, 20}, Row{false, 0, 2}, Row{false, 4, 10}}) {
        const Inspection g = Grid(Chart(0, r.si, 1, r.humRange));
        int labels = 0;
        for (const DrawnText& t : g.texts) {
            if (t.font.color != QColor(68, 68, 68) || t.text.startsWith(TextOf(210))) continue;
            bool number = false;
            const int value = t.text.toInt(&number);
            ASSERT_TRUE(number) << t.text.toStdString();
            EXPECT_EQ(value % r.step, 0) << value;
            ++labels;
        }
        EXPECT_GE(labels, 5) << r.si << " " << r.humRange;
    }
}

TEST_F(MollierGrid, BadPressureThrowsInsteadOfDrawingNonsense) {
    for (const double p : {0.0, -5.0, double(NAN), double(INFINITY)}) {
        EXPECT_THROW(RecordGridLayer(layer, Chart(0, true, 1, 0, p)), ArithmeticFault) << p;
        EXPECT_EQ(layer.Size(), kChartLayerSize);
    }
}

// The four corners of a recorded text's cell, on the layer.
std::array<QPointF, 4> TextCorners(const DrawnText& t) {
    const QFont font = MakeQFont(t.font);
    const double w = QFontMetricsF(font).horizontalAdvance(t.text);
    const double h = QFontMetricsF(font).height();
    const double a = t.font.angle / 10.0 * std::numbers::pi / 180.0;
    const QPointF along(std::cos(a), -std::sin(a)), down(std::sin(a), std::cos(a));
    const double shift = t.align == TextAlign::Right ? w : t.align == TextAlign::Centre ? w / 2 : 0;
    const QPointF start = QPointF(t.p) - along * shift;
    return {start, start + along * w, start + down * h, start + along * w + down * h};
}

QPolygonF Cell(const DrawnText& t) {
    const auto c = TextCorners(t);
    return QPolygonF({c[0], c[1], c[3], c[2]}); // around the cell
}

// The texts whose cells the enthalpy axis title's cell intersects.
std::vector<QString> TextsUnderTheEnthalpyTitle(const Inspection& g) {
    const auto title = std::find_if(g.texts.begin(), g.texts.end(), [](const DrawnText& t) {
        return t.text.startsWith(TextOf(210));
    });
    if (title == g.texts.end()) return {};
    std::vector<QString> under;
    for (const DrawnText& t : g.texts) {
        if (&t != &*title && Cell(t).intersects(Cell(*title))) under.push_back(t.text);
    }
    return under;
}

// In the wide psychrometric chart the enthalpy axis title lay across the
// enthalpy labels "80" and "100".
TEST_F(MollierGrid, EnthalpyTitleIsClearOfTheLabelsInTheWidePsychrometricChart) {
    for (const bool si : {true, false}) {
        const Inspection g = Grid(Chart(1, si, 4, 4));
        ASSERT_TRUE(std::any_of(g.texts.begin(), g.texts.end(),
                                [](const DrawnText& t) { return t.text.startsWith(TextOf(210)); }));
        const std::vector<QString> under = TextsUnderTheEnthalpyTitle(g);
        EXPECT_TRUE(under.empty()) << (si ? "SI: " : "inch-pound: ") << under.front().toStdString();
    }
}

class EveryRange : public MollierGrid,
                   public testing::WithParamInterface<std::tuple<int, bool, int, int>> {};

TEST_P(EveryRange, EverythingLiesInsideTheLayer) {
    const auto [type, si, tempRange, humRange] = GetParam();
    const Inspection g = Grid(Chart(type, si, tempRange, humRange));
    const QRectF inside(0, 0, kChartLayerSize.width(), kChartLayerSize.height());
    ASSERT_GT(g.lines.size(), 100u);
    for (const test::DrawnLine& l : g.lines) {
        EXPECT_TRUE(inside.contains(l.from) && inside.contains(l.to))
            << l.from.x() << "," << l.from.y() << " " << l.to.x() << "," << l.to.y();
    }
    for (const DrawnText& t : g.texts) {
        for (const QPointF& c : TextCorners(t)) {
            EXPECT_TRUE(inside.contains(c))
                << t.text.toStdString() << " corner " << c.x() << "," << c.y();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(TypesUnitsRanges, EveryRange,
                         testing::Combine(testing::Values(0, 1), testing::Bool(),
                                          testing::Range(0, 5), testing::Range(0, 5)));

// Process lines with states inside and far outside every chart: hot air
// above the boiling point at the lowest pressures, fog, very dry and very
// humid air, a state below the lower temperature.
std::vector<ChartPolyline> WideProcessLines() {
    const QColor c(0, 180, 0);
    return {{{-12, 1.2, c, c, 0}, {4.2, 1.2, c, c, 0}, {22, 6.6, c, c, 1}},
            {{80, 10, c, c, 0}, {95, 40, c, c, 0}, {130, 120, c, c, 0}, {60, 150, c, c, 0}},
            {{-40, 0.1, c, c, 0}, {10, 30, c, c, 2}, {140, 0, c, c, 0}}};
}

class LowerPressure : public MollierGrid,
                      public testing::WithParamInterface<std::tuple<int, bool, int, int, double>> {
};

// Below about 1000 mbar with the ranges up to 120 °C or 140 °C, the
// relative-humidity curves plunged from about 95 °C through the axis
// labels and off the chart, and on the page through the footer and off
// the sheet. Every drawn point of both layers must lie inside the layer.
TEST_P(LowerPressure, NothingIsDrawnOutsideTheLayer) {
    const auto [type, si, tempRange, humRange, p] = GetParam();
    const ChartSettings s = Chart(type, si, tempRange, humRange, p);
    const Inspection g = Grid(s);
    const QRectF inside(0, 0, kChartLayerSize.width(), kChartLayerSize.height());
    ASSERT_GT(g.lines.size(), 100u);
    for (const test::DrawnLine& l : g.lines) {
        EXPECT_TRUE(inside.contains(l.from) && inside.contains(l.to))
            << l.from.x() << "," << l.from.y() << " " << l.to.x() << "," << l.to.y();
    }
    for (const DrawnText& t : g.texts) {
        for (const QPointF& c : TextCorners(t)) {
            EXPECT_TRUE(inside.contains(c))
                << t.text.toStdString() << " corner " << c.x() << "," << c.y();
        }
    }
    for (const QString& text : TextsUnderTheEnthalpyTitle(g)) {
        ADD_FAILURE() << "the enthalpy title covers " << text.toStdString();
    }
    Recording process;
    RecordProcessLayer(process, s, WideProcessLines());
    const Inspection pr = Inspect(process);
    EXPECT_FALSE(pr.lines.empty());
    for (const test::DrawnLine& l : pr.lines) {
        EXPECT_TRUE(inside.contains(l.from) && inside.contains(l.to))
            << "process " << l.from.x() << "," << l.from.y() << " " << l.to.x() << "," << l.to.y();
    }
    for (const Recording::Command& c : process.Commands()) {
        if (const auto* e = std::get_if<Recording::EllipseCmd>(&c)) {
            EXPECT_TRUE(inside.contains(e->r.topLeft()) && inside.contains(e->r.bottomRight()))
                << "marker " << e->r.x() << "," << e->r.y();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(TypesUnitsRangesPressures, LowerPressure,
                         testing::Combine(testing::Values(0, 1), testing::Bool(),
                                          testing::Range(0, 5), testing::Range(0, 5),
                                          testing::Values(600.0, 845.0, 977.0, 1100.0)));

} // namespace
} // namespace tavro
