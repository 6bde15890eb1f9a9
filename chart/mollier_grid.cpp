// The grid layer of the chart: title, humidity axis and lines, enthalpy
// lines, temperature lines, axis titles and relative-humidity curves, in
// that order of drawing.

#include "chart/chart_mapping.h"
#include "chart/layer_geometry.h"
#include "chart/mollier_chart.h"
#include "physics/moist_air.h"
#include "physics/numeric/errors.h"
#include "physics/numeric/rounding.h"
#include "physics/unit_conversion.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/number_format.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

namespace tavro {

namespace {

const QColor kBlue(0, 102, 255);
const QColor kDarkGrey(68, 68, 68);

// Rotated texts read from bottom to top as seen (counter-clockwise).
constexpr int kUpright = 900;

// Counts that come out of a floating-point quotient of two range values
// (77.78 K / 2.78 K) may land just below the whole number they stand for;
// this much is taken as exact.
constexpr double kCountTolerance = 1e-9;

// The relative humidities (%) of the curves, lowest first.
constexpr std::array<double, 25> kRelHumidities{0.01, 0.02, 0.05, 0.1, 0.2, 0.3, 0.4, 0.5, 1,
                                                2,    3,    4,    5,   7,   10,  15,  20,  30,
                                                40,   50,   60,   70,  80,  90,  100};

// The first curve drawn: the higher the upper temperature, the lower the
// humidity whose curve still stays inside the humidity range.
double FirstRelHumidity(double tMax) {
    const double t = std::trunc(tMax);
    if (t <= 100) return 5;
    if (t <= 120) return 3;
    if (t <= 160) return 1;
    if (t <= 200) return 0.5;
    if (t <= 400) return 0.05;
    return 0.01;
}

QString Shown(double value, int decimals) {
    return UiString(FormatNumber(value, ffFixed, 15, decimals));
}

class GridDrawer {
public:
    GridDrawer(TWMFCanvas& c, const ChartFrame& fr)
        : c_(c), fr_(fr), m_(fr), f_(m_.FontHeight()), g_(RoundHalfEven(0.9 * f_)) {}

    void Draw() {
        c_.SetBackground(Qt::white, true);
        Title();
        HumidityLines();
        EnthalpyLines();
        TemperatureLines();
        AxisTitles();
        RelHumidityCurves();
    }

private:
    bool Carrier() const { return fr_.carrier; }
    QPoint P(double y, double x) const { return m_.P(y, x); }

    void Font(int logicalHeight, const QColor& color, int angle = 0) {
        c_.SetFont(ChartFont(m_.LayerLength(logicalHeight), color, angle));
    }
    void Pen(int logicalWidth, const QColor& color) {
        c_.SetPen({PenStyle::Solid, m_.LayerLength(logicalWidth), color});
    }
    // The pen moves in the logical plane; each line is cut at the layer's
    // edges, and the canvas is moved only where a cut line starts away
    // from where the last one ended.
    void Move(const QPoint& p) { from_ = m_.Layer(p); }
    void Line(const QPoint& p) {
        const QPoint to = m_.Layer(p);
        QPointF a = from_, b = to;
        from_ = to;
        if (!ClipToLayer(a, b)) return;
        const QPoint start(RoundHalfEven(a.x()), RoundHalfEven(a.y()));
        if (!drawnTo_ || *drawnTo_ != start) c_.MoveTo(start);
        const QPoint end(RoundHalfEven(b.x()), RoundHalfEven(b.y()));
        c_.LineTo(end);
        drawnTo_ = end;
    }
    void Text(const QPoint& at, const QString& text, TextAlign align, bool bottom = false) {
        const QPolygonF cell = ChartText(c_, m_, at, text, align, bottom);
        if (!cell.isEmpty()) cells_.push_back(cell);
    }
    // Whether `cell` lies inside the layer and `gap` (layer units) clear of
    // every text drawn.
    bool Clear(const QPolygonF& cell, double gap) const {
        if (cell.isEmpty() || !InsideLayer(cell)) return false;
        return std::none_of(cells_.begin(), cells_.end(), [&](const QPolygonF& drawn) {
            const QRectF around = drawn.boundingRect().adjusted(-gap, -gap, gap, gap);
            return QPolygonF(around).intersects(cell);
        });
    }

