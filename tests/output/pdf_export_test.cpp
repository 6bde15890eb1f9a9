// The PDF export as the installed PDF tools see it: page size and document
// settings, fonts, extractable text in every language, failures that leave
// existing files alone, and a page that looks like its screen preview.

#include "output/pdf_export.h"

#include "output/painter_canvas.h"
#include "output/recording.h"
#include "shell/qt/fonts.h"
#include "shell/texts/pictures.h"
#include "tests/support/temp_folder.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <sstream>

namespace tavro {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

bool HaveTools() {
    return std::system("{ command -v pdfinfo && command -v pdffonts && command -v pdftotext && "
                       "command -v pdftoppm && command -v qpdf; } >/dev/null 2>&1") == 0;
}

#define REQUIRE_PDF_TOOLS()                                                                        \
    if (!HaveTools()) GTEST_SKIP() << "poppler-utils or qpdf are not installed"

// Output and exit status of a command.
std::pair<std::string, int> Shell(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return {out, -1};
    char buffer[4096];
    size_t n = 0;
    // The tools' answers are small; 64 MiB ends any runaway output.
    while (out.size() < (size_t(64) << 20) && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    return {out, ::pclose(pipe)};
}

// The value of a "Name: value" line of pdfinfo, empty when there is none.
std::string Field(const std::string& info, const std::string& name) {
    std::istringstream lines(info);
    std::string line;
    for (int row = 0; row < 200 && std::getline(lines, line); ++row) {
        if (line.rfind(name + ":", 0) != 0) continue;
        const size_t value = line.find_first_not_of(' ', name.size() + 1);
        return value == std::string::npos ? std::string() : line.substr(value);
    }
    return {};
}

std::string Quote(const std::string& path) {
    return "'" + path + "'";
}

FontSpec Font(int height, int charset = 1, bool bold = false) {
    FontSpec f;
    f.height = height;
    f.charset = charset;
    f.bold = bold;
    return f;
}

// A data-sheet-like page: designation, right-aligned numbers, lines, a
// filled polygon, an ellipse, turned text, the languages' characters and
// a nested picture.
void DrawTestPage(Recording& page) {
    TRecordingCanvas c(page);
    c.SetFont(Font(50, 1, true));
    c.TextOut(150, 150, QStringLiteral("Type: Tavro 20 / 600 / 850 - 5.5 - BY 321"));
    c.SetFont(Font(34));
    const QString labels[] = {QStringLiteral("Außenluft"), QStringLiteral("Fortluft"),
                              QStringLiteral("Übergröße")};
    const QString values[] = {QStringLiteral("5500"), QStringLiteral("12.5"),
                              QStringLiteral("1013.25")};
    for (int i = 0; i < 3; ++i) {
        c.SetTextAlign(TextAlign::Left);
        c.TextOut(150, 300 + 60 * i, labels[i]);
        c.SetTextAlign(TextAlign::Right);
        c.TextOut(1200, 300 + 60 * i, values[i]);
        c.Line(150, 350 + 60 * i, 1200, 350 + 60 * i);
    }
    c.SetTextAlign(TextAlign::Left);
    c.SetFont(Font(34, 238));
    c.TextOut(150, 560, QStringLiteral("Polski: ąęłńśźż"));
    c.SetFont(Font(34, 204));
    c.TextOut(150, 620, QStringLiteral("Температура"));
    c.SetFont(Font(34, 134));
    c.TextOut(150, 680, QStringLiteral("温度 25 °C"));
    c.SetPen({PenStyle::Solid, 8, Qt::black});
    c.SetBrush({BrushStyle::Solid, QColor(40, 90, 200)});
    c.Polygon({{1400, 300}, {1900, 300}, {1650, 700}});
    c.SetBrush({BrushStyle::Solid, QColor(230, 60, 40)});
    c.Ellipse(QRect(1400, 800, 500, 300));
    c.SetPen({});
    c.SetBrush({BrushStyle::Clear, Qt::white});
    c.Rectangle(QRect(100, 100, 1900, 2770));
    FontSpec turned = Font(40);
    turned.angle = 900;
    c.SetFont(turned);
    c.TextOut(1000, 1600, QStringLiteral("Turned text"));
    Recording nested(QSize(1000, 500));
    {
        TRecordingCanvas n(nested);
        n.SetPen({PenStyle::Solid, 4, Qt::darkGreen});
        n.Line(0, 250, 1000, 250);
        n.SetFont(Font(60));
        n.TextOut(50, 50, QStringLiteral("Nested sketch"));
    }
    c.PlayRecording(QRect(150, 1900, 1000, 500), nested);
}

class PdfExport : public testing::Test {
protected:
    PdfExport() {
        CreateSharedFonts();
        DrawTestPage(page_);
    }
    std::string Write(const std::string& name = "sheet.pdf") {
        const std::string path = dir_ / name;
        WritePdf(path, {&page_});
        return path;
    }
    size_t FilesInDir() const {
        size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir_.path()))
            ++n;
        return n;
    }

