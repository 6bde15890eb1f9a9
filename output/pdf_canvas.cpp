// The page canvas on a libharu page.

#include "output/pdf_canvas.h"

#include "output/recording.h"
#include "physics/numeric/errors.h"
#include "physics/numeric/rounding.h"
#include "shell/texts/pictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavro {

namespace {

// Pen width 0 is the device's thinnest line. A hairline of 0.25 pt
// (0.088 mm) is what the screen's one-pixel cosmetic pen looks like at the
// preview's scale, stays visible on a printer, and poppler and other
// viewers draw it as one pixel when zoomed out.
constexpr double kHairline = 0.25 / kPointsPerPageUnit;

// The dots of a dotted pen: one pen width on, two off, as the screen's
// dotted pen. The hairline's dots are 0.3 mm on and 0.6 mm off, about one
// screen pixel and two at the preview's scale.
constexpr int kHairlineDot = 3;

// The slant of a synthesised italic, x per unit of height: FreeType's
// oblique transformation, which the screen applies to a face without an
// italic of its own.
constexpr double kSyntheticSlant = 0x0366A / 65536.0;

// The stroke width of a synthesised bold per unit of character height:
// FreeType widens such outlines by em/24, which the screen shows.
constexpr double kSyntheticBoldStroke = 1.0 / 24.0;

HPDF_REAL Real(double v) {
    return static_cast<HPDF_REAL>(v);
}

} // namespace

TPdfCanvas::TPdfCanvas(PdfDocument& document, HPDF_Page page) : doc_(document), page_(page) {
    Ok(HPDF_Page_GSave(page_), "saving the graphics state");
    // Page units, origin top left, y down: points scaled to 0.1 mm, the y
    // axis flipped about the top edge of the page. libharu writes five
    // decimals (0.28346): 16 ppm short, 0.005 mm over the page's height.
    const double height = HPDF_Page_GetHeight(page_);
    Ok(HPDF_Page_Concat(page_, Real(kPointsPerPageUnit), 0, 0, Real(-kPointsPerPageUnit), 0,
                        Real(height)),
       "setting the page units");
}

TPdfCanvas::~TPdfCanvas() {
    // A failure here can only follow one already thrown; the document is
    // then discarded, so the status does not matter.
    HPDF_Page_GRestore(page_);
}

void TPdfCanvas::SetBackground(const QColor& color, bool transparent) {
    background_ = color;
    transparent_ = transparent;
}

void TPdfCanvas::StrokeWith(const PenSpec& pen) {
    Ok(HPDF_Page_SetLineWidth(page_, Real(pen.width > 0 ? pen.width : kHairline)),
       "setting the line width");
    if (pen.style == PenStyle::Dot) {
        // libharu takes whole user units (page units here) up to 65535.
        const int dot = pen.width > 0 ? std::min(pen.width, 20000) : kHairlineDot;
        const HPDF_UINT16 dash[2] = {static_cast<HPDF_UINT16>(dot),
                                     static_cast<HPDF_UINT16>(2 * dot)};
        Ok(HPDF_Page_SetDash(page_, dash, 2, 0), "setting the dash pattern");
    } else {
        Ok(HPDF_Page_SetDash(page_, nullptr, 0, 0), "setting the dash pattern");
    }
    Ok(HPDF_Page_SetRGBStroke(page_, Real(pen.color.redF()), Real(pen.color.greenF()),
                              Real(pen.color.blueF())),
       "setting the line colour");
}

void TPdfCanvas::FillWith(const QColor& color) {
    Ok(HPDF_Page_SetRGBFill(page_, Real(color.redF()), Real(color.greenF()), Real(color.blueF())),
       "setting the fill colour");
}

void TPdfCanvas::BeginPaint() {
    if (brush_.style == BrushStyle::Solid) FillWith(brush_.color);
    if (pen_.style != PenStyle::Clear) StrokeWith(pen_);
}

void TPdfCanvas::Paint(bool evenOdd, bool closed) {
    const bool fill = brush_.style == BrushStyle::Solid;
    const bool stroke = pen_.style != PenStyle::Clear;
    HPDF_STATUS status = HPDF_OK;
    if (fill && stroke) {
        if (closed) {
            status = evenOdd ? HPDF_Page_ClosePathEofillStroke(page_)
                             : HPDF_Page_ClosePathFillStroke(page_);
        } else {
            status = evenOdd ? HPDF_Page_EofillStroke(page_) : HPDF_Page_FillStroke(page_);
        }
    } else if (fill) {
        status = evenOdd ? HPDF_Page_Eofill(page_) : HPDF_Page_Fill(page_);
    } else if (stroke) {
        status = closed ? HPDF_Page_ClosePathStroke(page_) : HPDF_Page_Stroke(page_);
    } else {
        status = HPDF_Page_EndPath(page_);
    }
    Ok(status, "painting a shape");
}

