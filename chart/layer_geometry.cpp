#include "chart/layer_geometry.h"

#include "chart/mollier_chart.h"
#include "output/text_metrics.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavro {

bool ClipToLayer(QPointF& a, QPointF& b) {
    const double W = kChartLayerSize.width(), H = kChartLayerSize.height();
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x(), W - a.x(), a.y(), H - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    const QPointF from = a;
    if (t0 > 0) a = from + QPointF(dx, dy) * t0;
    if (t1 < 1) b = from + QPointF(dx, dy) * t1;
    return true;
}

bool InsideLayer(const QPointF& p) {
    return p.x() >= 0 && p.y() >= 0 && p.x() <= kChartLayerSize.width() &&
           p.y() <= kChartLayerSize.height();
}

bool InsideLayer(const QPolygonF& polygon) {
    return std::all_of(polygon.begin(), polygon.end(),
                       [](const QPointF& p) { return InsideLayer(p); });
}

QPolygonF TextCell(const FontSpec& font, const QString& text, TextAlign align, const QPointF& at) {
    const QFontMetricsF metrics(MakeQFont(font));
    const double w = metrics.horizontalAdvance(text);
    const double h = metrics.height();
    const double a = font.angle / 10.0 * std::numbers::pi / 180.0;
    // Along the text and down the cell, on the y-down layer.
    const QPointF along(std::cos(a), -std::sin(a)), down(std::sin(a), std::cos(a));
    const double shift = align == TextAlign::Right ? w : align == TextAlign::Centre ? w / 2 : 0;
    const QPointF start = at - along * shift;
    return QPolygonF({start, start + along * w, start + along * w + down * h, start + down * h});
}

} // namespace tavro
