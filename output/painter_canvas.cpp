#include "output/painter_canvas.h"

#include "output/recording.h"
#include "output/text_metrics.h"
#include "shell/qt/qt_text.h"

#include <QFontMetricsF>

namespace tavro {

TPainterCanvas::TPainterCanvas(QPainter& painter) : p_(painter) {
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setRenderHint(QPainter::TextAntialiasing, true);
    p_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    SetFont(font_);
    ApplyPen();
    ApplyBrush();
}

void TPainterCanvas::SetFont(const FontSpec& font) {
    font_ = font;
    p_.setFont(MakeQFont(font));
}

void TPainterCanvas::SetPen(const PenSpec& pen) {
    pen_ = pen;
    ApplyPen();
}

void TPainterCanvas::SetBrush(const BrushSpec& brush) {
    brush_ = brush;
    ApplyBrush();
}

void TPainterCanvas::ApplyPen() {
    if (pen_.style == PenStyle::Clear) {
        p_.setPen(Qt::NoPen);
        return;
    }
    // Width 0 is the thinnest line of the device: a cosmetic pen.
    QPen pen(pen_.color, pen_.width, pen_.style == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine,
             Qt::FlatCap, Qt::MiterJoin);
    pen.setCosmetic(pen_.width == 0);
    p_.setPen(pen);
}

void TPainterCanvas::ApplyBrush() {
    p_.setBrush(brush_.style == BrushStyle::Clear ? QBrush(Qt::NoBrush) : QBrush(brush_.color));
}

void TPainterCanvas::SetBackground(const QColor& color, bool transparent) {
    p_.setBackground(color);
    p_.setBackgroundMode(transparent ? Qt::TransparentMode : Qt::OpaqueMode);
}

void TPainterCanvas::LineTo(int x, int y) {
    p_.drawLine(current_, QPoint(x, y));
    current_ = {x, y};
}

void TPainterCanvas::TextOut(int x, int y, const QString& text) {
    if (text.isEmpty()) return;
    const QFontMetricsF fm(p_.font());
    const double width = fm.horizontalAdvance(text);
    double dx = 0;
    if (align_ == TextAlign::Right) dx = -width;
    if (align_ == TextAlign::Centre) dx = -width / 2;
    p_.save();
    p_.setPen(font_.color);
    p_.translate(x, y);
    if (font_.angle != 0) p_.rotate(-font_.angle / 10.0);
    p_.drawText(QPointF(dx, fm.ascent()), text);
    p_.restore();
}

void TPainterCanvas::TextRect(const QRect& clip, int x, int y, const QString& text) {
    p_.save();
    p_.setClipRect(clip, Qt::IntersectClip);
    TextOut(x, y, text);
    p_.restore();
}

int TPainterCanvas::TextWidth(const QString& text) {
    return MeasureText(font_, text);
}

void TPainterCanvas::Rectangle(const QRect& r) {
    p_.drawRect(r);
}

void TPainterCanvas::Polygon(const std::vector<QPoint>& points) {
    p_.drawPolygon(points.data(), static_cast<int>(points.size()));
}

void TPainterCanvas::Ellipse(const QRect& r) {
    p_.drawEllipse(r);
}

void TPainterCanvas::StretchDraw(const QRect& r, const Picture& picture) {
    p_.drawImage(QRectF(r), ToQImage(picture));
}

void TPainterCanvas::PlayRecording(const QRect& r, const Recording& recording) {
    recording.Play(*this, r);
}

void MapPage(QPainter& painter, int S, int V, const QPoint& origin) {
    painter.setWindow(0, 0, S, S);
    painter.setViewport(origin.x(), origin.y(), V, V);
}

} // namespace tavro