    TempDir dir_;
    Recording page_;
};

TEST_F(PdfExport, OneA4PageWithTheDocumentSettings) {
    REQUIRE_PDF_TOOLS();
    const std::string path = Write();
    const auto [info, status] = Shell("pdfinfo " + Quote(path));
    ASSERT_EQ(status, 0) << info;
    EXPECT_EQ(Field(info, "Pages"), "1");
    EXPECT_EQ(Field(info, "Page size"), "595.276 x 841.89 pts (A4)");
    EXPECT_EQ(Field(info, "Author"), "Zelvanor GmbH");
    EXPECT_EQ(Field(info, "Title"), "");
    EXPECT_EQ(Field(info, "Creator"), "");
    const auto [check, checkStatus] = Shell("qpdf --check " + Quote(path));
    EXPECT_EQ(checkStatus, 0) << check;
    const auto [qdf, qdfStatus] =
        Shell("qpdf --qdf --object-streams=disable " + Quote(path) + " -");
    EXPECT_NE(qdf.find("/PageLayout /SinglePage"), std::string::npos);
    EXPECT_NE(qdf.find("/FitWindow true"), std::string::npos);
    EXPECT_NE(ReadFile(path).find("/FlateDecode"), std::string::npos);
}

TEST_F(PdfExport, OnePagePerRecording) {
    REQUIRE_PDF_TOOLS();
    Recording second;
    {
        TRecordingCanvas c(second);
        c.TextOut(100, 100, QStringLiteral("second page"));
    }
    const std::string path = dir_ / "three.pdf";
    WritePdf(path, {&page_, &second, &page_});
    EXPECT_EQ(Field(Shell("pdfinfo " + Quote(path)).first, "Pages"), "3");
    EXPECT_NE(Shell("pdftotext -f 2 -l 2 " + Quote(path) + " -").first.find("second page"),
              std::string::npos);
}

