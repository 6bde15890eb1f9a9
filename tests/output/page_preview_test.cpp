#include "output/page_preview.h"

#include "controls/message_dialog.h"
#include "output/page_canvas.h"
#include "output/page_owner.h"
#include "output/page_preview_window.h"
#include "output/pdf_export.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/languages.h"
#include "tests/support/temp_folder.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace tavro {
namespace {

// The owner of the test pages.
class Owner : public PageOwner {
public:
    QString PageCaption() const override { return QStringLiteral("Tavro test"); }
};

// Every call of a page procedure: page number and forPdf.
using Calls = std::vector<std::pair<int, bool>>;

// Pages that draw a framed block of lines and texts and a black square at
// (1000, 1000) to (1100, 1100), and log their calls.
PageList MakePages(int count, Calls& calls) {
    PageList pages;
    for (int n = 1; n <= count; ++n) {
        pages.push_back([n, &calls](PageOwner&, TVkCanvas& c, bool forPdf) {
            calls.emplace_back(n, forPdf);
            c.SetPen({PenStyle::Solid, 3, Qt::black});
            c.Line(250, 100, 1950, 100);
            c.Line(250, 2870, 1950, 2870);
            c.SetFont({});
            c.TextOut(250, 150, QStringLiteral("Tavro data sheet, page %1").arg(n));
            c.SetTextAlign(TextAlign::Right);
            c.TextOut(1950, 150, QStringLiteral("12.345 m³/h"));
            c.SetTextAlign(TextAlign::Left);
            c.SetBrush({BrushStyle::Solid, Qt::black});
            c.SetPen({PenStyle::Clear, 0, Qt::black});
            c.Rectangle(QRect(1000, 1000, 100, 100));
        });
    }
    return pages;
}

int CountPdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

// Opens the preview through DruckVorschau; `inside` acts while it is shown.
// Message dialogs that come up meanwhile are logged and answered with OK.
class Preview : public testing::Test {
protected:
    void SetUp() override {
        CurrentLanguage = kEnglish;
        TVkForm::SetModalHook([this](TVkForm& form) {
            if (auto* message = dynamic_cast<TMessageForm*>(&form)) {
                messages.emplace_back(message->Kind(), message->Message());
                return int(mrOk);
            }
            if (auto* preview = dynamic_cast<TFormSeite*>(&form)) {
                if (inside) inside(*preview);
            }
            return int(mrCancel);
        });
        SetDocumentOpener([this](const QString& path) {
            opened.push_back(path);
            return viewerStarts;
        });
    }
    void TearDown() override {
        TVkForm::SetModalHook(nullptr);
        TFormSeite::SetPrintDialogHook(nullptr);
        TFormSeite::SetSaveDialogHook(nullptr);
        SetDocumentOpener(nullptr);
        CurrentLanguage = kEnglish;
        if (PagePreview()) PagePreview()->SetCaptions();
    }