    void Title() {
        const double p = fr_.p;
        QString text = TextOf(Carrier() ? 158 : 157) + QStringLiteral(" ");
        if (fr_.si) {
            text += Shown(p, 0) + QStringLiteral(" mbar");
        } else {
            text += Shown(Umrechnung(kTypeAirPressure, kUnitMbar, kUnitAtm, p), 2) +
                    QStringLiteral(" atm");
        }
        Font(f_, Qt::black);
        const QPoint at = Carrier() ? Up(P(fr_.tMin, fr_.xMax), 0, 3 * f_)
                                    : Up(P(m_.YTop(), fr_.xMin), 0, 2 * f_);
        Text(at, text, TextAlign::Left);
    }

    void HumidityLines() {
        Pen(m_.BasePen(), kBlue);
        Font(g_, kBlue);
        Move(P(fr_.tMin, fr_.xMin));
        Line(P(fr_.tMin, fr_.xMax));
        const int n = RoundHalfEven((fr_.xMax - fr_.xMin) / fr_.xStep);
        const TextAlign align = Carrier() ? TextAlign::Right : TextAlign::Left;
        const bool sparse = !fr_.si && fr_.xMax > 25;
        for (int i = 0; i <= n; ++i) {
            const double x = fr_.xMin + i * fr_.xStep;
            // A step that does not divide the range would put the last line
            // outside the chart.
            if (x > fr_.xMax + kCountTolerance) break;
            const QPoint base = P(fr_.tMin, x);
            Move(Carrier() ? Up(base, -(f_ / 2), 0) : Up(base, 0, -(f_ / 2)));
            Line(P(Ordinate(fr_.tMax, x, fr_.p), x));
            if (sparse && i % 2 == 1) continue;
            const int label = RoundHalfEven(fr_.si ? x : 7.0 * x);
            if (Carrier()) {
                Text(Up(base, -((2 * f_) / 3), f_ / 2), QString::number(label), align);
            } else {
                Text(Up(base, 0, -((2 * f_) / 3)), QString::number(label), TextAlign::Centre);
            }
        }
        const QString title =
            TextOf(209) + (fr_.si ? QStringLiteral(" [g/kg]") : QStringLiteral(" [gr/lb]"));
        const QPoint corner = P(fr_.tMin, fr_.xMin);
        if (Carrier()) {
            Font(g_, kBlue, kUpright);
            Text(Up(corner, -2 * f_, 0), title, TextAlign::Left, true);
        } else {
            Text(Up(corner, 0, -((3 * f_) / 2)), title, TextAlign::Left);
        }
    }

