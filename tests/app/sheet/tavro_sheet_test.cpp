// tavro-sheet and `tavro-calc sheet` as a user runs them: with no display,
// no window system and no Qt platform chosen, on documents written by
// `tavro-calc save`.

#include "app/sheet/sheet_render.h"
#include "tests/support/temp_folder.h"

#include <QImage>

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tavro::sheet {
namespace {

struct Outcome {
    int status = -1;
    std::string out; // stdout and stderr
};

// Runs a command through the shell without DISPLAY, WAYLAND_DISPLAY and
// QT_QPA_PLATFORM.
Outcome Shell(const std::string& command) {
    Outcome r;
    const std::string line =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + command + " 2>&1";
    FILE* pipe = popen(line.c_str(), "r");
    if (pipe == nullptr) return r;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        r.out.append(buffer, n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}

std::string PdfText(const std::string& path) {
    return Shell("pdftotext -enc UTF-8 -layout " + Quoted(path) + " -").out;
}

int PdfPages(const std::string& path) {
    const std::string info = Shell("pdfinfo " + Quoted(path)).out;
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

const std::string kCalc = TAVRO_CALC_PATH;
const std::string kSheet = TAVRO_SHEET_PATH;

class TavroSheet : public testing::Test {
protected:
    void SetUp() override {
        if (Shell("pdftotext -v").status != 0) GTEST_SKIP() << "pdftotext is not installed";
        const Outcome save =
            Shell(Quoted(kCalc) +
                  " save AirState=0 AirQuant=0 pbar=1013 SVol11=4000 Temp11=-12 Phi11=90"
                  " SVol21=3600 Temp21=22 Phi21=40 Edge=600 Width=600 PType=2 design=20 units=2"
                  " lang=en caption=Hall-3 note=First --out " +
                  Quoted(doc_));
        ASSERT_EQ(save.status, 0) << save.out;
    }
    Outcome Sheet(const std::string& args) { return Shell(Quoted(kSheet) + " " + args); }

    test::TempDir dir_;
    const std::string doc_ = dir_ / "offer.tavro";
};

TEST_F(TavroSheet, RendersADocumentOfTavroCalcSaveWithoutADisplay) {
    const std::string pdf = dir_ / "offer.pdf";
    const Outcome r = Sheet(Quoted(doc_) + " --pdf " + Quoted(pdf));
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, ""); // no notes of Qt on the way
    const std::string text = PdfText(pdf);
    EXPECT_EQ(PdfPages(pdf), 1);
    // The labels worked out without a window: the designation, the units
    // in series, the stream headings, the hint.
    EXPECT_NE(text.find("Type: Tavro 20 / 600 / 600"), std::string::npos) << text;
    EXPECT_NE(text.find("(2 units in serial arrangement)"), std::string::npos) << text;
    EXPECT_NE(text.find("Outside air"), std::string::npos);
    EXPECT_NE(text.find("First"), std::string::npos);
}

TEST_F(TavroSheet, PagesLanguageAndUnitsChangeWhatIsRendered) {
    const std::string en = dir_ / "en.pdf";
    const std::string ru = dir_ / "ru.pdf";
    const std::string three = dir_ / "three.pdf";
    ASSERT_EQ(Sheet(Quoted(doc_) + " --pdf " + Quoted(en)).status, 0);
    ASSERT_EQ(Sheet(Quoted(doc_) + " --pdf " + Quoted(ru) + " --lang ru --units ip").status, 0);
    const Outcome r =
        Sheet(Quoted(doc_) + " --pdf " + Quoted(three) + " --pages description,sheet,chart");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(PdfPages(three), 3);
    const std::string english = PdfText(en);
    const std::string russian = PdfText(ru);
    EXPECT_NE(english.find("°C"), std::string::npos);
    EXPECT_EQ(english.find("°F"), std::string::npos);
    EXPECT_NE(russian.find("°F"), std::string::npos);
    EXPECT_NE(russian.find("Приток"), std::string::npos) << russian;
    EXPECT_NE(russian.find("последовательно"), std::string::npos) << russian;
    EXPECT_EQ(russian.find("Outside air"), std::string::npos);
    // The data sheet is the middle page of three, as on its own.
    const std::string all = PdfText(three);
    const size_t first = all.find('\f');
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(all.substr(first + 1, all.find('\f', first + 1) - first), english);
}

TEST_F(TavroSheet, PngPagesHaveThePixelSizeOfTheirResolution) {
    const std::string prefix = dir_ / "page";
    const Outcome r =
        Sheet(Quoted(doc_) + " --png " + Quoted(prefix) + " --dpi 50 --pages sheet,chart");
    ASSERT_EQ(r.status, 0) << r.out;
    for (SheetPage page : {SheetPage::DataSheet, SheetPage::Chart}) {
        const QImage image(QString::fromStdString(PngFileName(prefix, page)));
        ASSERT_FALSE(image.isNull()) << PngFileName(prefix, page);
        EXPECT_EQ(image.width(), PagePixelsWide(50));
        EXPECT_EQ(image.height(), PagePixelsHigh(50));
        // Drawn on: a good share of the page is not white.
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += image.pixel(x, y) != qRgb(255, 255, 255);
        EXPECT_GT(inked, image.width() * image.height() / 100);
    }
    EXPECT_EQ(PagePixelsWide(150), 1240);
    EXPECT_EQ(PagePixelsHigh(150), 1754);
    EXPECT_FALSE(std::filesystem::exists(PngFileName(prefix, SheetPage::Description)));
}

TEST_F(TavroSheet, BadDocumentsAndFilesExitWithTheirStatusAndWriteNothing) {
    const std::string pdf = dir_ / "out.pdf";
    const std::string prefix = dir_ / "out";
    const std::string broken = dir_ / "broken.tavro";
    std::ofstream(broken) << "{\"mediaType\": \"application/x-tavro+json\", \"formatVersion\": 1}";
    const std::string missing = dir_ / "missing.tavro";
    for (const std::string& doc : {broken, missing}) {
        const Outcome r = Sheet(Quoted(doc) + " --pdf " + Quoted(pdf) + " --png " + Quoted(prefix));
        EXPECT_EQ(r.status, kExitBadInput) << r.out;
        EXPECT_NE(r.out.find(doc), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("tavro-sheet: "), std::string::npos) << r.out;
    }
    EXPECT_NE(Sheet(Quoted(broken) + " --pdf " + Quoted(pdf)).out.find("is missing"),
              std::string::npos);
    EXPECT_EQ(Sheet(Quoted(doc_) + " --pdf " + Quoted(pdf) + " --dpi 5").status, kExitBadInput);
    // The document is never written over, by whatever name.
    const auto content = [&] {
        std::ifstream in(doc_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string before = content();
    const std::string link = dir_ / "link-sheet.png";
    std::filesystem::create_symlink(doc_, link);
    EXPECT_EQ(Sheet(Quoted(doc_) + " --pdf " + Quoted(doc_)).status, kExitBadInput);
    EXPECT_EQ(Sheet(Quoted(doc_) + " --png " + Quoted(dir_ / "link")).status, kExitBadInput);
    EXPECT_EQ(content(), before);
    std::filesystem::remove(link);
    // A PDF that cannot be written takes the new PNG files back with it.
    const Outcome r = Sheet(Quoted(doc_) + " --png " + Quoted(prefix) + " --pdf " +
                            Quoted(dir_ / "no-such-folder/out.pdf"));
    EXPECT_EQ(r.status, kExitWriteFailed) << r.out;
    EXPECT_NE(r.out.find("no-such-folder"), std::string::npos) << r.out;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()),
                            std::filesystem::directory_iterator()),
              2); // the two documents
}

TEST_F(TavroSheet, TavroCalcRunsTheRendererAndLinksNoQt) {
    const std::string pdf = dir_ / "calc.pdf";
    const Outcome r = Shell(Quoted(kCalc) + " sheet " + Quoted(doc_) + " --pdf " + Quoted(pdf));
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(PdfText(pdf).find("Tavro 20"), std::string::npos);
    EXPECT_EQ(Shell(Quoted(kCalc) + " sheet " + Quoted(doc_)).status, kExitBadInput);
    const Outcome ldd = Shell("ldd " + Quoted(kCalc));
    ASSERT_EQ(ldd.status, 0) << ldd.out;
    EXPECT_EQ(ldd.out.find("Qt"), std::string::npos) << ldd.out;
    // A tavro-calc without a tavro-sheet beside it or installed says so.
    const std::string lone = dir_ / "tavro-calc";
    std::filesystem::copy_file(kCalc, lone);
    const Outcome alone = Shell(Quoted(lone) + " sheet " + Quoted(doc_) + " --pdf " + Quoted(pdf));
    if (!std::filesystem::exists(std::string(TAVRO_INSTALLED_SHEET))) {
        EXPECT_EQ(alone.status, 2) << alone.out;
        EXPECT_NE(alone.out.find("tavro-sheet"), std::string::npos) << alone.out;
    }
}

} // namespace
} // namespace tavro::sheet
