// The shared part of a PDF file: the libharu document, its error record,
// the fonts and the conversion of text into the fonts' encodings.

#include "output/pdf_canvas.h"

#include "output/text_metrics.h"
#include "physics/errors.h"
#include "shell/code_pages.h"

#include <QFontMetricsF>

#include <array>
#include <cstdio>
#include <mutex>
#include <string_view>
#include <unordered_map>

namespace tavro {

namespace {

// The code pages whose fonts draw a character set, in the order a character
// tries them. Chinese pages draw Latin text with Helvetica, as the screen
// draws it with the Latin face, and only the rest with the Chinese font.
std::vector<int> CodePagesOf(int charset) {
    switch (charset) {
    case 238:
        return {1250};
    case 204:
        return {1251};
    case 134:
        return {1254, 936};
    default: // 1 (default), 0, 162 and anything unknown: Western/Turkish
        return {1254};
    }
}

const char* EncodingName(int codePage) {
    switch (codePage) {
    case 1250:
        return "CP1250";
    case 1251:
        return "CP1251";
    case 936:
        return "GBK-EUC-H";
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

// The face the screen draws "Arial" with: Liberation Sans, Arial's
// metric twin.
FontSpec ScreenFaceOf(FontSpec font) {
    const Face face = ParseFace(font);
    font.face = QStringLiteral("Liberation Sans");
    font.bold = face.bold;
    font.italic = face.italic;
    return font;
}

struct FontFile {
    std::string path;
    int index = 0;
};

// Asks fontconfig (fc-match) for the TrueType file of a family. The family
// travels inside single quotes with fontconfig's own escapes, so no face
// name can reach the shell as a command. Only an exact family match counts:
// fontconfig's nearest substitute would draw the text in a face nobody chose.
FontFile LookUpFontFile(const Face& face) {
    std::string pattern;
    for (const char c : face.family) {
        if (static_cast<unsigned char>(c) < 0x20) return {}; // no such face
        if (c == '\\' || c == '-' || c == ':' || c == ',') pattern += '\\';
        if (c == '\'') {
            pattern += "'\\''";
        } else {
            pattern += c;
        }
    }
    if (face.bold) pattern += ":weight=bold";
    if (face.italic) pattern += ":slant=italic";
    const std::string command =
        "fc-match -f '%{family}\\n%{file}\\n%{index}\\n' '" + pattern + "' 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return {};
    std::string out;
    std::array<char, 512> buffer{};
    // The answer is three short lines; 64 KiB is far beyond any of them.
    while (out.size() < 65536) {
        const size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe);
        if (n == 0) break;
        out.append(buffer.data(), n);
    }
    ::pclose(pipe);
    const QStringList lines = QString::fromUtf8(out).split(QLatin1Char('\n'));
    if (lines.size() < 3) return {};
    bool familyMatches = false;
    for (const QString& family : lines[0].split(QLatin1Char(','))) {
        if (family.trimmed().compare(QString::fromStdString(face.family), Qt::CaseInsensitive) ==
            0) {
            familyMatches = true;
        }
    }
    const QString file = lines[1];
    const bool trueType = file.endsWith(QLatin1String(".ttf"), Qt::CaseInsensitive) ||
                          file.endsWith(QLatin1String(".ttc"), Qt::CaseInsensitive);
    if (!familyMatches || !trueType) return {};
    return {file.toStdString(), lines[2].toInt()};
}

// fc-match takes milliseconds; the answer holds for the process.
FontFile FontFileOf(const Face& face) {
    static std::mutex mutex;
    static std::map<std::string, FontFile> cache;
    const std::string key = face.family + (face.bold ? "|b" : "|") + (face.italic ? "i" : "");
    const std::lock_guard<std::mutex> lock(mutex);
    const auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    return cache.emplace(key, LookUpFontFile(face)).first->second;
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

void PdfDocument::SaveTo(const std::string& file) {
    Check(HPDF_SaveToFile(doc_, file.c_str()), "writing the file");
}

void PdfDocument::Forgive(HPDF_STATUS firstError, HPDF_STATUS firstDetail) {
    pending_ = false;
    error_ = firstError;
    detail_ = firstDetail;
    HPDF_ResetError(doc_);
}

const std::string& PdfDocument::TrueTypeFor(const FontSpec& font) {
    const Face face = ParseFace(font);
    const std::string key = face.family + (face.bold ? "|b" : "|") + (face.italic ? "i" : "");
    const auto it = trueTypes_.find(key);
    if (it != trueTypes_.end()) return it->second;
    std::string name;
    const FontFile file = FontFileOf(face);
    if (!file.path.empty()) {
        const HPDF_STATUS error = error_;
        const HPDF_STATUS detail = detail_;
        const char* loaded =
            file.path.ends_with(".ttf") || file.path.ends_with(".TTF")
                ? HPDF_LoadTTFontFromFile(doc_, file.path.c_str(), HPDF_TRUE)
                : HPDF_LoadTTFontFromFile2(doc_, file.path.c_str(),
                                           static_cast<HPDF_UINT>(file.index), HPDF_TRUE);
        if (loaded != nullptr && !pending_) {
            name = loaded;
        } else {
            // A font file libharu cannot read: Helvetica draws the text.
            Forgive(error, detail);
        }
    }
    return trueTypes_.emplace(key, name).first->second;
}

HPDF_Font PdfDocument::FontFor(const FontSpec& font, int codePage) {
    const Face face = ParseFace(font);
    std::string name;
    if (codePage == 936) {
        if (!chineseFonts_) {
            Check(HPDF_UseCNSFonts(doc_), "loading the Chinese fonts");
            Check(HPDF_UseCNSEncodings(doc_), "loading the Chinese encodings");
            chineseFonts_ = true;
        }
        // SimHei is the sans-serif face, like the one the screen draws
        // Chinese with; libharu names its styles after a comma.
        name = "SimHei";
        if (face.bold || face.italic) {
            name += face.bold ? (face.italic ? ",BoldItalic" : ",Bold") : ",Italic";
        }
    } else if (!IsStandardFace(face.family) && !TrueTypeFor(font).empty()) {
        name = TrueTypeFor(font);
    } else if (codePage == 1251 && !TrueTypeFor(ScreenFaceOf(font)).empty()) {
        // The standard Helvetica has no Cyrillic glyphs: viewers draw them
        // with a substitute at Helvetica's missing-glyph width, so the
        // letters overlap. The screen's own face carries them.
        name = TrueTypeFor(ScreenFaceOf(font));
    } else {
        name = HelveticaOf(face.bold, face.italic);
    }
    const char* encoding = EncodingName(codePage);
    const std::string key = name + '/' + encoding;
    const auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    HPDF_Font f = Check(HPDF_GetFont(doc_, name.c_str(), encoding), "loading a font");
    fonts_.emplace(key, f);
    return f;
}

bool PdfDocument::Encode(char16_t c, int codePage, std::string& out) {
    if (codePage != 936) {
        const ByteTable& table = ByteTableOf(codePage);
        const auto it = table.find(c);
        if (it == table.end()) return false;
        out += it->second;
        return true;
    }
    auto it = gbk_.find(c);
    if (it == gbk_.end()) {
        std::string bytes = WideToCodePage(std::u16string_view(&c, 1), 936);
        // '?' is the converter's answer for a missing character; only two
        // bytes are a GBK character (single bytes are ASCII, drawn in Latin).
        if (bytes.size() != 2) bytes.clear();
        it = gbk_.emplace(c, bytes).first;
    }
    if (it->second.empty()) return false;
    out += it->second;
    return true;
}

std::vector<PdfDocument::TextRun> PdfDocument::Runs(const FontSpec& font, const QString& text) {
    const std::vector<int> codePages = CodePagesOf(font.charset);
    std::vector<TextRun> runs;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i; // one character outside every code page: one '?'
            c = u'\uFFFD';
        }
        // A control character would end libharu's C string (NUL) or draw
        // nothing; the screen shows it as blank space.
        if (c < 0x20 || c == 0x7F) c = u' ';
        std::string bytes;
        int used = codePages.front();
        bool found = false;
        for (const int codePage : codePages) {
            if (Encode(c, codePage, bytes)) {
                used = codePage;
                found = true;
                break;
            }
        }
        if (!found) bytes = "?";
        HPDF_Font f = FontFor(font, used);
        if (runs.empty() || runs.back().font != f) runs.push_back({f, std::string()});
        runs.back().bytes += bytes;
    }
    return runs;
}

double PdfDocument::RunsWidth(const std::vector<TextRun>& runs) {
    double width = 0;
    for (const TextRun& run : runs) {
        const HPDF_TextWidth w =
            HPDF_Font_TextWidth(run.font, reinterpret_cast<const HPDF_BYTE*>(run.bytes.data()),
                                static_cast<HPDF_UINT>(run.bytes.size()));
        width += w.width;
    }
    Check(HPDF_OK, "measuring text");
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
