// The blocks the page frame places: the offer header, the notes and the
// maker's letterhead.

#include "output/page_frame.h"

#include "output/page_metrics.h"
#include "output/page_owner.h"
#include "output/text_metrics.h"
#include "output/vector_pictures.h"
#include "physics/numeric/errors.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/maker_data.h"

namespace tavro {

namespace {

// The font of user-typed texts: the platform's default character set.
FontSpec DefaultCharsetFont(int height, bool bold = false) {
    FontSpec f = DrawingFontSpec(height, bold);
    f.charset = 1;
    return f;
}

// Draws a left-aligned text in the canvas's font, or, when it is wider than
// room, as much smaller as it needs to fit (not below 2 mm characters) on
// the same baseline. The font is left as it was.
void TextWithin(TVkCanvas& canvas, int x, int y, const QString& text, int room) {
    const FontSpec font = canvas.Font();
    const int width = canvas.TextWidth(text);
    if (width <= room || width <= 0) {
        canvas.TextOut(x, y, text);
        return;
    }
    FontSpec fitted = font;
    fitted.height = std::max(20, font.height * room / width);
    canvas.SetFont(fitted);
    canvas.TextOut(x, y + RoundHalfEven(FontAscent(font) - FontAscent(fitted)), text);
    canvas.SetFont(font);
}

// The letterhead of the maker (entry 0).
struct Letterhead {
    const char* company;
    const char* address[3];
    const char* labels[4];
    const char* values[4];
};

constexpr Letterhead kMaker = {
    kMakerName,
    {"Beispielweg 1", "00000 Musterstadt", "Germany"},
    {"Tel.:", "Fax:", "E-Mail:", "Internet:"},
    {"+49 000 000000", "+49 000 000001", kMakerMailAddress, kMakerWebAddress},
};

} // namespace

void DrawOfferHeader(TVkCanvas& canvas, const PageOwner& owner) {
    const PageMetrics& m = Metrics;
    const std::array<std::string, 8> header = owner.PageOfferHeader();
    canvas.SetFont(DefaultCharsetFont(m.baseHeight));
    canvas.SetTextAlign(TextAlign::Left);
    // Both rows share the rectangles of their column, which span the two
    // rows (top + line pitch to top + 3 line pitches).
    const int top = kPageTop + m.linePitch;
    const int bottom = kPageTop + 3 * m.linePitch;
    const QRect columns[] = {Corners(kPageLeft, top, kPageLeft + 230, bottom),
                             Corners(kPageLeft + 250, top, kPageRight - 490, bottom),
                             Corners(kPageRight - 470, top, kPageRight - 320, bottom),
                             Corners(kPageRight - 300, top, kPageRight, bottom)};
    // Line of the header, column, row (0 or 1).
    const int place[8][2] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}};
    const int lines[8] = {2, 3, 0, 1, 4, 5, 6, 7};
    for (int i = 0; i < 8; ++i) {
        const int line = lines[i];
        const QRect& clip = columns[place[i][0]];
        const int y = top + place[i][1] * m.linePitch;
        canvas.TextRect(clip, clip.left(), y,
                        QString::fromStdString(header[static_cast<size_t>(line)]));
    }
}

namespace {

std::vector<QString> ToQStrings(const std::vector<std::string>& lines) {
    std::vector<QString> out;
    for (const std::string& line : lines)
        out.push_back(QString::fromStdString(line));
    return out;
}

// The rows of the notes: the first line, wrapped after its last word that
// fits into firstRoom when it is longer and there are rows enough for all
// lines that are not empty, and the other lines. The second member tells
// whether the first row must still be cut at its room.
std::pair<std::vector<QString>, bool>
NoteRows(TVkCanvas& canvas, const std::vector<std::string>& notes, int firstRoom) {
    std::vector<QString> rows = ToQStrings(notes);
    if (rows.empty() || canvas.TextWidth(rows[0]) <= firstRoom) return {rows, false};
    size_t used = 0; // rows up to the last line that is not empty
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].trimmed().isEmpty()) used = i + 1;
    }
    const QString& first = rows[0];
    qsizetype cut = -1;
    for (qsizetype i = first.indexOf(QChar(' ')); i > 0; i = first.indexOf(QChar(' '), i + 1)) {
        if (canvas.TextWidth(first.left(i)) > firstRoom) break;
        cut = i;
    }
    if (cut < 0 || used + 1 > 3) return {rows, true};
    QString rest = first.mid(cut).trimmed();
    rows[0] = first.left(cut);
    rows.insert(rows.begin() + 1, rest);
    return {rows, false};
}

} // namespace

void DrawNotes(TVkCanvas& canvas, const std::vector<std::string>* notes, int firstRight) {
    const PageMetrics& m = Metrics;
    canvas.SetTextAlign(TextAlign::Left);
    canvas.SetFont(DrawingFontSpec(m.baseHeight));
    canvas.TextOut(kPageLeft, kPageTop + 11 * m.linePitch, TextOf(135) + QStringLiteral(":"));
    if (notes == nullptr) return;
    canvas.SetFont(DefaultCharsetFont(m.baseHeight));
    const QRect clip = Corners(500, 604, kPageRight, 730);
    // Without anything beside it the first line is cut at the sheet's edge
    // like the others.
    const auto [rows, cutFirst] = firstRight >= kPageRight
                                      ? std::pair(ToQStrings(*notes), false)
                                      : NoteRows(canvas, *notes, firstRight - 500);
    for (size_t i = 0; i < rows.size(); ++i) {
        const int y = 604 + m.linePitch * static_cast<int>(i);
        canvas.TextRect(i == 0 && cutFirst ? Corners(500, 604, firstRight, 604 + m.linePitch)
                                           : clip,
                        500, y, rows[i]);
    }
}

void DrawLetterhead(TVkCanvas& canvas) {
    const PageMetrics& m = Metrics;
    const int charset = canvas.Font().charset;
    // The logo, loaded once: (285, 358) to (441, 514).
    static const std::shared_ptr<const Recording> logo = []() -> std::shared_ptr<const Recording> {
        try {
            return std::make_shared<const Recording>(LoadMetafileResource(101));
        } catch (const Error&) {
            return nullptr;
        }
    }();
    const int logoTop = kPageTop + 6 * m.linePitch + m.halfPitch - 15;
    const int logoBottom = kPageTop + 9 * m.linePitch + m.halfPitch + 15;
    if (logo) {
        canvas.PlayRecording(
            Corners(kPageLeft + 35, logoTop, kPageLeft + 3 * m.linePitch + 65, logoBottom), *logo);
    }
    canvas.SetTextAlign(TextAlign::Left);
    canvas.SetFont(DefaultCharsetFont(m.baseHeight, true));
    canvas.TextOut(kPageLeft + 250, Row(6), QString::fromUtf8(kMaker.company));
    canvas.SetFont(DefaultCharsetFont(m.baseHeight));
    for (int i = 0; i < 3; ++i)
        canvas.TextOut(kPageLeft + 250, Row(7 + i), QString::fromUtf8(kMaker.address[i]));
    for (int i = 0; i < 4; ++i) {
        // A label keeps clear of its value ("Internet:" is about as wide as its room).
        TextWithin(canvas, kPageRight - 600, Row(6 + i), QString::fromUtf8(kMaker.labels[i]),
                   130 - 12);
        canvas.TextOut(kPageRight - 470, Row(6 + i), QString::fromUtf8(kMaker.values[i]));
    }
    FontSpec f = DrawingFontSpec(m.baseHeight);
    f.charset = charset;
    canvas.SetFont(f);
}

} // namespace tavro
