#pragma once

// The page canvas on a QPainter: the preview's paint box, the printer and
// the chart window. The caller maps page units to the device before the
// page draws (MapPage).

#include "output/page_canvas.h"

#include <QPainter>

namespace tavro {

class TPainterCanvas : public TVkCanvas {
public:
    /// Draws on `painter` in its current coordinate system.
    explicit TPainterCanvas(QPainter& painter);

    void SetFont(const FontSpec& font) override;
    FontSpec Font() const override { return font_; }
    void SetTextAlign(TextAlign align) override { align_ = align; }
    TextAlign Align() const override { return align_; }
    void SetPen(const PenSpec& pen) override;
    PenSpec Pen() const override { return pen_; }
    void SetBrush(const BrushSpec& brush) override;
    BrushSpec Brush() const override { return brush_; }
    void SetBackground(const QColor& color, bool transparent) override;
    void MoveTo(int x, int y) override { current_ = {x, y}; }
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const QString& text) override;
    void TextRect(const QRect& clip, int x, int y, const QString& text) override;
    int TextWidth(const QString& text) override;
    void Rectangle(const QRect& r) override;
    void Polygon(const std::vector<QPoint>& points) override;
    void Ellipse(const QRect& r) override;
    void StretchDraw(const QRect& r, const Picture& picture) override;
    void PlayRecording(const QRect& r, const Recording& recording) override;

    using TVkCanvas::TextOut;

private:
    void ApplyPen();
    void ApplyBrush();

    QPainter& p_;
    FontSpec font_;
    TextAlign align_ = TextAlign::Left;
    PenSpec pen_;
    BrushSpec brush_;
    QPoint current_;
};

/// Sets the isotropic mapping of a page onto a device: window extent S × S
/// page units onto a viewport of V × V device pixels at `origin`.
void MapPage(QPainter& painter, int S, int V, const QPoint& origin = {});

} // namespace tavro
