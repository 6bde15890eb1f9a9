// The process layer of the chart: the air-state changes of a calculation as
// coloured polylines with a marker at every state.

#include "chart/chart_mapping.h"
#include "chart/layer_geometry.h"
#include "chart/mollier_chart.h"
#include "physics/numeric/rounding.h"

#include <cmath>
#include <optional>

namespace tavro {

namespace {

// The page canvas has no dashed pen; dashed and dotted segments both draw
// dotted, anything unknown solid.
PenStyle SegmentStyle(int style) {
    return style == 1 || style == 2 ? PenStyle::Dot : PenStyle::Solid;
}

// The layer position of a state, or nothing when it cannot be placed.
std::optional<QPointF> Place(const ChartMapping& m, const ChartFrame& fr, const ChartPoint& pt) {
    if (!std::isfinite(pt.t) || !std::isfinite(pt.x)) return std::nullopt;
    try {
        const QPointF p = m.LayerF(m.P(Ordinate(pt.t, pt.x, fr.p), pt.x));
        if (!std::isfinite(p.x()) || !std::isfinite(p.y())) return std::nullopt;
        return p;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

QPoint Rounded(const QPointF& p) {
    return {RoundHalfEven(p.x()), RoundHalfEven(p.y())};
}

void DrawProcess(TWMFCanvas& c, const ChartSettings& s, const std::vector<ChartPolyline>& lines) {
    const ChartFrame fr = FrameFor(s);
    const ChartMapping m(fr);
    const int base = m.LayerLength(m.BasePen());
    std::vector<std::vector<std::optional<QPointF>>> placed;
    placed.reserve(lines.size());
    for (const ChartPolyline& line : lines) {
        auto& points = placed.emplace_back();
        points.reserve(line.size());
        for (const ChartPoint& pt : line)
            points.push_back(Place(m, fr, pt));
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto& points = placed[i];
        for (size_t j = 0; j + 1 < points.size(); ++j) {
            if (!points[j] || !points[j + 1]) continue;
            QPointF a = *points[j], b = *points[j + 1];
            if (!ClipToLayer(a, b)) continue;
            const ChartPoint& first = lines[i][j];
            c.SetPen({SegmentStyle(first.style), m.LayerLength(3 * m.BasePen()), first.line});
            c.MoveTo(Rounded(a));
            c.LineTo(Rounded(b));
        }
    }
    // Markers: circles of three base pen widths' radius with a black
    // outline, over all lines.
    const double r = m.LayerLength(3 * m.BasePen());
    c.SetPen({PenStyle::Solid, base, Qt::black});
    for (size_t i = 0; i < lines.size(); ++i) {
        for (size_t j = 0; j < lines[i].size(); ++j) {
            const auto& p = placed[i][j];
            // A marker is drawn whole or not at all.
            if (!p || !InsideLayer(*p - QPointF(r, r)) || !InsideLayer(*p + QPointF(r, r))) {
                continue;
            }
            c.SetBrush({BrushStyle::Solid, lines[i][j].fill});
            c.Ellipse(Rounded(*p - QPointF(r, r)), Rounded(*p + QPointF(r, r)));
        }
    }
    // Labels over everything, on white so that the grid's labels beneath
    // do not run into them: beside their marker, centred on its height.
    const int f = RoundHalfEven(0.9 * m.FontHeight());
    c.SetBackground(Qt::white, false);
    for (size_t i = 0; i < lines.size(); ++i) {
        for (size_t j = 0; j < lines[i].size(); ++j) {
            const ChartPoint& pt = lines[i][j];
            if (pt.label.isEmpty() || !placed[i][j]) continue;
            const QPoint at = m.P(Ordinate(pt.t, pt.x, fr.p), pt.x);
            c.SetFont(ChartFont(m.LayerLength(f), pt.line));
            if (ChartText(c, m, Up(at, f, f / 2), pt.label, TextAlign::Left, false).isEmpty())
                ChartText(c, m, Up(at, -f, f / 2), pt.label, TextAlign::Right, false);
        }
    }
}

} // namespace

void RecordProcessLayer(Recording& out, const ChartSettings& s,
                        const std::vector<ChartPolyline>& lines) {
    out.Reset(kChartLayerSize);
    if (lines.empty()) return;
    try {
        TWMFCanvas canvas(out);
        DrawProcess(canvas, s, lines);
    } catch (const std::exception&) {
        // A fault (a pressure the chart cannot be drawn for, memory) ends
        // the drawing; what was drawn stays. The chart must never take the
        // window down over the process data.
    }
}

void RecordChartLayers(Recording& grid, Recording& process, const ChartSettings& s,
                       const std::vector<ChartPolyline>& lines) {
    try {
        RecordGridLayer(grid, s);
    } catch (const std::exception&) {
        // A pressure the chart cannot be drawn for: the grid keeps what was
        // drawn; a message from inside a redraw would repeat with every
        // change of the data.
    }
    RecordProcessLayer(process, s, lines);
}

} // namespace tavro
