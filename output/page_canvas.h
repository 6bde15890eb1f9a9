#pragma once

// The drawing interface of every page, in page units of 0.1 mm on an A4
// portrait sheet (2100 × 2970, origin top left, y down). The page
// procedures draw only through TVkCanvas; its implementations draw on a
// QPainter (preview, printer, chart window), record a picture that can be
// played into any rectangle of any canvas (the recorded pages of the PDF
// export, the chart layers, the sketch, the vector resources), or write a
// PDF page.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

#include <memory>
#include <vector>

namespace tavro {

struct Picture;
class Recording;

/// Where the reference point of a text lies: always at the top of the text
/// cell; horizontally at its left edge, right edge or centre.
enum class TextAlign { Left, Right, Centre };

/// A font: face, character height in page units (the height of the
/// characters without internal leading, as a negative font height gives
/// it), style, rotation (tenths of a degree, counter-clockwise as on
/// screen), the character set of the language (1 is the default set) and
/// the text colour.
struct FontSpec {
    QString face = QStringLiteral("Arial");
    int height = 34;
    bool bold = false;
    bool italic = false;
    int angle = 0;
    int charset = 1;
    QColor color = Qt::black; ///< the text colour
    bool operator==(const FontSpec&) const = default;
};

enum class PenStyle { Solid, Dot, Clear };
enum class BrushStyle { Solid, Clear };

/// A pen: width in page units, 0 is the thinnest line the target draws.
struct PenSpec {
    PenStyle style = PenStyle::Solid;
    int width = 0;
    QColor color = Qt::black;
    bool operator==(const PenSpec&) const = default;
};

struct BrushSpec {
    BrushStyle style = BrushStyle::Solid;
    QColor color = Qt::white;
    bool operator==(const BrushSpec&) const = default;
};

/// The drawing surface of a page procedure.
class TVkCanvas {
public:
    virtual ~TVkCanvas() = default;

    virtual void SetFont(const FontSpec& font) = 0;
    virtual FontSpec Font() const = 0;
    virtual void SetTextAlign(TextAlign align) = 0;
    virtual TextAlign Align() const = 0;
    virtual void SetPen(const PenSpec& pen) = 0;
    virtual PenSpec Pen() const = 0;
    virtual void SetBrush(const BrushSpec& brush) = 0;
    virtual BrushSpec Brush() const = 0;
    /// Background colour and mode; a transparent background never paints
    /// a box behind text.
    virtual void SetBackground(const QColor& color, bool transparent) = 0;

    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    /// Draws text with the current font and alignment at (x, y), the
    /// reference point at the top of the text cell.
    virtual void TextOut(int x, int y, const QString& text) = 0;
    /// The same, cut off outside the clip rectangle.
    virtual void TextRect(const QRect& clip, int x, int y, const QString& text) = 0;
    /// Width of text in the current font, in page units.
    virtual int TextWidth(const QString& text) = 0;
    /// Outline with the pen, filled with the brush.
    virtual void Rectangle(const QRect& r) = 0;
    virtual void Polygon(const std::vector<QPoint>& points) = 0;
    virtual void Ellipse(const QRect& r) = 0;
    /// A raster picture stretched into r.
    virtual void StretchDraw(const QRect& r, const Picture& picture) = 0;
    /// A recorded picture played into r (stretched in x and y).
    virtual void PlayRecording(const QRect& r, const Recording& recording) = 0;

    // Convenience on the primitives.
    void TextOut(const QPoint& p, const QString& text) { TextOut(p.x(), p.y(), text); }
    void Line(int x1, int y1, int x2, int y2) {
        MoveTo(x1, y1);
        LineTo(x2, y2);
    }
};

/// A point moved by (dx, dy).
inline QPoint Offset(const QPoint& p, int dx, int dy) {
    return {p.x() + dx, p.y() + dy};
}

} // namespace tavro
