#include "output/recording.h"

#include "output/text_metrics.h"
#include "physics/numeric/rounding.h"
#include "shell/texts/pictures.h"

#include <cmath>

namespace tavro {

namespace {

// Maps the recording's logical coordinates into the target rectangle.
class Mapping {
public:
    Mapping(QSize from, const QRect& to)
        : x0_(to.left()), y0_(to.top()),
          sx_(from.width() > 0 ? double(to.width()) / from.width() : 1.0),
          sy_(from.height() > 0 ? double(to.height()) / from.height() : 1.0) {}

    int X(int x) const { return x0_ + RoundHalfEven(x * sx_); }
    int Y(int y) const { return y0_ + RoundHalfEven(y * sy_); }
    QPoint P(const QPoint& p) const { return {X(p.x()), Y(p.y())}; }
    QRect R(const QRect& r) const {
        // Corners map as points so that adjacent rectangles stay adjacent.
        const QPoint a = P(r.topLeft());
        const QPoint b = P(QPoint(r.left() + r.width(), r.top() + r.height()));
        return QRect(a, QSize(b.x() - a.x(), b.y() - a.y()));
    }
    FontSpec Font(FontSpec f) const {
        f.height = std::max(1, RoundHalfEven(f.height * sy_));
        return f;
    }
    PenSpec Pen(PenSpec p) const {
        if (p.width > 0) p.width = std::max(1, RoundHalfEven(p.width * (sx_ + sy_) / 2));
        return p;
    }

private:
    int x0_, y0_;
    double sx_, sy_;
};

// Keeps the target's drawing state and gives it back.
class StateGuard {
public:
    explicit StateGuard(TVkCanvas& c)
        : c_(c), font_(c.Font()), align_(c.Align()), pen_(c.Pen()), brush_(c.Brush()) {}
    ~StateGuard() {
        c_.SetFont(font_);
        c_.SetTextAlign(align_);
        c_.SetPen(pen_);
        c_.SetBrush(brush_);
    }
    StateGuard(const StateGuard&) = delete;
    StateGuard& operator=(const StateGuard&) = delete;

private:
    TVkCanvas& c_;
    FontSpec font_;
    TextAlign align_;
    PenSpec pen_;
    BrushSpec brush_;
};

} // namespace

void Recording::Play(TVkCanvas& target, const QRect& r) const {
    const StateGuard guard(target);
    const Mapping m(size_, r);
    target.SetFont(m.Font(FontSpec{}));
    target.SetTextAlign(TextAlign::Left);
    target.SetPen(PenSpec{});
    target.SetBrush(BrushSpec{});
    for (const Command& command : commands_) {
        std::visit(
            [&](const auto& c) {
                using T = std::decay_t<decltype(c)>;
                if constexpr (std::is_same_v<T, SetFontCmd>) {
                    target.SetFont(m.Font(c.font));
                } else if constexpr (std::is_same_v<T, SetAlignCmd>) {
                    target.SetTextAlign(c.align);
                } else if constexpr (std::is_same_v<T, SetPenCmd>) {
                    target.SetPen(m.Pen(c.pen));
                } else if constexpr (std::is_same_v<T, SetBrushCmd>) {
                    target.SetBrush(c.brush);
                } else if constexpr (std::is_same_v<T, SetBackgroundCmd>) {
                    target.SetBackground(c.color, c.transparent);
                } else if constexpr (std::is_same_v<T, MoveToCmd>) {
                    target.MoveTo(m.X(c.p.x()), m.Y(c.p.y()));
                } else if constexpr (std::is_same_v<T, LineToCmd>) {
                    target.LineTo(m.X(c.p.x()), m.Y(c.p.y()));
                } else if constexpr (std::is_same_v<T, TextCmd>) {
                    target.TextOut(m.X(c.p.x()), m.Y(c.p.y()), c.text);
                } else if constexpr (std::is_same_v<T, TextRectCmd>) {
                    target.TextRect(m.R(c.clip), m.X(c.p.x()), m.Y(c.p.y()), c.text);
                } else if constexpr (std::is_same_v<T, RectangleCmd>) {
                    target.Rectangle(m.R(c.r));
                } else if constexpr (std::is_same_v<T, PolygonCmd>) {
                    std::vector<QPoint> points;
                    points.reserve(c.points.size());
                    for (const QPoint& p : c.points)
                        points.push_back(m.P(p));
                    target.Polygon(points);
                } else if constexpr (std::is_same_v<T, EllipseCmd>) {
                    target.Ellipse(m.R(c.r));
                } else if constexpr (std::is_same_v<T, RasterCmd>) {
                    if (c.picture) target.StretchDraw(m.R(c.r), *c.picture);
                } else if constexpr (std::is_same_v<T, PlayCmd>) {
                    if (c.recording) target.PlayRecording(m.R(c.r), *c.recording);
                }
            },
            command);
    }
}

TRecordingCanvas::TRecordingCanvas(Recording& recording) : out_(recording) {
    out_.Reset(out_.Size());
}

void TRecordingCanvas::SetFont(const FontSpec& font) {
    font_ = font;
    out_.Append(Recording::SetFontCmd{font});
}

void TRecordingCanvas::SetTextAlign(TextAlign align) {
    align_ = align;
    out_.Append(Recording::SetAlignCmd{align});
}

void TRecordingCanvas::SetPen(const PenSpec& pen) {
    pen_ = pen;
    out_.Append(Recording::SetPenCmd{pen});
}

void TRecordingCanvas::SetBrush(const BrushSpec& brush) {
    brush_ = brush;
    out_.Append(Recording::SetBrushCmd{brush});
}

void TRecordingCanvas::SetBackground(const QColor& color, bool transparent) {
    out_.Append(Recording::SetBackgroundCmd{color, transparent});
}

void TRecordingCanvas::MoveTo(int x, int y) {
    out_.Append(Recording::MoveToCmd{{x, y}});
}

void TRecordingCanvas::LineTo(int x, int y) {
    out_.Append(Recording::LineToCmd{{x, y}});
}

void TRecordingCanvas::TextOut(int x, int y, const QString& text) {
    if (!text.isEmpty()) out_.Append(Recording::TextCmd{{x, y}, text});
}

void TRecordingCanvas::TextRect(const QRect& clip, int x, int y, const QString& text) {
    if (!text.isEmpty()) out_.Append(Recording::TextRectCmd{clip, {x, y}, text});
}

int TRecordingCanvas::TextWidth(const QString& text) {
    return MeasureText(font_, text);
}

void TRecordingCanvas::Rectangle(const QRect& r) {
    out_.Append(Recording::RectangleCmd{r});
}

void TRecordingCanvas::Polygon(const std::vector<QPoint>& points) {
    out_.Append(Recording::PolygonCmd{points});
}

void TRecordingCanvas::Ellipse(const QRect& r) {
    out_.Append(Recording::EllipseCmd{r});
}

void TRecordingCanvas::StretchDraw(const QRect& r, const Picture& picture) {
    out_.Append(Recording::RasterCmd{r, std::make_shared<const Picture>(picture)});
}

void TRecordingCanvas::PlayRecording(const QRect& r, const Recording& recording) {
    out_.Append(Recording::PlayCmd{r, std::make_shared<const Recording>(recording)});
}

} // namespace tavro
