#include "output/page_frame.h"

#include "output/page_metrics.h"
#include "output/page_owner.h"
#include "output/vector_pictures.h"
#include "shell/qt/fonts.h"
#include "shell/qt/qt_text.h"
#include "shell/qt/version.h"
#include "shell/texts/pictures.h"

namespace tavro {

namespace {

const PenSpec kThinPen{PenStyle::Solid, 0, Qt::black};
const PenSpec kFramePen{PenStyle::Solid, 3, Qt::black};

// A picture among the resources, drawn into r; a missing or broken one is
// left out so that a page never fails for it.
void DrawVector(TVkCanvas& canvas, const QRect& r, int number) {
    try {
        canvas.PlayRecording(r, LoadMetafileResource(number));
    } catch (const ResourceError&) {
    }
}

void DrawJpeg(TVkCanvas& canvas, const QRect& r, int number) {
    try {
        canvas.StretchDraw(r, LoadJpegResource(number));
    } catch (const ResourceError&) {
    }
}

} // namespace

FontSpec DrawingFontSpec(int height, bool bold, bool italic) {
    FontSpec f;
    f.face = DrawingFont().font.family();
    f.charset = DrawingFont().charset;
    f.height = height;
    f.bold = bold;
    f.italic = italic;
    return f;
}

void DrawPageFrame(const PageOwner& owner, TVkCanvas& canvas, bool withHeader, bool withNotes,
                   const std::vector<std::string>* notes, int notesFirstRight) {
    canvas.SetBackground(Qt::white, true);
    SetPageMetrics(34, 42, 21);
    const PageMetrics& m = Metrics;
    canvas.SetFont(DrawingFontSpec(m.baseHeight));
    canvas.SetTextAlign(TextAlign::Left);
    canvas.SetPen(kThinPen);

    // Footer with the version, in the small height.
    const int footerRule = kPageBottom + 100 - 2 * m.linePitch - m.linePitch / 3;
    canvas.Line(kPageLeft, footerRule, 550, footerRule);
    canvas.SetFont(DrawingFontSpec(m.smallHeight));
    canvas.TextOut(kPageLeft, kPageBottom + 100 - 2 * m.linePitch,
                   QStringLiteral("Version ") + QString::fromStdString(VersionShort()));
    // Letterhead variants other than 0, 4, 5, 10, 15 would add the maker's
    // footer line here; this program prints variant 0.

    canvas.SetFont(DrawingFontSpec(m.baseHeight));
    canvas.SetPen(kFramePen);
    const int rule247 = kPageTop + 3 * m.linePitch + m.halfPitch;
    canvas.Line(kPageLeft, rule247, withHeader ? kPageRight : kPageRight + 30, rule247);

    canvas.SetTextAlign(TextAlign::Centre);
    canvas.SetFont(DrawingFontSpec(m.largeHeight));
    DrawLetterhead(canvas);
    const int rule331 = kPageTop + 5 * m.linePitch + m.halfPitch;
    canvas.Line(kPageLeft, rule331, kPageRight, rule331);

    if (withHeader) {
        canvas.SetBrush({BrushStyle::Clear, Qt::white});
        const int rule121 = kPageTop + m.halfPitch;
        canvas.Line(kPageLeft, rule121, kPageRight + 30, rule121);
        DrawOfferHeader(canvas, owner);
        canvas.SetFont(DrawingFontSpec(m.baseHeight));
    }
    const int rule541 = kPageTop + 10 * m.linePitch + m.halfPitch;
    canvas.Line(kPageLeft, rule541, kPageRight, rule541);
    if (withNotes) {
        canvas.SetBrush({BrushStyle::Clear, Qt::white});
        DrawNotes(canvas, notes, notesFirstRight);
        const int rule751 = kPageTop + 15 * m.linePitch + m.halfPitch;
        canvas.Line(kPageLeft, rule751, kPageRight, rule751);
        canvas.SetFont(DrawingFontSpec(m.baseHeight));
    }
    canvas.Line(kPageLeft, kPageBottom - m.linePitch, kPageRight + 30, kPageBottom - m.linePitch);
    const int rightTop = kPageTop + (withHeader ? 0 : 3) * m.linePitch + 30 + m.halfPitch;
    canvas.Line(kPageRight + 30, rightTop, kPageRight + 30, kPageBottom - m.linePitch - 30);
}

void DrawTitle(const PageOwner& owner, TVkCanvas& canvas, bool withHeader, bool withNotes,
               const std::vector<std::string>* notes, int notesFirstRight) {
    DrawPageFrame(owner, canvas, withHeader, withNotes, notes, notesFirstRight);
    canvas.SetFont(DrawingFontSpec(Metrics.largeHeight, true));
    canvas.SetTextAlign(TextAlign::Centre);
    const int text = owner.PageRecord().Line == "Corra" ? 66 : 65;
    canvas.TextOut((kPageLeft + kPageRight) / 2, kPageTop + 4 * Metrics.linePitch,
                   QStringLiteral("Zelvanor ") + TextOf(text));
    canvas.SetFont(DrawingFontSpec(Metrics.baseHeight));
    canvas.SetTextAlign(TextAlign::Left);
}

void DrawCertificationMarks(TVkCanvas& canvas) {
    const int top = kPageTop + 10 * Metrics.linePitch + Metrics.halfPitch + 15;
    const int bottom = top + 88;
    DrawVector(canvas, Corners(kCertificationMarksLeft, top, kPageRight - 342, bottom), 203);
    DrawJpeg(canvas, Corners(kPageRight - 318, top, kPageRight - 230, bottom), 195);
    DrawVector(canvas, Corners(kPageRight - 205, top, kPageRight - 40, bottom), 201);
}

} // namespace tavro