TEST_F(PdfExport, TextOfEveryLanguageIsRealText) {
    REQUIRE_PDF_TOOLS();
    const std::string text = Shell("pdftotext -enc UTF-8 " + Quote(Write()) + " -").first;
    for (const char* expected :
         {"Type: Tavro 20 / 600 / 850 - 5.5 - BY 321", "Außenluft", "Übergröße", "1013.25",
          "ąęłńśźż", "Температура", "温度", "Turned text", "Nested sketch"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
}

// (name, embedded) of every font pdffonts lists.
std::vector<std::pair<std::string, bool>> FontsOf(const std::string& path) {
    std::vector<std::pair<std::string, bool>> fonts;
    std::istringstream lines(Shell("pdffonts " + Quote(path)).first);
    std::string line;
    for (int row = 0; row < 100 && std::getline(lines, line); ++row) {
        if (row < 2) continue; // the heading and its underline
        std::istringstream words(line);
        std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
        // … emb sub uni object generation: emb is the fifth word from the end.
        if (w.size() >= 6) fonts.emplace_back(w[0], w[w.size() - 5] == "yes");
    }
    return fonts;
}

bool IsHelvetica(const std::string& name) {
    return name == "Helvetica" || name.starts_with("Helvetica-");
}

TEST_F(PdfExport, EveryFontButHelveticaIsEmbedded) {
    REQUIRE_PDF_TOOLS();
    const auto fonts = FontsOf(Write());
    auto has = [&](const std::string& part) {
        for (const auto& [name, embedded] : fonts) {
            if (name.find(part) != std::string::npos) return true;
        }
        return false;
    };
    EXPECT_TRUE(has("Helvetica"));
    EXPECT_TRUE(has("Helvetica-Bold"));
    // Helvetica has no Cyrillic: the Russian text brings the screen's
    // face; the Chinese text brings the screen's Chinese face, so that no
    // viewer needs CJK language data.
    EXPECT_TRUE(has("+LiberationSans"));
    EXPECT_TRUE(has("+WenQuanYiMicroHei"));
    for (const auto& [name, embedded] : fonts)
        EXPECT_EQ(embedded, !IsHelvetica(name)) << name;
    // Identity-H needs no character map from the CJK language data, as
    // the GBK encodings of the former Chinese fonts did.
    EXPECT_EQ(Shell("pdffonts " + Quote(dir_ / "sheet.pdf")).first.find("EUC"), std::string::npos);

    Recording other;
    {
        TRecordingCanvas c(other);
        FontSpec dejavu = Font(34);
        dejavu.face = QStringLiteral("DejaVu Sans");
        c.SetFont(dejavu);
        c.TextOut(100, 100, QStringLiteral("DejaVu text"));
        FontSpec missing = Font(34);
        missing.face = QStringLiteral("No Such Face'; touch /tmp/x; '");
        c.SetFont(missing);
        c.TextOut(100, 200, QStringLiteral("fallback text"));
    }
    const std::string path = dir_ / "faces.pdf";
    WritePdf(path, {&other});
    const auto faces = FontsOf(path);
    ASSERT_EQ(faces.size(), 2u);
    EXPECT_NE(faces[0].first.find("DejaVuSans"), std::string::npos) << faces[0].first;
    EXPECT_TRUE(faces[0].second);
    EXPECT_EQ(faces[1], std::make_pair(std::string("Helvetica"), false));
    EXPECT_NE(Shell("pdftotext " + Quote(path) + " -").first.find("DejaVu text"),
              std::string::npos);
}

// Notes, offer header and names as users type them, in every character set
// of the program: five scripts and symbols outside most code pages.
TEST_F(PdfExport, CharactersOutsideTheCodePageAreNotQuestionMarks) {
    REQUIRE_PDF_TOOLS();
    const std::vector<QString> lines = {QStringLiteral("Žilina Łódź Plzeň Ærøskøbing"),
                                        QStringLiteral("Привет, Київ"),
                                        QStringLiteral("Ω ½ № ≤ ∆ €"),
                                        QStringLiteral("αβγ Ελλάδα"),
                                        QStringLiteral("温度 北京"),
                                        QStringLiteral("გამარჯობა")};
    Recording notes;
    {
        TRecordingCanvas c(notes);
        int y = 100;
        for (const int charset : {1, 238, 204, 134, 162}) {
            for (const bool bold : {false, true}) {
                FontSpec font = Font(34, charset, bold);
                font.italic = charset == 162;
                c.SetFont(font);
                for (const QString& line : lines) {
                    c.TextOut(150, y, line);
                    y += 40;
                }
            }
        }
    }
    const std::string path = dir_ / "notes.pdf";
    WritePdf(path, {&notes});
    auto [text, status] = Shell("pdftotext -enc UTF-8 " + Quote(path) + " -");
    ASSERT_EQ(status, 0) << text;
    EXPECT_EQ(text.find('?'), std::string::npos) << text;
    EXPECT_EQ(text.find("Syntax"), std::string::npos) << text; // a text map poppler rejects
    // pdftotext drops some blanks where the font changes between words
    // (its own layout guess); the characters are what counts.
    auto blankless = [](std::string s) {
        s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
        return s;
    };
    text = blankless(text);
    for (const QString& line : lines) {
        const std::string expected = blankless(line.toStdString());
        size_t count = 0;
        for (size_t at = text.find(expected); at != std::string::npos;
             at = text.find(expected, at + 1))
            ++count;
        EXPECT_EQ(count, 10u) << expected << "\n" << text;
    }
    for (const auto& [name, embedded] : FontsOf(path))
        EXPECT_EQ(embedded, !IsHelvetica(name)) << name;
}

// Grey pixels darker than the middle in a rectangle of an image.
int Ink(const QImage& image, const QRect& r) {
    int ink = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x)
            ink += image.valid(x, y) && qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    }
    return ink;
}

