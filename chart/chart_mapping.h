#pragma once

// The geometry shared by the grid and the process layer: the ranges of a
// chart in internal units, the chart coordinates of an air state, and the
// isotropic mapping of the y-up logical chart plane onto the 600 × 800
// y-down layer picture.
//
// Logical plane: the humidity ratio x counts 100 units per g/kg; the
// enthalpy ordinate y = h − 2.501·x (kJ/kg) counts s_y units per kJ/kg.
// The Mollier chart puts x to the right and y upwards, the Carrier chart
// exchanges the two. The plane is shown through a square window of
// E = l + 10·f units (l the width of the humidity range, f the font
// height) onto a square viewport of W layer units, W = 600 for Mollier and
// 800 for Carrier, y flipped.

#include "chart/chart_data.h"
#include "output/page_canvas.h"

#include <QPoint>
#include <QPointF>
#include <QPolygonF>
#include <QString>

namespace tavro {

class TWMFCanvas;

/// The ranges of one chart in internal units (°C, K, g/kg) plus what is
/// needed to label it.
struct ChartFrame {
    bool carrier = false;
    bool si = true;
    double p = 1013.25;     ///< hPa
    double tMin = -20;      ///< °C
    double tMax = 80;       ///< °C
    double tStep = 2;       ///< K between temperature lines
    double tLabelStep = 10; ///< K between labelled temperature lines
    double xMin = 0;        ///< g/kg
    double xMax = 20;       ///< g/kg
    double xStep = 2;       ///< g/kg between humidity lines
    double hStepShown = 5;  ///< enthalpy line step in kJ/kg (SI) or BTU/lb
};

/// The frame of `s`: range indices clamped, Carrier for any type but 0.
/// Throws ArithmeticFault when the pressure is not a finite number above
/// 0 hPa.
ChartFrame FrameFor(const ChartSettings& s);

/// The enthalpy ordinate (kJ/kg) of (t °C, x g/kg) at p hPa: Enthalpy minus
/// 2.501·x (the evaporation heat of the vapour at 0 °C). Throws
/// ArithmeticFault for non-finite values.
double Ordinate(double t, double x, double p);

class ChartMapping {
public:
    /// The mapping of `frame`, the font height f = l·18/W. Both layers use
    /// it, so that process points land on the grid they belong to. Throws
    /// ArithmeticFault when the ranges give no positive scale.
    explicit ChartMapping(const ChartFrame& frame);

    int FontHeight() const { return f_; } ///< f, logical units
    int BasePen() const { return pen_; }  ///< base pen width, logical units
    double Sy() const { return sy_; }     ///< logical units per kJ/kg
    double YTop() const { return yTop_; } ///< ordinate of the upper corner, kJ/kg
    bool Carrier() const { return carrier_; }

    /// The logical point (y up) of ordinate y (kJ/kg) and humidity ratio x
    /// (g/kg), each coordinate rounded halves to even.
    QPoint P(double y, double x) const;

    /// A logical point in layer coordinates (y down), not rounded.
    QPointF LayerF(const QPoint& logical) const;
    QPointF LayerF(double X, double Y) const;
    /// The same, rounded halves to even.
    QPoint Layer(const QPoint& logical) const;
    /// A logical length in layer units, rounded halves to even.
    int LayerLength(double logical) const;

private:
    bool carrier_;
    double sy_ = 1;
    double yTop_ = 0;
    int f_ = 1;
    int pen_ = 0;
    int W_ = 600;
    int E_ = 1;
    double ox_ = 0;
    double oy_ = 0;
};

/// A logical point moved by (dx, dy), dy counting upwards.
inline QPoint Up(const QPoint& p, int dx, int dy) {
    return {p.x() + dx, p.y() + dy};
}

/// A chart font: the drawing font's face and character set with the given
/// height (layer units), colour and rotation (tenths of a degree,
/// counter-clockwise as seen).
FontSpec ChartFont(int height, const QColor& color, int angle = 0);

/// The cell (layer units) that ChartText would give `text` with the
/// canvas's current font; empty for an empty text.
QPolygonF ChartTextCell(const TWMFCanvas& c, const ChartMapping& m, const QPoint& at,
                        const QString& text, TextAlign align, bool bottom);

/// Draws `text` with the canvas's current font at the logical point `at`:
/// horizontally aligned by `align`, vertically with the top (bottom false)
/// or the bottom of the text cell at the point. The canvas only knows the
/// top reference, so bottom alignment moves the reference by the cell
/// height against the glyphs' up direction (which turns with the font).
/// A text whose cell would reach outside the layer is left out. Returns
/// the cell drawn, empty when nothing was drawn.
QPolygonF ChartText(TWMFCanvas& c, const ChartMapping& m, const QPoint& at, const QString& text,
                    TextAlign align, bool bottom);

} // namespace tavro
