// The shared part of a PDF file: the libharu document, its error record,
// the fonts and the choice of font for every character.

#include "output/pdf_canvas.h"

#include "output/pdf_unicode_font.h"
#include "output/text_metrics.h"
#include "physics/numeric/errors.h"
#include "shell/texts/code_pages.h"

#include <QFontMetricsF>

#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <unordered_map>

namespace tavro {

namespace {

// The code page of Helvetica's encoding for a character set. Chinese pages
// draw their Latin text with Helvetica, as the screen draws it with the
// Latin face, and the rest with the embedded Chinese face.
int CodePageOf(int charset) {
    switch (charset) {
    case 238:
        return 1250;
    case 204:
        return 1251;
    default: // 1 (default), 0, 134, 162 and anything unknown: Western/Turkish
        return 1254;
    }
}

const char* EncodingName(int codePage) {
    switch (codePage) {
    case 1250:
        return "CP1250";
    case 1251:
        return "CP1251";
    default:
        return "CP1254";
    }
}

// Unicode → byte of one 8-bit code page, built once per process from the
// code page's own decoding of its bytes 0x20..0xFF.
using ByteTable = std::unordered_map<char16_t, char>;

ByteTable BuildByteTable(int codePage) {
    ByteTable table;
    for (int b = 0x20; b <= 0xFF; ++b) {
        const char byte = static_cast<char>(b);
        const std::u16string wide =
            Utf8ToWide(CodePageToUtf8(std::string_view(&byte, 1), codePage));
        // Undefined bytes decode to U+FFFD; they stand for nothing.
        if (wide.size() == 1 && wide[0] != u'\uFFFD') table.emplace(wide[0], byte);
    }
    return table;
}

const ByteTable& ByteTableOf(int codePage) {
    static const ByteTable cp1250 = BuildByteTable(1250);
    static const ByteTable cp1251 = BuildByteTable(1251);
    static const ByteTable cp1254 = BuildByteTable(1254);
    switch (codePage) {
    case 1250:
        return cp1250;
    case 1251:
        return cp1251;
    default:
        return cp1254;
    }
}

// A face name as the pages write it: "Arial", or "Arial,Bold" with the
// style after the comma.
struct Face {
    std::string family;
    bool bold;
    bool italic;
};

Face ParseFace(const FontSpec& font) {
    const QString face = font.face.trimmed();
    const qsizetype comma = face.indexOf(QLatin1Char(','));
    const QString family = (comma < 0 ? face : face.left(comma)).trimmed();
    const QString style = comma < 0 ? QString() : face.mid(comma + 1);
    return {family.isEmpty() ? std::string("Arial") : family.toStdString(),
            font.bold || style.contains(QLatin1String("bold"), Qt::CaseInsensitive),
            font.italic || style.contains(QLatin1String("italic"), Qt::CaseInsensitive)};
}

bool IsStandardFace(const std::string& family) {
    const QString f = QString::fromStdString(family);
    return f.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0 ||
           f.compare(QLatin1String("Helvetica"), Qt::CaseInsensitive) == 0;
}

const char* HelveticaOf(bool bold, bool italic) {
    if (bold) return italic ? "Helvetica-BoldOblique" : "Helvetica-Bold";
    return italic ? "Helvetica-Oblique" : "Helvetica";
}

// Helvetica's glyphs are the Latin ones of the Western, Turkish and
// Central European code pages; the Cyrillic letters of code page 1251 (and
// its "№") are not among them.
bool HelveticaHas(char16_t c) {
    return ByteTableOf(1254).contains(c) || ByteTableOf(1250).contains(c);
}

// The faces the screen draws "Arial" with (see the shared fonts).
constexpr const char* kLatinFamily = "Liberation Sans";
constexpr const char* kChineseFamily = "WenQuanYi Micro Hei";

void AppendUtf8(char16_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

PdfDocument::PdfDocument() {
    doc_ = HPDF_New(&PdfDocument::OnError, this);
    if (doc_ == nullptr) throw Error("PDF: libharu cannot create a document");
    try {
        Check(HPDF_SetCompressionMode(doc_, HPDF_COMP_ALL), "setting the compression");
    } catch (...) {
        HPDF_Free(doc_);
        throw;
    }
}

PdfDocument::~PdfDocument() {
    HPDF_Free(doc_);
}

void PdfDocument::OnError(HPDF_STATUS error, HPDF_STATUS detail, void* self) {
    // Called from inside libharu's C code: record only, never throw here.
    auto* doc = static_cast<PdfDocument*>(self);
    if (doc->error_ == HPDF_OK) {
        doc->error_ = error;
        doc->detail_ = detail;
    }
    if (!doc->pending_) {
        doc->pending_ = true;
        doc->pendingError_ = error;
        doc->pendingDetail_ = detail;
    }
}

void PdfDocument::Check(HPDF_STATUS status, const char* what) {
    if (status == HPDF_OK && !pending_) return;
    const HPDF_STATUS code = pending_ ? pendingError_ : status;
    const HPDF_STATUS detail = pending_ ? pendingDetail_ : 0;
    pending_ = false;
    HPDF_ResetError(doc_);
    std::array<char, 64> numbers{};
    std::snprintf(numbers.data(), numbers.size(), "libharu error 0x%04X, detail %u",
                  static_cast<unsigned>(code), static_cast<unsigned>(detail));
    throw Error(std::string("PDF: ") + what + " failed (" + numbers.data() + ")");
}

HPDF_Page PdfDocument::AddA4Page() {
    HPDF_Page page = Check(HPDF_AddPage(doc_), "adding a page");
    Check(HPDF_Page_SetSize(page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT), "sizing the page");
    return page;
}

std::string PdfDocument::Save() {
    for (auto& [key, embedded] : embedded_) {
        if (embedded.font != nullptr) {
            CompleteUnicodeFont(doc_, embedded.font, embedded.face, embedded.used);
        }
    }
    Check(HPDF_SaveToStream(doc_), "writing the document");
    const HPDF_UINT32 size = HPDF_GetStreamSize(doc_);
    std::string bytes(size, '\0');
    HPDF_UINT32 read = size;
    Check(HPDF_ReadFromStream(doc_, reinterpret_cast<HPDF_BYTE*>(bytes.data()), &read),
          "reading the document");
    if (read != size) throw Error("PDF: the document was read incompletely");
    return bytes;
}

void PdfDocument::Forgive(HPDF_STATUS firstError, HPDF_STATUS firstDetail) {
    pending_ = false;
    error_ = firstError;
    detail_ = firstDetail;
    HPDF_ResetError(doc_);
}

HPDF_Font PdfDocument::Helvetica(bool bold, bool italic, int codePage) {
    const char* name = HelveticaOf(bold, italic);
    const char* encoding = EncodingName(codePage);
    const std::string key = std::string(name) + '/' + encoding;
    const auto it = helvetica_.find(key);
    if (it != helvetica_.end()) return it->second;
    HPDF_Font f = Check(HPDF_GetFont(doc_, name, encoding), "loading a font");
    helvetica_.emplace(key, f);
    return f;
}

HPDF_Font PdfDocument::Embedded(const FontFace& face) {
    const auto key = std::make_pair(face.file, face.index);
    auto it = embedded_.find(key);
    if (it == embedded_.end()) {
        if (!utf8_) {
            Check(HPDF_UseUTFEncodings(doc_), "loading the Unicode encoding");
            utf8_ = true;
        }
        const HPDF_STATUS error = error_;
        const HPDF_STATUS detail = detail_;
        HPDF_Font font = LoadUnicodeFont(doc_, face);
        if (font == nullptr || pending_) {
            // A font file libharu cannot read: the next face draws the text.
            Forgive(error, detail);
            font = nullptr;
        }
        it = embedded_.emplace(key, EmbeddedFont{face, font, {}}).first;
        if (font != nullptr) byFont_[font] = &it->second;
    }
    return it->second.font;
}

std::optional<FontFace> PdfDocument::FaceFor(const std::optional<FontFace>& named, bool bold,
                                             bool italic, char32_t c) {
    // A face is loaded only for a character it has: an embedded font
    // carries its tables even when no glyph of it is drawn.
    const auto has = [&](const std::optional<FontFace>& face) {
        return face && FaceHasChar(*face, c) && Embedded(*face) != nullptr;
    };
    if (has(named)) return named;
    const std::optional<FontFace> latin = FindFace(kLatinFamily, bold, italic);
    if (has(latin)) return latin;
    const std::optional<FontFace> chinese = FindFace(kChineseFamily, bold, italic);
    if (has(chinese)) return chinese;
    const std::optional<FontFace> any = FaceForChar(c, bold, italic);
    if (has(any)) return any;
    // No installed face has it: the page's face draws its missing glyph,
    // as the screen does.
    for (const auto& face : {named, latin}) {
        if (face && Embedded(*face) != nullptr) return face;
    }
    return std::nullopt;
}

std::vector<PdfDocument::TextRun> PdfDocument::Runs(const FontSpec& font, const QString& text) {
    const Face face = ParseFace(font);
    const bool standard = IsStandardFace(face.family);
    const std::optional<FontFace> named =
        standard ? std::nullopt : FindFace(face.family, face.bold, face.italic);
    // A face that is not installed is drawn as Arial, as on screen.
    const bool helvetica = standard || !named;
    const int codePage = CodePageOf(font.charset);
    const ByteTable& bytes = ByteTableOf(codePage);
    std::vector<TextRun> runs;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i; // libharu's Unicode fonts end at the Basic Multilingual Plane
            c = u'\uFFFD';
        } else if (QChar::isSurrogate(c)) {
            c = u'\uFFFD';
        }
        // A control character would end libharu's C string (NUL) or draw
        // nothing; the screen shows it as blank space.
        if (c < 0x20 || c == 0x7F) c = u' ';
        TextRun piece{nullptr, {}, false, false};
        const auto byte = bytes.find(c);
        std::optional<FontFace> embedded;
        if (c == u' ' && !runs.empty() && byFont_.contains(runs.back().font) &&
            SpaceAsWide(runs.back().font)) {
            // A blank after embedded text stays in its run when it is as
            // wide as Helvetica's: text tools then see the words apart
            // (poppler joins words across a change of font).
            runs.back().bytes += ' ';
            byFont_.at(runs.back().font)->used.insert(c);
            continue;
        }
        if (helvetica && byte != bytes.end() && HelveticaHas(c)) {
            piece.font = Helvetica(face.bold, face.italic, codePage);
            piece.bytes = byte->second;
        } else if ((embedded = FaceFor(named, face.bold, face.italic, c))) {
            piece.font = Embedded(*embedded);
            piece.syntheticBold = embedded->syntheticBold;
            piece.syntheticItalic = embedded->syntheticItalic;
            AppendUtf8(c, piece.bytes);
            byFont_.at(piece.font)->used.insert(c);
        } else {
            // Nothing can be embedded (no TrueType face is installed).
            piece.font = Helvetica(face.bold, face.italic, codePage);
            piece.bytes = byte != bytes.end() ? std::string(1, byte->second) : std::string("?");
        }
        if (runs.empty() || runs.back().font != piece.font ||
            runs.back().syntheticBold != piece.syntheticBold ||
            runs.back().syntheticItalic != piece.syntheticItalic) {
            runs.push_back(std::move(piece));
        } else {
            runs.back().bytes += piece.bytes;
        }
    }
    return runs;
}

bool PdfDocument::SpaceAsWide(HPDF_Font font) {
    const auto it = spaceAsWide_.find(font);
    if (it != spaceAsWide_.end()) return it->second;
    // Helvetica's blank is 278/1000 em wide; so is Liberation Sans's.
    const double width = RunWidth({font, " ", false, false});
    return spaceAsWide_.emplace(font, std::abs(width - 278.0) <= 1.0).first->second;
}

double PdfDocument::RunWidth(const TextRun& run) {
    const HPDF_TextWidth w =
        HPDF_Font_TextWidth(run.font, reinterpret_cast<const HPDF_BYTE*>(run.bytes.data()),
                            static_cast<HPDF_UINT>(run.bytes.size()));
    Check(HPDF_OK, "measuring text");
    return w.width;
}

double PdfDocument::RunsWidth(const std::vector<TextRun>& runs) {
    double width = 0;
    for (const TextRun& run : runs)
        width += RunWidth(run);
    return width;
}

PdfDocument::CellMetrics PdfDocument::Cell(const FontSpec& font) {
    const std::string key = font.face.toStdString() + '|' + std::to_string(font.height) +
                            (font.bold ? "|b" : "|") + (font.italic ? "i" : "");
    const auto it = cells_.find(key);
    if (it != cells_.end()) return it->second;
    const CellMetrics cell{FontAscent(font), QFontMetricsF(MakeQFont(font)).height()};
    cells_.emplace(key, cell);
    return cell;
}

} // namespace tavro
