// The PDF page canvas: text in the fonts' encodings, widths that match the
// screen, text placement, paint operators and libharu failures.

#include "output/pdf_canvas.h"

#include "output/text_metrics.h"
#include "physics/numeric/errors.h"
#include "shell/texts/pictures.h"
#include "tests/support/temp_folder.h"

#include <QImage>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

namespace tavro {
namespace {

using test::ReadFile;
using test::TempDir;

bool HaveTool(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Shell(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    size_t n = 0;
    // The tools' answers are small; 64 MiB ends any runaway output.
    while (out.size() < (size_t(64) << 20) && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

// One page drawn straight on the canvas, saved without compression so that
// the content stream can be read.
class PdfPage : public testing::Test {
protected:
    PdfPage() {
        HPDF_SetCompressionMode(doc_.Handle(), HPDF_COMP_NONE);
        canvas_ = std::make_unique<TPdfCanvas>(doc_, doc_.AddA4Page());
    }
    std::string Save() {
        canvas_.reset();
        const std::string pdf = doc_.Save();
        test::WriteFile(path_, pdf);
        return pdf;
    }

    TempDir dir_;
    std::string path_ = dir_ / "page.pdf";
    PdfDocument doc_;
    std::unique_ptr<TPdfCanvas> canvas_;
};

FontSpec FontOf(int charset, int height = 34) {
    FontSpec f;
    f.charset = charset;
    f.height = height;
    return f;
}

TEST_F(PdfPage, TextGoesIntoTheEncodingOfItsCharacterSet) {
    struct Case {
        int charset;
        QString text;
        std::vector<std::string> runs;
    };
    const std::vector<Case> cases = {
        {1,
         QStringLiteral("Äpfel Öl Übergröße"),
         {"\xC4pfel \xD6l \xDC"
          "bergr\xF6\xDF"
          "e"}},
        {162, QStringLiteral("Ölçüm ığş"), {"\xD6l\xE7\xFCm \xFD\xF0\xFE"}},
        {238, QStringLiteral("ąęłńśźż"), {"\xB9\xEA\xB3\xF1\x9C\x9F\xBF"}},
        // Helvetica has no Cyrillic letters: they go to the embedded face
        // in UTF-8 (with the blank after them), the digits and the degree
        // sign stay in code page 1251.
        {204,
         QStringLiteral("Температура 20 °C"),
         {"Температура ", "20 \xB0"
                          "C"}},
        // Latin text of a Chinese page stays in Helvetica, the rest is in
        // the embedded Chinese face.
        {134, QStringLiteral("T 温度 20"), {"T ", "温度", " 20"}},
        // Characters the code page lacks, a pair of surrogates (one
        // character beyond libharu's Unicode fonts) and control characters
        // that would cut libharu's C strings.
        {1,
         QStringLiteral("a") + QString::fromUtf8("\u0416") + QStringLiteral("b"),
         {"a", "Ж", "b"}},
        {1, QString::fromUtf8("x\U0001F600y"), {"x", "\uFFFD", "y"}},
        {1, QString(QChar(u'a')) + QChar(u'\0') + QChar(u'\t') + QChar(u'b'), {"a  b"}},
    };
    for (const Case& c : cases) {
        const std::vector<PdfDocument::TextRun> runs = doc_.Runs(FontOf(c.charset), c.text);
        std::vector<std::string> bytes;
        for (const auto& run : runs)
            bytes.push_back(run.bytes);
        EXPECT_EQ(bytes, c.runs) << c.text.toStdString();
    }
    // The two Latin runs of the Chinese text share one font.
    const auto chinese = doc_.Runs(FontOf(134), QStringLiteral("T 温度 20"));
    ASSERT_EQ(chinese.size(), 3u);
    EXPECT_EQ(chinese[0].font, chinese[2].font);
    EXPECT_NE(chinese[0].font, chinese[1].font);
}

// The base font name without libharu's subset tag ("HPDFAA+") and style.
std::string FontName(HPDF_Font font) {
    std::string name = HPDF_Font_GetFontName(font);
    name = name.substr(0, name.find(','));
    const size_t plus = name.find('+');
    return plus == std::string::npos ? name : name.substr(plus + 1);
}

TEST_F(PdfPage, FacesAndStylesChooseTheirFonts) {
    struct Case {
        const char* face;
        bool bold;
        bool italic;
        int charset;
        const char* text;
        const char* font;
        bool syntheticBold;
    };
    const std::vector<Case> cases = {
        {"Arial", false, false, 1, "x", "Helvetica", false},
        {"Arial", true, false, 1, "x", "Helvetica-Bold", false},
        {"Arial", false, true, 238, "ł", "Helvetica-Oblique", false},
        {"Arial", true, true, 1, "x", "Helvetica-BoldOblique", false},
        {"Arial,Bold", false, false, 1, "x", "Helvetica-Bold", false},
        {"", false, false, 1, "x", "Helvetica", false},
        {"No Such Face", false, false, 1, "x", "Helvetica", false},
        // What Helvetica cannot draw is in the screen's face, in its style.
        {"Arial", false, false, 204, "ж", "LiberationSans", false},
        {"Arial,Bold", false, false, 204, "ж", "LiberationSans-Bold", false},
        {"Arial", false, true, 1, "ж", "LiberationSans-Italic", false},
        {"Arial", true, true, 238, "Ω", "LiberationSans-BoldItalic", false},
        // The Chinese face has no bold: it is synthesised.
        {"Arial", false, false, 134, "温", "WenQuanYiMicroHei", false},
        {"Arial", true, false, 134, "温", "WenQuanYiMicroHei", true},
        // An installed face draws everything it has.
        {"DejaVu Sans", false, false, 1, "x", "DejaVuSans", false},
    };
    for (const Case& c : cases) {
        FontSpec font = FontOf(c.charset);
        font.face = QString::fromLatin1(c.face);
        font.bold = c.bold;
        font.italic = c.italic;
        const auto runs = doc_.Runs(font, QString::fromUtf8(c.text));
        ASSERT_EQ(runs.size(), 1u) << c.face << " " << c.text;
        EXPECT_EQ(FontName(runs[0].font), c.font) << c.face << " " << c.text;
        EXPECT_EQ(runs[0].syntheticBold, c.syntheticBold) << c.face << " " << c.text;
    }
}

TEST_F(PdfPage, SynthesisedBoldIsStrokedAndItalicSlanted) {
    FontSpec font = FontOf(134, 48);
    font.bold = true;
    canvas_->SetFont(font);
    canvas_->TextOut(100, 100, QStringLiteral("温度 T"));
    font.bold = false;
    font.italic = true;
    canvas_->SetFont(font);
    canvas_->TextOut(100, 300, QStringLiteral("温度"));
    const std::string pdf = Save();
    // Fill and stroke with a line of em/24 (48 / 24 = 2 page units), back
    // to plain filling for the Latin run.
    const size_t bold = pdf.find("2 Tr");
    ASSERT_NE(bold, std::string::npos);
    EXPECT_LT(pdf.find("\0122 w", bold - 40), pdf.find("Tj", bold));
    EXPECT_LT(pdf.find("0 Tr", bold), pdf.find("BT", bold));
    // The italic run's text matrix slants by FreeType's 0.21255 (libharu
    // writes five decimals) for the upright matrix (1 0 0 -1).
    EXPECT_NE(pdf.find("1 0 0.21255 -1 100"), std::string::npos);
}

TEST_F(PdfPage, AnOpaqueBackgroundPaintsABoxBehindTheText) {
    canvas_->SetBackground(QColor(255, 255, 0), false);
    canvas_->TextOut(100, 100, QStringLiteral("boxed"));
    canvas_->SetBackground(QColor(0, 255, 255), true);
    canvas_->TextOut(100, 200, QStringLiteral("plain"));
    const std::string pdf = Save();
    const size_t box = pdf.find("1 1 0 rg");
    ASSERT_NE(box, std::string::npos);
    EXPECT_LT(box, pdf.find(" re\012f", box));
    EXPECT_LT(pdf.find(" re\012f", box), pdf.find("BT", box));
    EXPECT_EQ(pdf.find("0 1 1 rg"), std::string::npos);
}

TEST_F(PdfPage, WidthsMatchTheScreenSoColumnsLineUp) {
    // Helvetica and the screen's Liberation Sans share Arial's advance
    // widths; only the screen's kerning may differ, by well under 1 %.
    const std::vector<std::pair<FontSpec, QString>> cases = {
        {FontOf(1), QStringLiteral("Type: Tavro 20 / 600 / 850 - 5.5 - BY 321")},
        {FontOf(1, 100), QStringLiteral("1234.5")},
        {FontOf(1, 28), QStringLiteral("Außenluft Übergröße")},
        {FontOf(238), QStringLiteral("Zażółć gęślą jaźń")},
        {FontOf(204), QStringLiteral("Температура")},
        {[] {
             FontSpec f = FontOf(1, 40);
             f.bold = true;
             return f;
         }(),
         QStringLiteral("Volume flow 5500 m³/h")},
    };
    for (const auto& [font, text] : cases) {
        canvas_->SetFont(font);
        const int pdf = canvas_->TextWidth(text);
        const int screen = MeasureText(font, text);
        EXPECT_NEAR(pdf, screen, 1 + screen / 100) << text.toStdString();
    }
    // Helvetica's digits are 556/1000 em wide.
    canvas_->SetFont(FontOf(1, 100));
    EXPECT_EQ(canvas_->TextWidth(QStringLiteral("1000")), 222);
    EXPECT_EQ(canvas_->TextWidth(QString()), 0);
}

TEST_F(PdfPage, CellMetricsAreThoseOfTheScreenFace) {
    for (const int height : {20, 34, 80}) {
        const FontSpec font = FontOf(1, height);
        EXPECT_DOUBLE_EQ(doc_.Cell(font).ascent, FontAscent(font));
        EXPECT_GT(doc_.Cell(font).height, doc_.Cell(font).ascent);
    }
}

TEST_F(PdfPage, LibharuFailuresBecomeErrorsAndTheDocumentGoesOn) {
    try {
        doc_.Check(HPDF_GetFont(doc_.Handle(), "No-Such-Font", nullptr), "loading a font");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("loading a font"), std::string::npos) << e.what();
    }
    EXPECT_NE(doc_.ErrorCode(), HPDF_OK);
    EXPECT_NO_THROW(doc_.Check(HPDF_OK, "nothing"));
    EXPECT_THROW(doc_.Check(HPDF_STATUS(HPDF_INVALID_PARAMETER), "a call"), Error);
    canvas_->TextOut(100, 100, QStringLiteral("still drawing"));
    EXPECT_NO_THROW(Save());
}

TEST_F(PdfPage, ShapesArePaintedWithBrushAndPen) {
    struct Case {
        PenStyle pen;
        BrushStyle brush;
        const char* op; // after the rectangle's "re"
    };
    const std::vector<Case> cases = {{PenStyle::Solid, BrushStyle::Solid, "B"},
                                     {PenStyle::Clear, BrushStyle::Solid, "f"},
                                     {PenStyle::Solid, BrushStyle::Clear, "S"},
                                     {PenStyle::Dot, BrushStyle::Clear, "S"},
                                     {PenStyle::Clear, BrushStyle::Clear, "n"}};
    for (size_t i = 0; i < cases.size(); ++i) {
        canvas_->SetPen({cases[i].pen, 0, Qt::black});
        canvas_->SetBrush({cases[i].brush, Qt::red});
        canvas_->Rectangle(QRect(100, 100 + 200 * int(i), 300, 100));
    }
    const std::string pdf = Save();
    std::vector<std::string> ops;
    size_t at = 0;
    for (int guard = 0; guard < 100; ++guard) {
        at = pdf.find(" re\012", at);
        if (at == std::string::npos) break;
        at += 4;
        ops.push_back(pdf.substr(at, pdf.find('\012', at) - at));
    }
    ASSERT_EQ(ops.size(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(ops[i], cases[i].op) << i;
    // The dotted hairline's dashes, and the hairline width of pen 0.
    EXPECT_NE(pdf.find("[3 6 ] 0 d"), std::string::npos);
    EXPECT_NE(pdf.find("\0120.88194 w"), std::string::npos);
}

TEST_F(PdfPage, ClearPenDrawsNoLineButMovesOn) {
    canvas_->SetPen({PenStyle::Clear, 5, Qt::black});
    canvas_->MoveTo(100, 100);
    canvas_->LineTo(500, 100);
    canvas_->SetPen({PenStyle::Solid, 5, Qt::black});
    canvas_->LineTo(500, 700);
    const std::string pdf = Save();
    EXPECT_EQ(pdf.find("\012100 100 m"), std::string::npos);
    EXPECT_NE(pdf.find("500 100 m\012500 700 l\012S"), std::string::npos);
}

TEST_F(PdfPage, PicturesNeedTheirPixelsAndKeepTheirTransparency) {
    Picture broken{4, 4, std::vector<uint8_t>(10)};
    EXPECT_THROW(canvas_->StretchDraw(QRect(0, 0, 100, 100), broken), Error);
    Picture half{2, 1, {255, 0, 0, 255, 0, 0, 255, 128}};
    canvas_->StretchDraw(QRect(100, 100, 200, 100), half);
    canvas_->StretchDraw(QRect(100, 300, 200, 100), Picture{}); // nothing to draw
    const std::string pdf = Save();
    EXPECT_NE(pdf.find("/SMask"), std::string::npos);
    EXPECT_NE(pdf.find("/Width 2"), std::string::npos);
}

// Word boxes in points as pdftotext reports them.
std::map<QString, QRectF> WordBoxes(const std::string& pdf) {
    std::map<QString, QRectF> boxes;
    const QString html =
        QString::fromStdString(Shell("pdftotext -bbox -enc UTF-8 '" + pdf + "' -"));
    static const QRegularExpression word(
        QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        boxes[m.captured(5)] = QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                      QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
    }
    return boxes;
}

TEST_F(PdfPage, TextLiesWhereTheScreenPutsIt) {
    if (!HaveTool("pdftotext")) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const double k = kPointsPerPageUnit;
    canvas_->SetFont(FontOf(1, 50));
    canvas_->TextOut(200, 300, QStringLiteral("Left"));
    canvas_->SetTextAlign(TextAlign::Right);
    canvas_->TextOut(1800, 300, QStringLiteral("1234.5"));
    canvas_->SetTextAlign(TextAlign::Centre);
    canvas_->TextOut(1050, 600, QStringLiteral("Centre"));
    canvas_->SetTextAlign(TextAlign::Left);
    FontSpec turned = FontOf(1, 50);
    turned.angle = 900;
    canvas_->SetFont(turned);
    canvas_->TextOut(500, 2000, QStringLiteral("Upwards"));
    // A character height beyond libharu's largest font size.
    canvas_->SetFont(FontOf(1, 800));
    canvas_->TextOut(200, 2100, QStringLiteral("Big"));
    Save();
    const auto boxes = WordBoxes(path_);
    ASSERT_EQ(boxes.size(), 5u);
    const double tolerance = 0.5; // points, about 0.2 mm
    EXPECT_NEAR(boxes.at("Left").left(), 200 * k, tolerance);
    EXPECT_NEAR(boxes.at("1234.5").right(), 1800 * k, tolerance);
    EXPECT_NEAR(boxes.at("Centre").center().x(), 1050 * k, tolerance);
    // The cell's top near the reference point: the box spans ascent and
    // descent of the font around its baseline.
    const double baseline = (300 + FontAscent(FontOf(1, 50))) * k;
    EXPECT_LT(boxes.at("Left").top(), baseline);
    EXPECT_GT(boxes.at("Left").bottom(), baseline);
    EXPECT_NEAR(boxes.at("Left").top(), 300 * k, 50 * k * 0.3);
    // Turned counter-clockwise: it runs up the page from the reference
    // point, the top of its cell on the left.
    const QRectF up = boxes.at("Upwards");
    EXPECT_GT(up.height(), up.width());
    EXPECT_NEAR(up.bottom(), 2000 * k, tolerance);
    EXPECT_GT(up.left(), 500 * k - tolerance);
    EXPECT_LT(up.right(), 560 * k);
    EXPECT_NEAR(boxes.at("Big").left(), 200 * k, tolerance);
    EXPECT_GT(boxes.at("Big").width(), 800 * k);
}

TEST_F(PdfPage, TextRectClipsToItsRectangle) {
    if (!HaveTool("pdftoppm")) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    canvas_->SetFont(FontOf(1, 300));
    canvas_->TextRect(QRect(200, 200, 400, 400), 200, 200, QStringLiteral("MMMMMM"));
    Save();
    Shell("pdftoppm -r 25.4 -png -singlefile '" + path_ + "' '" + (dir_ / "clip") + "'");
    const QImage image(QString::fromStdString(dir_ / "clip.png"));
    ASSERT_FALSE(image.isNull());
    // At 25.4 dpi one pixel is 10 page units: the clip is pixels 20..60.
    int inside = 0;
    int outside = 0;
    for (int y = 15; y < 70; ++y) {
        for (int x = 15; x < 200; ++x) {
            if (qGray(image.pixel(x, y)) > 128) continue;
            (x >= 19 && x <= 61 && y >= 19 && y <= 61 ? inside : outside)++;
        }
    }
    EXPECT_GT(inside, 100);
    EXPECT_EQ(outside, 0);
}

} // namespace
} // namespace tavro