    void EnthalpyLines() {
        Pen(0, kDarkGrey);
        Font(g_, kDarkGrey);
        const double p = fr_.p;
        const double step = fr_.hStepShown;
        const double hLo = ToShown(kShownEnthalpy, fr_.si, Enthalpy(fr_.tMin, fr_.xMin, p));
        const double hHi = ToShown(kShownEnthalpy, fr_.si, Enthalpy(fr_.tMax, fr_.xMax, p));
        const int kFirst = RoundUp(hLo / step);
        const int kLast = static_cast<int>(std::trunc(hHi / step));
        const double cpAir = CpDryAir(fr_.tMax);
        const double cpVap = CpVapour(fr_.tMax);
        const TextAlign align = Carrier() ? TextAlign::Right : TextAlign::Left;
        double labelledSum = 0;
        int labelled = 0;
        for (int k = kFirst; k <= kLast; ++k) {
            const double h = FromShown(kShownEnthalpy, fr_.si, k * step);
            const double xs = SatHumidityOnIsenthalp(h, p);
            if (xs < fr_.xMin) continue;
            // An isenthalp that would enter the chart above the upper
            // temperature starts on the upper temperature border instead.
            double x = fr_.xMin;
            if ((h - 2.501 * fr_.xMin) / (cpAir + cpVap * fr_.xMin / 1000.0) > fr_.tMax) {
                x = (h - cpAir * fr_.tMax) * 1000.0 / (cpVap * fr_.tMax + 2501.0);
            }
            Move(P(h - 2.501 * x, x));
            const double xe = std::min(xs, fr_.xMax);
            const double ye = h - 2.501 * xe;
            if (ye < fr_.tMin) continue;
            Line(P(ye, xe));
            if (xe < fr_.xMax && ye > fr_.tMin + f_ / m_.Sy()) {
                Text(P(ye, xe), Shown(k * step, 0), align, Carrier());
                labelledSum += h;
                ++labelled;
            }
        }
        // The title runs along the saturation line near the middle of the
        // labelled isenthalps. Without a single label there is no scale to
        // name, and no point of the saturation line inside the chart to
        // follow, so the title is left out.
        if (labelled == 0) return;
        const double middle = std::floor(labelledSum / labelled / step) * step;
        const QString title =
            TextOf(210) + (fr_.si ? QStringLiteral(" [kJ/kg]") : QStringLiteral(" [BTU/lb]"));
        // Its place: beside the saturation line at the middle isenthalp;
        // where that covers an enthalpy label (the wide psychrometric
        // chart), further from the line, then at the neighbouring
        // isenthalps: the first place half a text height clear of every
        // text drawn, else the first one clear of them at all.
        struct Place {
            QPoint at;
            int angle;
            QPolygonF cell;
        };
        std::vector<Place> places;
        const std::array<int, 7> offsets = Carrier()
                                               ? std::array<int, 7>{8, 10, 6, 12, 4, 14, 16}
                                               : std::array<int, 7>{-2, -3, -1, -4, 0, -5, -6};
        for (const int shift : {0, -1, 1, -2, 2, -3, 3, -4, 4}) {
            const double hm = middle + shift * step;
            double xb = 0, xa = 0;
            try {
                xb = SatHumidityOnIsenthalp(hm, p);
                xa = SatHumidityOnIsenthalp(hm + 2 * step, p);
            } catch (const ArithmeticFault&) {
                if (shift == 0) throw;
                continue; // an isenthalp far outside the chart: no place there
            }
            const QPoint dir = P((hm + 2 * step - 2.501 * xa) - (hm - 2.501 * xb), xa - xb);
            // The logical plane is y-up, so its angle is counter-clockwise
            // as seen on the isotropically mapped layer.
            const int angle =
                RoundHalfEven(std::atan2(dir.y(), dir.x()) * 1800.0 / std::numbers::pi);
            Font(g_, kDarkGrey, angle);
            const QPoint base = P(hm - 2.501 * xb, xb);
            for (const int offset : offsets) {
                const QPoint at = Up(base, 0, offset * f_);
                places.push_back({at, angle, ChartTextCell(c_, m_, at, title, align, Carrier())});
            }
        }
        const Place* place = nullptr;
        for (const double gap : {m_.LayerLength(g_) / 2.0, 0.0}) {
            for (const Place& candidate : places) {
                if (Clear(candidate.cell, gap)) {
                    place = &candidate;
                    break;
                }
            }
            if (place) break;
        }
        // Nowhere clear: the first place, as the layer allows.
        if (!place) place = &places.front();
        Font(g_, kDarkGrey, place->angle);
        Text(place->at, title, align, Carrier());
    }

    // Whether the line of t (°C) is a labelled one: its shown temperature a
    // whole multiple of the shown label step. The quotient is compared
    // with its nearest whole number: shown temperatures are multiples of a
    // quarter of the label step, so only rounding noise lies within 0.1 of
    // a whole number besides the multiples themselves.
    bool Labelled(double t) const {
        const double shown = fr_.si ? t : t * 1.8 + 32.0;
        const double q = shown / (fr_.si ? fr_.tLabelStep : fr_.tLabelStep * 1.8);
        return std::fabs(q - std::round(q)) < 0.1;
    }

    void TemperatureLines() {
        Font(g_, kBlue, Carrier() ? kUpright : 0);
        const double p = fr_.p;
        const int n =
            static_cast<int>(std::trunc((fr_.tMax - fr_.tMin) / fr_.tStep + kCountTolerance));
        for (int i = 0; i <= n; ++i) {
            const double t = fr_.tMin + i * fr_.tStep;
            const double xSat = HumidityRatio(t, 100, p);
            if (!(xSat >= fr_.xMin || t >= 100)) continue;
            const bool thick = Labelled(t);
            Pen(thick ? m_.BasePen() : 0, kBlue);
            const double x0 = fr_.xMin - 0.2;
            const double y0 = Ordinate(t, x0, p);
            if (thick && t >= fr_.tMin) {
                const double shown = fr_.si ? t : t * 1.8 + 32.0;
                const QString label = QString::number(RoundHalfEven(shown));
                if (Carrier()) {
                    Text(Up(P(y0, x0), f_ / 2, -(f_ / 3)), label, TextAlign::Right, true);
                } else {
                    Text(Up(P(y0, x0), -(f_ / 4), f_ / 2), label, TextAlign::Right);
                }
            }
            Move(P(y0, x0));
            const double xe = (xSat > fr_.xMax || t >= 100) ? fr_.xMax : xSat;
            Line(P(Ordinate(t, xe, p), xe));
            // A short piece into the fog region, bent by the fog enthalpy.
            const double xf = std::min(xe + 0.5, fr_.xMax);
            if (xf <= xe) continue;
            const double yf = Ordinate(t, xf, p);
            if (yf >= fr_.tMin) Line(P(yf, xf));
        }
    }