// Most ideographs of WenQuanYi Micro Hei are composite glyphs built from
// components numbered above 32767, which libharu's own subset drops: they
// came out blank.
TEST_F(PdfExport, ChineseGlyphsAreDrawnWholeAndBoldAsOnScreen) {
    REQUIRE_PDF_TOOLS();
    const QString chars = QStringLiteral("温度湿效率说明产品热回收");
    Recording page;
    {
        TRecordingCanvas c(page);
        for (int row = 0; row < 2; ++row) {
            c.SetFont(Font(100, 134, row == 1));
            for (int i = 0; i < chars.size(); ++i)
                c.TextOut(100 + 150 * i, 100 + 200 * row, chars.mid(i, 1));
        }
    }
    const std::string path = dir_ / "chinese.pdf";
    WritePdf(path, {&page});
    Shell("pdftoppm -r 254 -png -singlefile " + Quote(path) + " " + Quote(dir_ / "chinese"));
    const QImage pdf(QString::fromStdString(dir_ / "chinese.png"));
    ASSERT_FALSE(pdf.isNull());
    // The same glyphs as the preview draws them, at the same scale: one
    // pixel per page unit.
    QImage screen(pdf.size(), QImage::Format_RGB32);
    screen.fill(Qt::white);
    {
        QPainter painter(&screen);
        painter.setRenderHint(QPainter::Antialiasing);
        TPainterCanvas canvas(painter);
        page.Play(canvas, QRect(0, 0, 2100, 2970));
    }
    for (int i = 0; i < chars.size(); ++i) {
        const QRect cell(100 + 150 * i - 10, 90, 130, 150);
        const int drawn = Ink(pdf, cell);
        const int shown = Ink(screen, cell);
        // Anti-aliasing of the two renderers differs by a few per cent of
        // a glyph's ink; a missing component loses a third or more.
        EXPECT_NEAR(drawn, shown, shown * 0.15) << chars.mid(i, 1).toStdString();
        // The stroke of the synthesised bold adds em/24 to every stem, as
        // FreeType's emboldening does on screen (a 2.5-unit stem of this
        // face at 34 units becomes 3.9): about half as much ink again.
        const int bold = Ink(pdf, cell.translated(0, 200));
        EXPECT_GT(bold, drawn * 1.25) << chars.mid(i, 1).toStdString();
        EXPECT_LT(bold, drawn * 1.9) << chars.mid(i, 1).toStdString();
    }
}

