#include "chart/process_lines.h"

#include <algorithm>
#include <initializer_list>

namespace tavro {

namespace {

// The colours of the two streams' lines and markers.
const QColor kOutsideAir(0, 180, 0);
const QColor kReturnAir(182, 0, 147);

// The chart's line styles: the heating case solid, the cooling case dotted.
constexpr int kHeatingStyle = 0;
constexpr int kCoolingStyle = 2;

// The range index that holds `value`: raised to at least i + 1 for every
// threshold i it exceeds.
int RangeFor(double value, std::initializer_list<double> thresholds, int index) {
    int i = 0;
    for (double limit : thresholds) {
        ++i;
        if (value > limit) index = std::max(index, i);
    }
    return index;
}

ChartPolyline StreamLine(double t1, double x1, double t2, double x2, const QColor& colour,
                         int style) {
    return {{t1, x1, colour, colour, style}, {t2, x2, colour, colour, style}};
}

} // namespace

ProcessLines LinesOfCases(const std::vector<const TDatenREK*>& cases, int tempRange, int humRange) {
    ProcessLines out{{}, tempRange, humRange};
    for (size_t c = 0; c < cases.size(); ++c) {
        const TDatenREK& r = *cases[c];
        const double x = std::max({r.X11, r.X12, r.X21, r.X22});
        const double t = std::max({r.Temp11, r.Temp12, r.Temp21, r.Temp22});
        out.humRange = RangeFor(x, {20, 30, 40, 50}, out.humRange);
        out.tempRange = RangeFor(t, {60, 80, 100, 120}, out.tempRange);
        const int style = c == 0 ? kHeatingStyle : kCoolingStyle;
        out.lines.push_back(StreamLine(r.Temp21, r.X21, r.Temp22, r.X22, kReturnAir, style));
        out.lines.push_back(StreamLine(r.Temp11, r.X11, r.Temp12, r.X12, kOutsideAir, style));
    }
    return out;
}

} // namespace tavro