    void AxisTitles() {
        const QPoint corner = P(fr_.tMin, fr_.xMin);
        const QString temperature =
            TextOf(211) + QStringLiteral(" [") + TextOf(fr_.si ? 411 : 412) + QStringLiteral("]");
        if (Carrier()) {
            Font(g_, kBlue);
            Text(Up(corner, 0, -2 * f_), temperature, TextAlign::Left);
        } else {
            Font(g_, kBlue, kUpright);
            Text(Up(corner, -2 * f_, 0), temperature, TextAlign::Left, true);
        }
        const QString relHum = TextOf(13) + QStringLiteral(" [%]");
        const QPoint top = P(m_.YTop(), fr_.xMax);
        if (Carrier()) {
            Font(g_, kBlue);
            Text(Up(top, 0, 3 * f_), relHum, TextAlign::Right);
        } else {
            Font(g_, kBlue, kUpright);
            Text(Up(top, 2 * f_, 0), relHum, TextAlign::Right);
        }
    }

    void RelHumidityCurves() {
        const double p = fr_.p;
        const double first = FirstRelHumidity(fr_.tMax);
        const int tEnd = RoundHalfEven(fr_.tMax);
        for (const double phi : kRelHumidities) {
            if (phi < first) continue;
            Pen(phi == 50 || phi == 100 ? m_.BasePen() : 0, kBlue);
            double t0 = fr_.tMin;
            double x0 = HumidityRatio(fr_.tMin, phi, p);
            if (x0 < fr_.xMin) {
                x0 = fr_.xMin;
                t0 = TempFromHumidity(fr_.xMin, p, phi);
            }
            QPoint last = P(Ordinate(t0, x0, p), x0);
            Move(last);
            bool atTop = false;
            // One point per kelvin, at most 1 + the width of the range.
            for (int T = RoundHalfEven(t0) + 1; T <= tEnd; ++T) {
                const double x = HumidityRatio(T, phi, p);
                // Past the boiling point the humidity ratio turns negative
                // (0 on a fault): the curve has left the range upwards.
                if (x > fr_.xMax || !(x > 0)) {
                    const double tTop = TempFromHumidity(fr_.xMax, p, phi);
                    last = P(Ordinate(tTop, fr_.xMax, p), fr_.xMax);
                    Line(last);
                    atTop = true;
                    break;
                }
                last = P(Ordinate(T, x, p), x);
                Line(last);
            }
            if (phi == 70 || phi == 90) continue;
            const QString label = UiString(FormatNumber(phi, ffGeneral, 15, 0));
            if (atTop && Carrier()) {
                Font(g_, kBlue, kUpright);
                Text(Up(last, -(f_ / 2), f_ / 2), label, TextAlign::Left);
            } else if (atTop) {
                Font(g_, kBlue);
                Text(Up(last, RoundHalfEven(1.6 * f_), f_ / 2), label, TextAlign::Right);
            } else {
                Font(g_, kBlue);
                Text(Up(last, Carrier() ? f_ / 2 : 0, f_ / 2), label, TextAlign::Left, true);
            }
        }
    }

    TWMFCanvas& c_;
    const ChartFrame fr_;
    const ChartMapping m_;
    const int f_;                   // font height of the title, logical units
    const int g_;                   // font height of every other text
    QPoint from_;                   // where the next line starts, layer units
    std::optional<QPoint> drawnTo_; // where the canvas's last line ended
    std::vector<QPolygonF> cells_;  // the cells of the texts drawn so far
};

} // namespace

void RecordGridLayer(Recording& out, const ChartSettings& s) {
    out.Reset(kChartLayerSize);
    TWMFCanvas canvas(out);
    const ChartFrame frame = FrameFor(s);
    GridDrawer(canvas, frame).Draw();
}

} // namespace tavro