TEST_F(PdfExport, AFailureLeavesTheExistingFileAsItWas) {
    const std::string existing = dir_ / "old.pdf";
    WriteFile(existing, "the previous file");
    const std::string notAFolder = dir_ / "plain-file";
    WriteFile(notAFolder, "x");
    Recording broken;
    {
        TRecordingCanvas c(broken);
        c.TextOut(100, 100, QStringLiteral("before the picture"));
        c.StretchDraw(QRect(0, 0, 100, 100), Picture{10, 10, std::vector<uint8_t>(3)});
    }
    struct Case {
        const char* what;
        std::string path;
        std::vector<const Recording*> pages;
    };
    const std::vector<Case> cases = {
        {"no pages", existing, {}},
        {"a missing page", existing, {&page_, nullptr}},
        {"a page that cannot be drawn", existing, {&page_, &broken}},
        {"a folder that is a file", notAFolder + "/sheet.pdf", {&page_}},
        {"a folder that does not exist", dir_ / "none/sheet.pdf", {&page_}},
        {"a folder in place of the file", dir_.path(), {&page_}},
    };
    for (const Case& c : cases) {
        try {
            WritePdf(c.path, c.pages);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.path), std::string::npos)
                << c.what << ": " << e.what();
        }
        EXPECT_EQ(ReadFile(existing), "the previous file") << c.what;
        EXPECT_EQ(FilesInDir(), 2u) << c.what << ": a partial file was left behind";
    }
    // A file that can be written replaces the old one completely.
    WritePdf(existing, {&page_});
    EXPECT_EQ(ReadFile(existing).substr(0, 5), "%PDF-");
    EXPECT_EQ(FilesInDir(), 2u);
}

TEST(PdfOpener, TheHookReceivesThePath) {
    std::vector<QString> opened;
    SetDocumentOpener([&](const QString& path) {
        opened.push_back(path);
        return true;
    });
    EXPECT_TRUE(OpenDocument(QStringLiteral("/tmp/some sheet.pdf")));
    SetDocumentOpener([](const QString&) -> bool { throw Error("viewer missing"); });
    EXPECT_FALSE(OpenDocument(QStringLiteral("/tmp/other.pdf")));
    SetDocumentOpener(nullptr);
    EXPECT_EQ(opened, std::vector<QString>{QStringLiteral("/tmp/some sheet.pdf")});
}

QImage Blurred(const QImage& source) {
    const QImage g = source.convertToFormat(QImage::Format_Grayscale8);
    QImage out(g.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < g.height(); ++y) {
        for (int x = 0; x < g.width(); ++x) {
            int sum = 0;
            int n = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    if (!g.valid(x + dx, y + dy)) continue;
                    sum += g.constScanLine(y + dy)[x + dx];
                    ++n;
                }
            }
            out.scanLine(y)[x] = static_cast<uchar>(sum / n);
        }
    }
    return out;
}

TEST_F(PdfExport, LooksLikeThePreview) {
    REQUIRE_PDF_TOOLS();
    const std::string path = Write();
    const std::string png = dir_ / "pdf";
    Shell("pdftoppm -r 100 -png -singlefile " + Quote(path) + " " + Quote(png));
    const QImage pdf(QString::fromStdString(png + ".png"));
    ASSERT_FALSE(pdf.isNull());
    QImage screen(pdf.size(), QImage::Format_RGB32);
    screen.fill(Qt::white);
    {
        QPainter painter(&screen);
        // 100 dpi: 2540 page units (10 inches) are 1000 pixels.
        MapPage(painter, 2540, 1000);
        TPainterCanvas canvas(painter);
        page_.Play(canvas, QRect(0, 0, 2100, 2970));
    }
    const QImage a = Blurred(pdf);
    const QImage b = Blurred(screen);
    // Among the pixels either image inks, count those whose grey differs
    // by more than a quarter of the scale. Anti-aliasing, the screen's
    // kerning and its baselines snapped to whole pixels disagree at glyph
    // edges: about 5 % here. The page shifted by half a millimetre (2 px)
    // already differs in 24 %, so 10 % catches misplaced text and shapes.
    long ink = 0;
    long differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const int ga = a.constScanLine(y)[x];
            const int gb = b.constScanLine(y)[x];
            if (ga > 230 && gb > 230) continue;
            ++ink;
            if (std::abs(ga - gb) > 64) ++differing;
        }
    }
    ASSERT_GT(ink, 1000);
    const double fraction = double(differing) / double(ink);
    EXPECT_LT(fraction, 0.10) << differing << " of " << ink << " inked pixels differ";
    RecordProperty("DifferingInkFraction", std::to_string(fraction));
}

} // namespace
} // namespace tavro
