#pragma once

// What the chart window draws: the process lines handed in by the product
// window and the settings of the chart they are drawn into.

#include <QColor>
#include <QString>

#include <vector>

namespace tavro {

/// One state of a process line: temperature (°C), humidity ratio (g/kg), the fill colour
/// of its marker, and colour and style of the segment to the next point (0 solid, 1 dashed,
/// 2 dotted; the page canvas has no dashed pen, so 1 and 2 both draw dotted, and any other
/// value draws solid). A point with a label has it written beside its marker in the
/// line colour, to its right where it fits, else to its left, else not at all.
struct ChartPoint {
    double t = 0;
    double x = 0;
    QColor fill = Qt::white;
    QColor line = Qt::black;
    int style = 0;
    QString label = {};
};
using ChartPolyline = std::vector<ChartPoint>;

/// What a chart is drawn for: type 0 Mollier (h-x diagram), 1 Carrier (psychrometric
/// chart); SI or inch-pound labels; the temperature and humidity range indices (0 to 4,
/// see chart_ranges.h; others are clamped); the air pressure in hPa.
struct ChartSettings {
    int type = 0;
    bool si = true;
    int tempRange = 1;
    int humRange = 0;
    double pressure = 1013.25;
};

} // namespace tavro