void TPdfCanvas::LineTo(int x, int y) {
    if (pen_.style != PenStyle::Clear) {
        StrokeWith(pen_);
        Ok(HPDF_Page_MoveTo(page_, Real(current_.x()), Real(current_.y())), "drawing a line");
        Ok(HPDF_Page_LineTo(page_, Real(x), Real(y)), "drawing a line");
        Ok(HPDF_Page_Stroke(page_), "drawing a line");
    }
    current_ = {x, y};
}

double TPdfCanvas::WidthOf(const std::vector<PdfDocument::TextRun>& runs) const {
    // libharu measures in thousandths of the em size; the em size is the
    // character height.
    return doc_.RunsWidth(runs) * std::max(1, font_.height) / 1000.0;
}

void TPdfCanvas::DrawText(int x, int y, const QString& text) {
    const std::vector<PdfDocument::TextRun> runs = doc_.Runs(font_, text);
    const double width = WidthOf(runs);
    double dx = 0;
    if (align_ == TextAlign::Right) dx = -width;
    if (align_ == TextAlign::Centre) dx = -width / 2;
    const PdfDocument::CellMetrics cell = doc_.Cell(font_);
    // The screen turns the text counter-clockwise by the angle about the
    // reference point. On the y-down page that is the rotation matrix
    // (cos, -sin, sin, cos) in PDF's (a, b, c, d) order.
    const double turn = font_.angle / 10.0 * std::numbers::pi / 180.0;
    const double c = std::cos(turn);
    const double s = -std::sin(turn);
    if (!transparent_) {
        Ok(HPDF_Page_GSave(page_), "painting the text background");
        Ok(HPDF_Page_Concat(page_, Real(c), Real(s), Real(-s), Real(c), Real(x), Real(y)),
           "painting the text background");
        FillWith(background_);
        Ok(HPDF_Page_Rectangle(page_, Real(dx), 0, Real(width), Real(cell.height)),
           "painting the text background");
        Ok(HPDF_Page_Fill(page_), "painting the text background");
        Ok(HPDF_Page_GRestore(page_), "painting the text background");
    }
    // libharu refuses font sizes above HPDF_MAX_FONTSIZE; a larger character
    // height is scaled by the text matrix instead.
    const double height = std::max(1, font_.height);
    const double scale = height > HPDF_MAX_FONTSIZE ? height / HPDF_MAX_FONTSIZE : 1.0;
    // The baseline's start: the cell's baseline (dx, ascent), rotated and
    // moved to the reference point.
    const double ex = x + dx * c - cell.ascent * s;
    const double ey = y + dx * s + cell.ascent * c;
    FillWith(font_.color);
    Ok(HPDF_Page_BeginText(page_), "drawing text");
    double advance = 0; // along the baseline, in page units
    for (const PdfDocument::TextRun& run : runs) {
        // Text matrix: glyphs upright again in the flipped page (1, 0, 0,
        // -1), slanted for a synthesised italic, rotated, at the run's
        // start on the baseline. Each run gets its own matrix, so a slanted
        // run leaves the next one upright.
        const double k = run.syntheticItalic ? kSyntheticSlant : 0.0;
        const double a = c * scale;
        const double b = s * scale;
        Ok(HPDF_Page_SetTextMatrix(page_, Real(a), Real(b), Real(s * scale + k * a),
                                   Real(-c * scale + k * b), Real(ex + advance * c),
                                   Real(ey + advance * s)),
           "drawing text");
        Ok(HPDF_Page_SetFontAndSize(page_, run.font, Real(height / scale)), "drawing text");
        if (run.syntheticBold) {
            // The outline widened by a stroke of the text's colour: em/24
            // in all, half on either side, as the screen emboldens it.
            Ok(HPDF_Page_SetTextRenderingMode(page_, HPDF_FILL_THEN_STROKE), "drawing bold text");
            Ok(HPDF_Page_SetLineWidth(page_, Real(height * kSyntheticBoldStroke)),
               "drawing bold text");
            Ok(HPDF_Page_SetDash(page_, nullptr, 0, 0), "drawing bold text");
            Ok(HPDF_Page_SetRGBStroke(page_, Real(font_.color.redF()), Real(font_.color.greenF()),
                                      Real(font_.color.blueF())),
               "drawing bold text");
        }
        Ok(HPDF_Page_ShowText(page_, run.bytes.c_str()), "drawing text");
        if (run.syntheticBold) {
            Ok(HPDF_Page_SetTextRenderingMode(page_, HPDF_FILL), "drawing bold text");
        }
        advance += doc_.RunWidth(run) * height / 1000.0;
    }
    Ok(HPDF_Page_EndText(page_), "drawing text");
}