    void Show(int count, std::function<void()> edit = {}) {
        pages = MakePages(count, calls);
        DruckVorschau(nullptr, owner, pages, std::move(edit));
    }
    static void Click(QToolButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    // Paints the page as the screen would.
    static QImage Painted(TFormSeite& f) { return f.PaintBox1->grab().toImage(); }
    static bool NoPrinter() { return QPrinterInfo::availablePrinters().isEmpty(); }

    // The export keeps its folder in the settings file: never the user's.
    test::TempConfigHome config;
    Owner owner;
    PageList pages;
    Calls calls;
    std::function<void(TFormSeite&)> inside;
    std::vector<std::pair<int, QString>> messages;
    std::vector<QString> opened;
    bool viewerStarts = true;
};

TEST(PreviewZoom, FitsAndLimits) {
    EXPECT_EQ(ZoomToWidth(1300, 4960), 89); // round(1260 ÷ 4960 × 350)
    EXPECT_EQ(ZoomToWidth(39, 4960), 10);   // below 10 is raised
    EXPECT_EQ(ZoomToWidth(10, 4960), 10);   // so is a negative fit
    EXPECT_EQ(ZoomToWidth(1300, 0), 10);    // a page without width
    // The smaller fit wins, whichever direction it is.
    EXPECT_EQ(ZoomToFit({1300, 800}, {4960, 7016}), 38);
    EXPECT_EQ(ZoomToFit({500, 3000}, {4960, 7016}), 32);
    EXPECT_EQ(ZoomToFit({30, 3000}, {4960, 7016}), 10);
    // The zoomed page with its margins: round(100 ÷ 350 × 4960) = 1417.
    EXPECT_EQ(PreviewContentSize(100, {4960, 7016}), QSize(1457, 2045));
    EXPECT_EQ(PreviewContentSize(350, {4960, 7016}), QSize(5000, 7056));
    const std::vector<int> fixed = {25, 50, 75, 100, 125, 150, 175, 200, 300};
    for (int i = 0; i < kZoomToWidth; ++i)
        EXPECT_EQ(FixedZoom(i), fixed[size_t(i)]);
}

TEST(PreviewPrinting, MapsTheSheetOntoThePrinterPage) {
    // A page of 1000 × 1500 pixels: the width limits, 2100 units onto 1000.
    QImage image(1000, 1500, QImage::Format_RGB32);
    image.fill(Qt::white);
    Owner owner;
    Calls calls;
    const PageList pages = MakePages(3, calls);
    int newPages = 0;
    QPainter painter(&image);
    PrintPageRange(painter, owner, pages, 2, 2, FitSheet(1000, 1500), [&] { ++newPages; });
    EXPECT_EQ(newPages, 0); // one page sends no new page
    PrintPageRange(painter, owner, pages, 1, 3, FitSheet(1000, 1500), [&] { ++newPages; });
    painter.end();
    EXPECT_EQ(newPages, 2);
    EXPECT_EQ(calls, (Calls{{2, false}, {1, false}, {2, false}, {3, false}}));
    // The square (1000, 1000)-(1100, 1100) lands at 476 to 524 pixels.
    EXPECT_EQ(image.pixelColor(500, 500), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(470, 500), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(530, 500), QColor(Qt::white));
}

TEST_F(Preview, OnePageHasNoNavigation) {
    inside = [](TFormSeite& f) {
        EXPECT_EQ(f.L_Seitenzahl->text(), QStringLiteral("Page 1 of 1"));
        EXPECT_FALSE(f.Button_Previous->isEnabled());
        EXPECT_FALSE(f.Button_Next->isEnabled());
        EXPECT_FALSE(f.Button_First->isEnabled());
        EXPECT_FALSE(f.Button_Last->isEnabled());
        EXPECT_FALSE(f.Button_First->isVisible());
        EXPECT_FALSE(f.Button_Last->isVisible());
        // The product description comes without notes to edit.
        EXPECT_FALSE(f.Button_Edit->isEnabled());
        EXPECT_TRUE(f.isMaximized());
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Tavro test"));
        Click(f.Button_Close);
    };
    Show(1);
    ASSERT_NE(PagePreview(), nullptr);
    EXPECT_EQ(PagePreview()->GetModalResult(), mrOk);
    EXPECT_FALSE(PagePreview()->isVisible());
}

TEST_F(Preview, NavigatesWithButtonsAndKeys) {
    inside = [this](TFormSeite& f) {
        EXPECT_EQ(f.L_Seitenzahl->text(), QStringLiteral("Page 1 of 3"));
        EXPECT_TRUE(f.Button_Next->isEnabled());
        EXPECT_FALSE(f.Button_Previous->isEnabled());
        Click(f.Button_Next);
        EXPECT_EQ(f.CurrentPage, 2);
        EXPECT_TRUE(f.Button_Previous->isEnabled() && f.Button_Next->isEnabled());
        QTest::keyClick(f.ScrollBox1, Qt::Key_PageDown);
        EXPECT_EQ(f.L_Seitenzahl->text(), QStringLiteral("Page 3 of 3"));
        EXPECT_FALSE(f.Button_Next->isEnabled() || f.Button_Last->isEnabled());
        QTest::keyClick(f.ScrollBox1, Qt::Key_PageDown); // stays on the last page
        EXPECT_EQ(f.CurrentPage, 3);
        // Page Up reaches the window even while the zoom list has the focus,
        // and leaves the zoom alone.
        const int zoomEntry = f.Combo_Zoom->currentIndex();
        QTest::keyClick(f.Combo_Zoom, Qt::Key_PageUp);
        EXPECT_EQ(f.CurrentPage, 2);
        EXPECT_EQ(f.Combo_Zoom->currentIndex(), zoomEntry);
        f.Button_LastClick();
        EXPECT_EQ(f.CurrentPage, 3);
        f.Button_FirstClick();
        EXPECT_EQ(f.CurrentPage, 1);
        EXPECT_FALSE(f.Button_First->isEnabled());
        // The page shown is the one painted.
        calls.clear();
        Click(f.Button_Next);
        Painted(f);
        EXPECT_EQ(calls, (Calls{{2, false}}));
        QTest::keyClick(f.ScrollBox1, Qt::Key_Escape);
        EXPECT_FALSE(f.isVisible());
    };
    Show(3);
    EXPECT_EQ(PagePreview()->GetModalResult(), mrCancel);
    // The next call starts again on page 1.
    inside = [](TFormSeite& f) { EXPECT_EQ(f.CurrentPage, 1); };
    Show(3);
}

TEST_F(Preview, ZoomToWidthFollowsTheScrollBox) {
    inside = [](TFormSeite& f) {
        // The first activation of the window's life chose "Zoom to width".
        EXPECT_EQ(f.Combo_Zoom->currentIndex(), kZoomToWidth);
        EXPECT_EQ(f.Combo_Zoom->itemText(kZoomToWidth), QStringLiteral("Zoom to width"));
        if (NoPrinter()) {
            EXPECT_EQ(f.PaintBoxSize, kNoPrinterPage);
            EXPECT_EQ(f.FitS, 2100);
            EXPECT_EQ(f.FitP, 4960);
        }
        // Make the scroll box's client 1300 pixels wide.
        f.setWindowState(Qt::WindowNoState);
        f.resize(1400, 900);
        QCoreApplication::processEvents();
        f.resize(f.width() + 1300 - f.ZoomClientSize().width(), 900);
        QCoreApplication::processEvents();
        ASSERT_EQ(f.ZoomClientSize().width(), 1300);
        const int expected = ZoomToWidth(1300, f.PaintBoxSize.width());
        EXPECT_EQ(f.Zoom, expected);
        if (NoPrinter()) {
            EXPECT_EQ(f.Zoom, 89);
        }
        EXPECT_EQ(f.PaintBox1->size(), PreviewContentSize(expected, f.PaintBoxSize));
        // The zoomed page is taller than the box: the vertical bar is
        // there, and the width fit left room for it.
        EXPECT_TRUE(f.ScrollBox1->verticalScrollBar()->isVisible());
        EXPECT_EQ(f.ScrollBox1->viewport()->width(), 1300);

        // "Zoom to fit" takes the height here.
        f.Combo_Zoom->setCurrentIndex(kZoomToFit);
        f.Combo_ZoomChange();
        EXPECT_EQ(f.Zoom, ZoomToFit(f.ZoomClientSize(), f.PaintBoxSize));
        EXPECT_LT(f.Zoom, expected);
        // Resizing applies the fit again; the window cannot get narrower
        // than its tool strip, so the limit of 10 is left to the fit test.
        f.resize(600, 900);
        QCoreApplication::processEvents();
        EXPECT_EQ(f.Zoom, ZoomToFit(f.ZoomClientSize(), f.PaintBoxSize));
        EXPECT_LT(f.ZoomClientSize().width(), 600);

        // A fixed zoom stays through resizing.
        f.Combo_Zoom->setCurrentIndex(3);
        f.Combo_ZoomChange();
        f.resize(1200, 800);
        QCoreApplication::processEvents();
        EXPECT_EQ(f.Zoom, 100);
        if (NoPrinter()) {
            EXPECT_EQ(f.PaintBox1->size(), QSize(1457, 2045));
        }
    };
    Show(1);
    // The zoom chosen stays for the next call.
    inside = [](TFormSeite& f) {
        EXPECT_EQ(f.Combo_Zoom->currentIndex(), 3);
        EXPECT_EQ(f.Zoom, 100);
    };
    Show(1);
}

TEST_F(Preview, PaintsTheZoomedSheet) {
    inside = [this](TFormSeite& f) {
        f.Combo_Zoom->setCurrentIndex(3);
        f.Combo_ZoomChange();
        calls.clear();
        const QImage image = Painted(f);
        EXPECT_EQ(calls, (Calls{{1, false}}));
        if (!NoPrinter()) return;
        // 2100 page units are 1417 pixels, from 20 pixels in: the square
        // (1000, 1000)-(1100, 1100) covers 695 to 762.
        EXPECT_EQ(image.pixelColor(728, 728), QColor(Qt::black));
        EXPECT_EQ(image.pixelColor(690, 728), QColor(Qt::white));
        EXPECT_EQ(image.pixelColor(767, 728), QColor(Qt::white));
        // The white sheet ends at 20 + 1417; the margins are the workspace.
        EXPECT_EQ(image.pixelColor(1430, 2000), QColor(Qt::white));
        EXPECT_NE(image.pixelColor(1445, 2000), QColor(Qt::white));
        EXPECT_NE(image.pixelColor(10, 10), QColor(Qt::white));
    };
    Show(1);
}

TEST_F(Preview, EditRunsTheActionAndRepaints) {
    int edits = 0;
    inside = [&](TFormSeite& f) {
        ASSERT_TRUE(f.Button_Edit->isEnabled());
        Painted(f);
        calls.clear();
        Click(f.Button_Edit);
        EXPECT_EQ(edits, 1);
        QCoreApplication::processEvents();
        Painted(f);
        EXPECT_FALSE(calls.empty());
    };
    Show(1, [&] { ++edits; });
}

TEST_F(Preview, CaptionsFollowTheLanguageAndKeepTheSelection) {
    inside = [](TFormSeite& f) {
        f.Combo_Zoom->setCurrentIndex(kZoomToFit);
        CurrentLanguage = kGerman;
        f.SetCaptions();
        EXPECT_EQ(f.Combo_Zoom->currentIndex(), kZoomToFit);
        EXPECT_EQ(f.Combo_Zoom->itemText(kZoomToWidth), TextOf(176));
        EXPECT_EQ(f.Combo_Zoom->itemText(kZoomToFit), TextOf(177));
        EXPECT_EQ(f.Button_Print->toolTip(), TextOf(146));
        EXPECT_EQ(f.Button_Close->toolTip(), TextOf(151));
        EXPECT_EQ(f.Button_Edit->toolTip(), TextOf(135));
        EXPECT_EQ(f.Button_PDF->toolTip(), QStringLiteral("PDF"));
        f.RefreshPageControls();
        EXPECT_EQ(f.L_Seitenzahl->text(), QStringLiteral("Seite 1 von 2"));
        EXPECT_EQ(f.Combo_Zoom->count(), kZoomEntries);
    };
    Show(2);
}

TEST_F(Preview, PrintsTheChosenRange) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("print.pdf"));
    // The dialog's part: a range and a PDF file to print into.
    std::pair<int, int> range{1, 1};
    bool accept = true;
    int dialogs = 0;
    TFormSeite::SetPrintDialogHook([&](QPrinter& printer, int pageCount) {
        ++dialogs;
        EXPECT_EQ(pageCount, 3);
        EXPECT_EQ(printer.fromPage(), 1);
        EXPECT_EQ(printer.toPage(), 3);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        if (range.first == 0) {
            printer.setPrintRange(QPrinter::AllPages);
        } else {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(range.first, range.second);
        }
        return accept;
    });
    inside = [&](TFormSeite& f) {
        calls.clear();
        Click(f.Button_Print);
        EXPECT_EQ(calls, (Calls{{1, false}}));
        EXPECT_EQ(CountPdfPages(file), 1); // pages 1 to 1: no new page
        EXPECT_EQ(f.Printer().docName(), QStringLiteral("Tavro test"));

        range = {0, 0}; // all pages
        calls.clear();
        Click(f.Button_Print);
        EXPECT_EQ(calls, (Calls{{1, false}, {2, false}, {3, false}}));
        EXPECT_EQ(CountPdfPages(file), 3);

        range = {2, 9}; // beyond the last page: up to the last
        calls.clear();
        Click(f.Button_Print);
        EXPECT_EQ(calls, (Calls{{2, false}, {3, false}}));
        EXPECT_EQ(f.FirstPage, 2);
        EXPECT_EQ(f.LastPage, 3);

        accept = false; // cancelled: nothing printed
        calls.clear();
        QFile::remove(file);
        Click(f.Button_Print);
        EXPECT_TRUE(calls.empty());
        EXPECT_FALSE(QFile::exists(file));
    };
    Show(3);
    EXPECT_EQ(dialogs, 4);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Preview, ExportsEveryPageAsPdf) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sheet.pdf"));
    QString proposed;
    QString answer = file;
    TFormSeite::SetSaveDialogHook([&](QWidget*, const QString& name) {
        proposed = name;
        return answer;
    });
    inside = [&](TFormSeite& f) {
        calls.clear();
        Click(f.Button_PDF);
        EXPECT_EQ(proposed, QStringLiteral("Tavro test"));
        EXPECT_EQ(calls, (Calls{{1, true}, {2, true}, {3, true}}));
        EXPECT_EQ(opened, std::vector<QString>{file});
        QFile pdf(file);
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        EXPECT_TRUE(pdf.read(5) == "%PDF-");

        // Cancelled: nothing drawn, nothing opened.
        answer.clear();
        calls.clear();
        Click(f.Button_PDF);
        EXPECT_TRUE(calls.empty());
        EXPECT_EQ(opened.size(), 1u);

        // A file that cannot be written is reported and not opened.
        answer = dir.filePath(QStringLiteral("no/such/folder/sheet.pdf"));
        Click(f.Button_PDF);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].first, mkError);
        EXPECT_EQ(opened.size(), 1u);
        EXPECT_TRUE(f.isVisible()); // the preview goes on
    };
    Show(3);
}

