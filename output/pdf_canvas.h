#pragma once

// The page canvas of the PDF export: draws in page units of 0.1 mm onto a
// page of a libharu document. A PdfDocument holds what all pages of one file
// share: the libharu document with its error record, the fonts loaded for it
// and the text conversion into their encodings.

#include "output/page_canvas.h"
#include "output/pdf_fonts.h"

#include <hpdf.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

namespace tavro {

/// PDF points per page unit (0.1 mm).
inline constexpr double kPointsPerPageUnit = 72.0 / 254.0;

/// One PDF document being built. Every libharu failure, reported to the
/// document's error handler or returned as a status, becomes a tavro::Error.
///
/// Fonts: "Arial" (and "Helvetica") are the standard Helvetica fonts, not
/// embedded, in the code page of the text's character set, for every
/// character that code page encodes and Helvetica has a glyph for. Any
/// other character is set in an embedded TrueType face, subset to the
/// glyphs drawn: the screen's face of Arial (Liberation Sans, the same
/// metrics), then the screen's Chinese face (WenQuanYi Micro Hei), then
/// whichever installed face has the character. Another named face is
/// embedded for all its characters when it is installed, and is drawn as
/// Arial when it is not. A style the face lacks is synthesised as the
/// screen does: bold by stroking the outline, italic by slanting it.
class PdfDocument {
public:
    /// A new document without pages: compressed streams, no viewer settings
    /// yet. Throws Error when libharu cannot create it.
    PdfDocument();
    ~PdfDocument();
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    HPDF_Doc Handle() const { return doc_; }

    /// Adds an A4 portrait page (595.276 × 841.89 pt).
    HPDF_Page AddA4Page();

    /// Throws Error naming `what` when `status` is a failure or libharu has
    /// reported an error since the last check.
    void Check(HPDF_STATUS status, const char* what);
    /// The same for a call that returns an object (a libharu handle, a
    /// pointer): null is a failure.
    template <class T>
    requires std::is_pointer_v<T> T Check(T object, const char* what) {
        Check(object == nullptr ? HPDF_STATUS(HPDF_INVALID_OBJECT) : HPDF_STATUS(HPDF_OK), what);
        return object;
    }

    /// The complete file: completes the embedded fonts and returns the
    /// bytes libharu writes. Call once, after the last page. Throws Error.
    std::string Save();

    /// A piece of text in one font: the bytes in the font's encoding (UTF-8
    /// for the embedded faces), and the style the face lacks.
    struct TextRun {
        HPDF_Font font;
        std::string bytes;
        bool syntheticBold = false;
        bool syntheticItalic = false;
    };
    /// Splits text into runs of the fonts that draw it for `font` (see the
    /// class). Control characters become blanks, characters beyond the
    /// Basic Multilingual Plane U+FFFD; a character no installed face has
    /// is drawn as the missing glyph of the screen's face (as on screen).
    std::vector<TextRun> Runs(const FontSpec& font, const QString& text);

    /// Width of a run, and of runs, in thousandths of the font's em size.
    double RunWidth(const TextRun& run);
    double RunsWidth(const std::vector<TextRun>& runs);

    /// Distance from the top of the text cell to the baseline, and the cell
    /// height, in page units: those of the face the screen draws the font
    /// with, so that the baseline lies where the painter canvas puts it.
    struct CellMetrics {
        double ascent;
        double height;
    };
    CellMetrics Cell(const FontSpec& font);

    /// The libharu error code of the first failure, 0 when there was none.
    HPDF_STATUS ErrorCode() const { return error_; }

private:
    static void OnError(HPDF_STATUS error, HPDF_STATUS detail, void* self);

    HPDF_Font Helvetica(bool bold, bool italic, int codePage);
    // The embedded font of a face; nullptr when libharu cannot read it.
    HPDF_Font Embedded(const FontFace& face);
    // The face that draws c, which Helvetica does not; nullopt when no
    // font can be embedded at all.
    std::optional<FontFace> FaceFor(const std::optional<FontFace>& named, bool bold, bool italic,
                                    char32_t c);
    // Whether the font's blank is as wide as Helvetica's.
    bool SpaceAsWide(HPDF_Font font);
    // Clears a failure the document has recovered from (a font file libharu
    // cannot read), giving back the first-failure record it had before.
    void Forgive(HPDF_STATUS firstError, HPDF_STATUS firstDetail);

    HPDF_Doc doc_ = nullptr;
    HPDF_STATUS error_ = HPDF_OK;
    HPDF_STATUS detail_ = HPDF_OK;
    // The failure reported since the last Check.
    bool pending_ = false;
    HPDF_STATUS pendingError_ = HPDF_OK;
    HPDF_STATUS pendingDetail_ = HPDF_OK;
    bool utf8_ = false;
    std::map<std::string, HPDF_Font> helvetica_;
    struct EmbeddedFont {
        FontFace face;
        HPDF_Font font = nullptr;
        std::set<char16_t> used;
    };
    // By file and index: one font whatever style is synthesised with it.
    std::map<std::pair<std::string, int>, EmbeddedFont> embedded_;
    std::map<HPDF_Font, EmbeddedFont*> byFont_;
    std::map<HPDF_Font, bool> spaceAsWide_;
    std::map<std::string, CellMetrics> cells_;
};

/// Draws on one page of a PdfDocument in page units: origin top left, y
/// down, one unit 0.1 mm. Drawing state (font, pen, brush, alignment) is
/// applied when something is drawn, so setting it never fails; drawing
/// throws Error when libharu fails.
class TPdfCanvas : public TVkCanvas {
public:
    TPdfCanvas(PdfDocument& document, HPDF_Page page);
    /// Ends the canvas's graphics state on the page.
    ~TPdfCanvas() override;
    TPdfCanvas(const TPdfCanvas&) = delete;
    TPdfCanvas& operator=(const TPdfCanvas&) = delete;

    void SetFont(const FontSpec& font) override { font_ = font; }
    FontSpec Font() const override { return font_; }
    void SetTextAlign(TextAlign align) override { align_ = align; }
    TextAlign Align() const override { return align_; }
    void SetPen(const PenSpec& pen) override { pen_ = pen; }
    PenSpec Pen() const override { return pen_; }
    void SetBrush(const BrushSpec& brush) override { brush_ = brush; }
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
    void Ok(HPDF_STATUS status, const char* what) { doc_.Check(status, what); }
    // Line width, dash pattern and colour of the pen.
    void StrokeWith(const PenSpec& pen);
    void FillWith(const QColor& color);
    // Sets the brush's and the pen's state; libharu takes it only before a
    // path begins.
    void BeginPaint();
    // Ends a path with the brush's fill and the pen's outline.
    void Paint(bool evenOdd, bool closed);
    // Text in the current font at (x, y), the reference point at the top
    // of the cell.
    void DrawText(int x, int y, const QString& text);
    double WidthOf(const std::vector<PdfDocument::TextRun>& runs) const;

    PdfDocument& doc_;
    HPDF_Page page_;
    FontSpec font_;
    TextAlign align_ = TextAlign::Left;
    PenSpec pen_;
    BrushSpec brush_;
    QColor background_ = Qt::white;
    bool transparent_ = true;
    QPoint current_;
};

} // namespace tavro