void TPdfCanvas::TextOut(int x, int y, const QString& text) {
    if (!text.isEmpty()) DrawText(x, y, text);
}

void TPdfCanvas::TextRect(const QRect& clip, int x, int y, const QString& text) {
    if (text.isEmpty()) return;
    Ok(HPDF_Page_GSave(page_), "clipping text");
    Ok(HPDF_Page_Rectangle(page_, Real(clip.x()), Real(clip.y()), Real(clip.width()),
                           Real(clip.height())),
       "clipping text");
    Ok(HPDF_Page_Clip(page_), "clipping text");
    Ok(HPDF_Page_EndPath(page_), "clipping text");
    DrawText(x, y, text);
    Ok(HPDF_Page_GRestore(page_), "clipping text");
}

int TPdfCanvas::TextWidth(const QString& text) {
    if (text.isEmpty()) return 0;
    return RoundHalfEven(WidthOf(doc_.Runs(font_, text)));
}

void TPdfCanvas::Rectangle(const QRect& r) {
    BeginPaint();
    Ok(HPDF_Page_Rectangle(page_, Real(r.x()), Real(r.y()), Real(r.width()), Real(r.height())),
       "drawing a rectangle");
    Paint(false, false);
}

void TPdfCanvas::Polygon(const std::vector<QPoint>& points) {
    if (points.size() < 2) return;
    BeginPaint();
    Ok(HPDF_Page_MoveTo(page_, Real(points[0].x()), Real(points[0].y())), "drawing a polygon");
    for (size_t i = 1; i < points.size(); ++i) {
        Ok(HPDF_Page_LineTo(page_, Real(points[i].x()), Real(points[i].y())), "drawing a polygon");
    }
    // The screen fills polygons with the odd-even rule.
    Paint(true, true);
}

void TPdfCanvas::Ellipse(const QRect& r) {
    if (r.width() <= 0 || r.height() <= 0) return;
    BeginPaint();
    Ok(HPDF_Page_Ellipse(page_, Real(r.x() + r.width() / 2.0), Real(r.y() + r.height() / 2.0),
                         Real(r.width() / 2.0), Real(r.height() / 2.0)),
       "drawing an ellipse");
    Paint(false, true);
}

void TPdfCanvas::StretchDraw(const QRect& r, const Picture& picture) {
    if (picture.width <= 0 || picture.height <= 0) return;
    const size_t pixels = size_t(picture.width) * size_t(picture.height);
    if (picture.rgba.size() < pixels * 4) throw Error("PDF: picture data shorter than its size");
    // The picture goes in at its own resolution: colour as DeviceRGB, and
    // its alpha as a soft mask when any pixel is not opaque.
    std::vector<HPDF_BYTE> rgb(pixels * 3);
    std::vector<HPDF_BYTE> alpha(pixels);
    bool opaque = true;
    for (size_t i = 0; i < pixels; ++i) {
        rgb[3 * i] = picture.rgba[4 * i];
        rgb[3 * i + 1] = picture.rgba[4 * i + 1];
        rgb[3 * i + 2] = picture.rgba[4 * i + 2];
        alpha[i] = picture.rgba[4 * i + 3];
        opaque = opaque && alpha[i] == 255;
    }
    const auto w = static_cast<HPDF_UINT>(picture.width);
    const auto h = static_cast<HPDF_UINT>(picture.height);
    HPDF_Image image =
        doc_.Check(HPDF_LoadRawImageFromMem(doc_.Handle(), rgb.data(), w, h, HPDF_CS_DEVICE_RGB, 8),
                   "adding a picture");
    if (!opaque) {
        HPDF_Image mask = doc_.Check(
            HPDF_LoadRawImageFromMem(doc_.Handle(), alpha.data(), w, h, HPDF_CS_DEVICE_GRAY, 8),
            "adding a picture's mask");
        Ok(HPDF_Image_AddSMask(image, mask), "adding a picture's mask");
    }
    // The image fills the unit square with its first row at the top (y = 1);
    // that corner goes to the rectangle's top edge on the y-down page.
    Ok(HPDF_Page_GSave(page_), "drawing a picture");
    Ok(HPDF_Page_Concat(page_, Real(r.width()), 0, 0, Real(-r.height()), Real(r.x()),
                        Real(r.y() + r.height())),
       "drawing a picture");
    Ok(HPDF_Page_ExecuteXObject(page_, image), "drawing a picture");
    Ok(HPDF_Page_GRestore(page_), "drawing a picture");
}

void TPdfCanvas::PlayRecording(const QRect& r, const Recording& recording) {
    recording.Play(*this, r);
}

} // namespace tavro
