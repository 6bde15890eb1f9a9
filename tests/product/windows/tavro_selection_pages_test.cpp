// The pages of a selection drawn from its state alone, after the main
// window that the state was taken from is gone, against the pages the
// window draws: data sheet, chart page and product description, in two
// languages, both unit systems, one and two operating cases.

#include "tests/support/tavro_window_fixture.h"

#include "chart/mollier_window.h"
#include "chart/selection_page_owner.h"
#include "controls/num_edit.h"
#include "output/chart_page.h"
#include "output/data_sheet_page.h"
#include "output/description_page.h"
#include "output/page_preview.h"
#include "output/page_preview_window.h"
#include "output/painter_canvas.h"
#include "output/pdf_export.h"
#include "output/sketch.h"
#include "product/model/selection_document.h"
#include "shell/qt/fonts.h"
#include "shell/qt/version.h"
#include "tests/support/recording_inspector.h"

#include <QCryptographicHash>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace tavro {
namespace {

// What is compared of a page: every text with its place, font, alignment
// and clip, and a digest of the page's pixels (which also covers the
// sketch, the chart layers and the pictures played into the page).
struct PageImage {
    std::vector<std::string> texts;
    size_t lines = 0;
    QByteArray pixels;
};

PageImage Draw(const PageProc& page, PageOwner& owner) {
    Recording recording;
    {
        TRecordingCanvas canvas(recording);
        page(owner, canvas, false);
    }
    PageImage out;
    const test::Inspection drawn = test::Inspect(recording);
    for (const test::DrawnText& t : drawn.texts) {
        out.texts.push_back(std::to_string(t.p.x()) + "," + std::to_string(t.p.y()) + " " +
                            t.font.face.toStdString() + " " + std::to_string(t.font.height) + " " +
                            std::to_string(int(t.align)) + " " +
                            (t.clip ? std::to_string(t.clip->width()) : std::string("-")) + " " +
                            t.text.toStdString());
    }
    out.lines = drawn.lines.size();
    QImage image(1050, 1485, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        TPainterCanvas canvas(painter);
        recording.Play(canvas, image.rect());
    }
    out.pixels = QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()),
                                          QCryptographicHash::Sha256);
    return out;
}

struct Case {
    uint8_t language;
    bool si;
    int cases;
};

class TavroSelectionPages : public test::TavroWindowTest {
protected:
    void SetUp() override {
        TavroWindowTest::SetUp();
        Start();
    }
    void TearDown() override {
        TFormSeite::SetSaveDialogHook(nullptr);
        SetDocumentOpener(nullptr);
        TavroWindowTest::TearDown();
        SetPreviewRunner(nullptr);
        ApplyLanguageFonts();
    }
    int OnModal(TVkForm& form) override {
        if (auto* chart = dynamic_cast<TFormMollier*>(&form)) {
            // The user picks wider ranges and the other chart kind than the
            // calculation needs.
            chart->SetRanges(3, 2);
            chart->SetChartType(1);
        }
        if (auto* preview = dynamic_cast<TFormSeite*>(&form)) preview->Button_PDF->click();
        return mrOk;
    }

    // The separators of the language, applied as the options dialog
    // applies them.
    void UseSeparatorsOf(uint8_t language) {
        const bool comma = language == kGerman || language == kRussian;
        DecimalSeparator = comma ? ',' : '.';
        ThousandSeparator = comma ? '.' : ',';
        window_->OptionsApplied();
    }

    // Sets the window to a case, calculates and opens the chart.
    void Prepare(const Case& c) {
        CurrentLanguage = c.language;
        window_->ApplyLanguage();
        window_->SetUnitSystem(c.si);
        window_->SetSeasons(c.cases == 2);
        window_->SetOperatingCases(static_cast<uint8_t>(c.cases));
        for (size_t stream = 0; c.cases == 2 && stream < 2; ++stream)
            window_->Edit_SVol[1][stream]->SetValue(window_->Edit_SVol[0][stream]->Value());
        window_->Aenderung_Daten();
        window_->RunCalculation();
        ASSERT_TRUE(window_->ResultsValid);
        window_->Button_Diagramm->click();
        ASSERT_NE(window_->Mollier(), nullptr);
        DrawSketch(window_->Design, window_->SeriesCount);
    }
};