TEST_F(Preview, TheSaveDialogStartsInTheFolderOfTheLastExport) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString fallback = QFileInfo(documents).isDir() ? documents : QDir::homePath();
    // Never the working folder: the first export starts in the documents.
    EXPECT_EQ(PdfStartFolder(), fallback);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("offers"));
    ASSERT_TRUE(QDir().mkpath(folder));
    TFormSeite::SetSaveDialogHook(
        [&](QWidget*, const QString&) { return folder + QStringLiteral("/sheet.pdf"); });
    inside = [](TFormSeite& f) { Click(f.Button_PDF); };
    Show(1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(PdfStartFolder(), folder);
    EXPECT_NE(test::ReadFile(config.SettingsFile()).find("PdfFolder=" + folder.toStdString()),
              std::string::npos);
    // A folder that is gone is not offered.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    EXPECT_EQ(PdfStartFolder(), fallback);
}

// A page owner that is a window with a status bar, as the main window is.
class StatusOwner : public QWidget, public PageOwner {
public:
    StatusOwner() : bar(new QStatusBar(this)) {}
    QStatusBar* bar;
};

TEST_F(Preview, AViewerThatCannotStartIsReportedInTheStatusBar) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sheet.pdf"));
    TFormSeite::SetSaveDialogHook([&](QWidget*, const QString&) { return file; });
    StatusOwner window;
    pages = MakePages(1, calls);
    inside = [](TFormSeite& f) { Click(f.Button_PDF); };
    DruckVorschau(nullptr, window, pages, {});
    EXPECT_TRUE(window.bar->currentMessage().isEmpty());
    viewerStarts = false;
    DruckVorschau(nullptr, window, pages, {});
    EXPECT_TRUE(window.bar->currentMessage().contains(file))
        << window.bar->currentMessage().toStdString();
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_TRUE(messages.empty());
}

TEST_F(Preview, IsTheProgramsPreviewOnceInstalled) {
    InstallPagePreview();
    ASSERT_TRUE(PreviewAvailable());
    int shown = 0;
    inside = [&](TFormSeite& f) {
        ++shown;
        EXPECT_EQ(f.PageCount, 2);
        EXPECT_TRUE(f.Button_Edit->isEnabled());
    };
    pages = MakePages(2, calls);
    QWidget ownerWindow;
    ownerWindow.setWindowTitle(QStringLiteral("Owner window"));
    TFormSeite* before = PagePreview();
    EXPECT_TRUE(RunPreview(&ownerWindow, owner, pages, [] {}));
    EXPECT_EQ(shown, 1);
    // One preview for the whole process.
    if (before) {
        EXPECT_EQ(PagePreview(), before);
    }
    EXPECT_EQ(PagePreview()->windowTitle(), QStringLiteral("Owner window"));
    SetPreviewRunner(nullptr);
}

} // namespace
} // namespace tavro
