#pragma once

// A recorded picture: the drawing commands of a canvas kept as a list with
// the picture's own logical size, to be played stretched into any
// rectangle of any canvas (the role an enhanced metafile plays). Text keeps
// its alignment and is measured by the canvas it is played on, so
// right-aligned columns end exactly at their edge on every target.

#include "output/page_canvas.h"

#include <QSize>

#include <memory>
#include <variant>
#include <vector>

namespace tavro {

class Recording {
public:
    struct SetFontCmd {
        FontSpec font;
    };
    struct SetAlignCmd {
        TextAlign align;
    };
    struct SetPenCmd {
        PenSpec pen;
    };
    struct SetBrushCmd {
        BrushSpec brush;
    };
    struct SetBackgroundCmd {
        QColor color;
        bool transparent;
    };
    struct MoveToCmd {
        QPoint p;
    };
    struct LineToCmd {
        QPoint p;
    };
    struct TextCmd {
        QPoint p;
        QString text;
    };
    struct TextRectCmd {
        QRect clip;
        QPoint p;
        QString text;
    };
    struct RectangleCmd {
        QRect r;
    };
    struct PolygonCmd {
        std::vector<QPoint> points;
    };
    struct EllipseCmd {
        QRect r;
    };
    struct RasterCmd {
        QRect r;
        std::shared_ptr<const Picture> picture;
    };
    struct PlayCmd {
        QRect r;
        std::shared_ptr<const Recording> recording;
    };
    using Command = std::variant<SetFontCmd, SetAlignCmd, SetPenCmd, SetBrushCmd, SetBackgroundCmd,
                                 MoveToCmd, LineToCmd, TextCmd, TextRectCmd, RectangleCmd,
                                 PolygonCmd, EllipseCmd, RasterCmd, PlayCmd>;

    /// An empty picture of the given logical size.
    explicit Recording(QSize size = {2100, 2970}) : size_(size) {}

    QSize Size() const { return size_; }
    const std::vector<Command>& Commands() const { return commands_; }
    bool Empty() const { return commands_.empty(); }

    /// Replaces the content by nothing, with a new logical size.
    void Reset(QSize size) {
        size_ = size;
        commands_.clear();
    }
    void Append(Command command) { commands_.push_back(std::move(command)); }

    /// Plays the picture onto `target`, its logical rectangle stretched
    /// into r: coordinates, font heights and pen widths scale with it (a
    /// pen of width 0 stays the thinnest). The target's drawing state is
    /// the default one while playing and is restored afterwards.
    void Play(TVkCanvas& target, const QRect& r) const;

private:
    QSize size_;
    std::vector<Command> commands_;
};

/// A canvas that records what is drawn on it into a Recording. Text widths
/// are measured with the screen's font metrics in the recording's units.
class TRecordingCanvas : public TVkCanvas {
public:
    /// Records into `recording`, which it empties first and keeps at its size.
    explicit TRecordingCanvas(Recording& recording);

    void SetFont(const FontSpec& font) override;
    FontSpec Font() const override { return font_; }
    void SetTextAlign(TextAlign align) override;
    TextAlign Align() const override { return align_; }
    void SetPen(const PenSpec& pen) override;
    PenSpec Pen() const override { return pen_; }
    void SetBrush(const BrushSpec& brush) override;
    BrushSpec Brush() const override { return brush_; }
    void SetBackground(const QColor& color, bool transparent) override;
    void MoveTo(int x, int y) override;
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
    Recording& out_;
    FontSpec font_;
    TextAlign align_ = TextAlign::Left;
    PenSpec pen_;
    BrushSpec brush_;
};

/// The recording canvas with the point-based primitives the chart and the
/// sketch draw with.
class TWMFCanvas : public TRecordingCanvas {
public:
    using TRecordingCanvas::Ellipse;
    using TRecordingCanvas::LineTo;
    using TRecordingCanvas::MoveTo;
    using TRecordingCanvas::TextOut;
    using TRecordingCanvas::TRecordingCanvas;

    void MoveTo(const QPoint& p) { TRecordingCanvas::MoveTo(p.x(), p.y()); }
    void LineTo(const QPoint& p) { TRecordingCanvas::LineTo(p.x(), p.y()); }
    /// An ellipse in the box with the opposite corners p1 and p2.
    void Ellipse(const QPoint& p1, const QPoint& p2) {
        TRecordingCanvas::Ellipse(QRect(p1, p2).normalized());
    }
};

} // namespace tavro