TEST_F(TavroSelectionPages, StateDrawsThePagesTheWindowDraws) {
    const Case cases[] = {
        {kEnglish, true, 1}, {kEnglish, false, 2}, {kChinese, true, 2}, {kChinese, false, 1}};
    const PageProc pages[] = {DataSheetPage, ChartPage, DescriptionPage};
    window_->PrintHeader = true;
    window_->Header = {"Date:",   "09.12.2026", "Offer-No.:", "A-4711",
                       "Project", "Hall 3 ✓",   "Contact",    "Jana Nováková"};
    window_->NotesDataSheet = {"First note", "Zweite Notiz – äöü"};
    window_->NotesChart = {"Chart note"};
    window_->WB_DB = true;

    std::vector<SelectionState> states;
    std::vector<std::vector<PageImage>> shown;
    for (const Case& c : cases) {
        Prepare(c);
        states.push_back(window_->Selection());
        EXPECT_EQ(states.back().show.language, c.language);
        shown.emplace_back();
        for (const PageProc& page : pages)
            shown.back().push_back(Draw(page, *window_));
    }
    // The window is gone and the process shows another language and other
    // separators than any state.
    window_->close();
    window_.reset();
    CurrentLanguage = kGerman;
    DecimalSeparator = ',';
    ThousandSeparator = '.';
    ApplyLanguageFonts();

    for (size_t i = 0; i < states.size(); ++i) {
        SCOPED_TRACE(testing::Message()
                     << "language " << int(cases[i].language) << (cases[i].si ? " SI, " : " IP, ")
                     << cases[i].cases << " cases");
        SelectionPageOwner owner(states[i]);
        const PageLanguageScope scope(owner.State().show);
        for (size_t p = 0; p < std::size(pages); ++p) {
            SCOPED_TRACE(testing::Message() << "page " << p);
            const PageImage drawn = Draw(pages[p], owner);
            const PageImage& expected = shown[i][p];
            EXPECT_GT(expected.texts.size(), 10u);
            EXPECT_EQ(drawn.texts, expected.texts);
            EXPECT_EQ(drawn.lines, expected.lines);
            EXPECT_EQ(drawn.pixels, expected.pixels);
        }
    }
    EXPECT_EQ(CurrentLanguage, kGerman);
    EXPECT_EQ(DecimalSeparator, ',');
}

// The state holds what the window shows, and a copy of it is equal to it.
TEST_F(TavroSelectionPages, StateHoldsWhatTheWindowShows) {
    Prepare({kEnglish, true, 2});
    const SelectionState s = window_->Selection();
    EXPECT_TRUE(s == SelectionState(s));
    EXPECT_EQ(s.seasonMode, 2);
    EXPECT_EQ(s.design, window_->Design);
    EXPECT_EQ(s.labels.designation, window_->Label_Bauform->text().toStdString());
    // Every cell of every table, as the window's grids show them.
    for (ShownTable table : kShownTables) {
        const TableCells cells = s.Cells(table);
        for (size_t row = 0; row < cells.size(); ++row)
            for (size_t col = 0; col < cells[row].size(); ++col)
                EXPECT_EQ(cells[row][col],
                          window_
                              ->PageCell(static_cast<ResultTable>(table), static_cast<int>(col),
                                         static_cast<int>(row))
                              .toStdString())
                    << static_cast<int>(table) << " " << row << " " << col;
    }
    EXPECT_EQ(s.chart.tempRange, 3);
    EXPECT_EQ(s.chart.humRange, 2);
    EXPECT_EQ(s.chart.type, 1);
    EXPECT_TRUE(SameRecord(s.summer, *window_->DatenSommer));
    // A recalculation with other air changes the state.
    window_->Edit_Temp[0][0]->SetValue(-3);
    window_->Aenderung_Daten();
    window_->RunCalculation();
    EXPECT_FALSE(window_->Selection() == s);
}

