#include "chart/chart_mapping.h"

#include "chart/chart_ranges.h"
#include "chart/layer_geometry.h"
#include "output/recording.h"
#include "output/text_metrics.h"
#include "physics/moist_air.h"
#include "physics/numeric/errors.h"
#include "physics/numeric/rounding.h"
#include "shell/qt/fonts.h"

#include <QFontMetricsF>

#include <cmath>
#include <numbers>

namespace tavro {

ChartFrame FrameFor(const ChartSettings& s) {
    if (!std::isfinite(s.pressure) || !(s.pressure > 0)) {
        throw ArithmeticFault("chart: the air pressure is not a positive number");
    }
    ChartFrame f;
    f.carrier = s.type != 0;
    f.si = s.si;
    f.p = s.pressure;
    f.tMin = LowerTemperature(s.si, s.tempRange);
    f.tMax = UpperTemperature(s.si, s.tempRange);
    f.tStep = TemperatureLineStep(s.si, s.tempRange);
    f.tLabelStep = TemperatureLabelStep(s.si, s.tempRange);
    f.xMin = 0;
    f.xMax = UpperHumidity(s.si, s.humRange);
    f.xStep = HumidityLineStep(s.si, s.humRange);
    f.hStepShown = EnthalpyLineStepShown(s.si, s.humRange);
    return f;
}

double Ordinate(double t, double x, double p) {
    return Checked(Enthalpy(t, x, p) - 2.501 * x, "chart ordinate");
}

ChartMapping::ChartMapping(const ChartFrame& frame) : carrier_(frame.carrier) {
    // The scale makes the chart, drawn without the Carrier squeeze, as
    // tall against its width as the 800 × 600 page; every derived figure
    // is a whole number of logical units.
    const double yLo = RoundHalfEven(Enthalpy(frame.tMin, frame.xMin, frame.p));
    const double yHi = RoundHalfEven(Ordinate(frame.tMax, frame.xMax, frame.p));
    yTop_ = Ordinate(frame.tMax, frame.xMax, frame.p);
    if (!(yHi > yLo)) throw ArithmeticFault("chart: the enthalpy range is empty");
    sy_ = RoundHalfEven((frame.xMax - frame.xMin) * 100.0 / (yHi - yLo) * 800.0 / 600.0);
    if (carrier_) sy_ = RoundHalfEven(sy_ * 0.55);
    if (!(sy_ > 0)) throw ArithmeticFault("chart: the enthalpy scale is zero");
    const int l = RoundHalfEven((frame.xMax - frame.xMin) * 100.0);
    W_ = carrier_ ? 800 : 600;
    f_ = std::max(1, RoundHalfEven(l * 18.0 / W_));
    pen_ = RoundHalfEven(l * 1.5 / W_);
    E_ = l + 10 * f_;
    // The window origin: five font heights left of the smallest horizontal
    // coordinate, six above the largest vertical one.
    const double minHorizontal = carrier_ ? yLo * sy_ : RoundHalfEven(frame.xMin * 100.0);
    const double maxVertical = carrier_ ? RoundHalfEven(frame.xMax * 100.0) : yHi * sy_;
    ox_ = minHorizontal - 5.0 * f_;
    oy_ = maxVertical + 6.0 * f_;
}

QPoint ChartMapping::P(double y, double x) const {
    const int X = RoundHalfEven(100.0 * x);
    const int Y = RoundHalfEven(sy_ * y);
    return carrier_ ? QPoint(Y, X) : QPoint(X, Y);
}

QPointF ChartMapping::LayerF(double X, double Y) const {
    const double k = double(W_) / E_;
    return {(X - ox_) * k, (oy_ - Y) * k};
}

QPointF ChartMapping::LayerF(const QPoint& logical) const {
    return LayerF(logical.x(), logical.y());
}

QPoint ChartMapping::Layer(const QPoint& logical) const {
    const QPointF p = LayerF(logical);
    return {RoundHalfEven(p.x()), RoundHalfEven(p.y())};
}

int ChartMapping::LayerLength(double logical) const {
    return RoundHalfEven(logical * W_ / E_);
}

FontSpec ChartFont(int height, const QColor& color, int angle) {
    FontSpec f;
    f.face = DrawingFont().font.family();
    f.charset = DrawingFont().charset;
    f.height = std::max(1, height);
    f.color = color;
    f.angle = angle;
    return f;
}

namespace {

// The reference point of a text output for ChartText, rounded as the
// canvas records it.
QPoint TextReference(const FontSpec& font, const ChartMapping& m, const QPoint& at, bool bottom) {
    QPointF p = m.LayerF(at);
    if (bottom) {
        const double cell = QFontMetricsF(MakeQFont(font)).height();
        // The glyphs' up direction on the y-down layer for a text turned
        // counter-clockwise (as seen) by the font's angle.
        const double a = font.angle / 10.0 * std::numbers::pi / 180.0;
        p += QPointF(-std::sin(a), -std::cos(a)) * cell;
    }
    return {RoundHalfEven(p.x()), RoundHalfEven(p.y())};
}

} // namespace

QPolygonF ChartTextCell(const TWMFCanvas& c, const ChartMapping& m, const QPoint& at,
                        const QString& text, TextAlign align, bool bottom) {
    if (text.isEmpty()) return {};
    const FontSpec font = c.Font();
    return TextCell(font, text, align, TextReference(font, m, at, bottom));
}

QPolygonF ChartText(TWMFCanvas& c, const ChartMapping& m, const QPoint& at, const QString& text,
                    TextAlign align, bool bottom) {
    const QPolygonF cell = ChartTextCell(c, m, at, text, align, bottom);
    if (cell.isEmpty() || !InsideLayer(cell)) return {};
    const QPoint p = TextReference(c.Font(), m, at, bottom);
    if (c.Align() != align) c.SetTextAlign(align);
    c.TextOut(p.x(), p.y(), text);
    return cell;
}

} // namespace tavro