// What pdftotext reads from a file; empty when it cannot run.
std::string PdfText(const std::string& path) {
    std::string out;
    FILE* pipe = popen(("pdftotext -enc UTF-8 -layout '" + path + "' - 2>/dev/null").c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

// The PDF written from a state has the text of the one the window's
// preview exports.
TEST_F(TavroSelectionPages, StatePdfHasTheTextOfThePreviewsPdf) {
    test::TempDir dir;
    const std::string fromWindow = dir / "window.pdf";
    const std::string fromState = dir / "state.pdf";
    InstallPagePreview();
    TFormSeite::SetSaveDialogHook(
        [&](QWidget*, const QString&) { return QString::fromStdString(fromWindow); });
    SetDocumentOpener([](const QString&) { return true; });
    Prepare({kRussian, false, 2});
    window_->Button_Datenblatt->click();
    ASSERT_TRUE(std::filesystem::exists(fromWindow));
    const SelectionState state = window_->Selection();
    window_->close();
    window_.reset();
    CurrentLanguage = kEnglish;
    ApplyLanguageFonts();

    SelectionPageOwner owner(state);
    const std::vector<Recording> pages = RecordPages(owner, {DataSheetPage}, true);
    ASSERT_EQ(pages.size(), 1u);
    WritePdf(fromState, {&pages[0]});
    EXPECT_EQ(CurrentLanguage, kEnglish);
    const std::string expected = PdfText(fromWindow);
    if (expected.empty()) GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_EQ(PdfText(fromState), expected);
}

// With the frost check on, the pages drawn from the state show the frost
// line of the data sheet and the coldest wall point of the chart as the
// window's pages do.
TEST_F(TavroSelectionPages, StateDrawsTheFrostFiguresTheWindowDraws) {
    window_->UseFrostCheck = true;
    for (const Case& c : {Case{kEnglish, true, 1}, Case{kGerman, false, 2}}) {
        SCOPED_TRACE(int(c.language));
        UseSeparatorsOf(c.language);
        Prepare(c);
        ASSERT_FALSE(window_->PageFrostLine().isEmpty());
        const SelectionState state = window_->Selection();
        EXPECT_TRUE(state.frostCheck);
        const PageProc pages[] = {DataSheetPage, ChartPage};
        std::vector<PageImage> shown;
        for (const PageProc& page : pages)
            shown.push_back(Draw(page, *window_));
        SelectionPageOwner owner(state);
        EXPECT_EQ(owner.PageFrostLine(), window_->PageFrostLine());
        const PageLanguageScope scope(owner.State().show);
        size_t p = 0;
        for (const PageProc& page : pages) {
            const PageImage drawn = Draw(page, owner);
            EXPECT_EQ(drawn.texts.size(), shown[p].texts.size());
            for (size_t t = 0; t < drawn.texts.size() && t < shown[p].texts.size(); ++t)
                EXPECT_EQ(drawn.texts[t], shown[p].texts[t]);
            EXPECT_EQ(drawn.pixels, shown[p].pixels);
            ++p;
        }
        // Without the check the state has no frost line.
        SelectionState off = state;
        off.frostCheck = false;
        EXPECT_TRUE(SelectionPageOwner(off).PageFrostLine().isEmpty());
    }
}

// tavro-sheet, run on the document of the window's selection with no
// display, writes a data sheet whose text is that of the PDF the preview
// exports.
TEST_F(TavroSelectionPages, SheetProgramWritesThePdfThePreviewExports) {
    // The desktop program's pages carry its own version.
    InitVersionText("tavro");
    window_->UseFrostCheck = true;
    const Case cases[] = {{kGerman, true, 1}, {kRussian, false, 2}, {kChinese, true, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.language));
        test::TempDir dir;
        const std::string fromWindow = dir / "window.pdf";
        const std::string fromSheet = dir / "sheet.pdf";
        const std::string document = dir / "offer.tavro";
        InstallPagePreview();
        TFormSeite::SetSaveDialogHook(
            [&](QWidget*, const QString&) { return QString::fromStdString(fromWindow); });
        SetDocumentOpener([](const QString&) { return true; });
        UseSeparatorsOf(c.language);
        Prepare(c);
        window_->Button_Datenblatt->click();
        ASSERT_TRUE(std::filesystem::exists(fromWindow));
        SaveSelectionDocument(document, window_->Selection(), "tests");

        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                                    std::string(TAVRO_SHEET_PATH) + "' '" + document + "' --pdf '" +
                                    fromSheet + "'";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
        const std::string expected = PdfText(fromWindow);
        if (expected.empty()) GTEST_SKIP() << "pdftotext is not installed";
        EXPECT_EQ(PdfText(fromSheet), expected);
    }
    InitVersionText();
}

} // namespace
} // namespace tavro
