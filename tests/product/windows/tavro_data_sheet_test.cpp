// The data sheet from the running main window: Calculate, the Data sheet
// button, the preview, the PDF export and printing into a file, with the
// preview's dialogs and the viewer replaced by the test.

#include "tests/support/tavro_window_fixture.h"

#include "controls/num_edit.h"
#include "output/data_sheet_page.h"
#include "output/page_preview.h"
#include "output/page_preview_window.h"
#include "output/pdf_export.h"
#include "output/text_metrics.h"
#include "tests/support/recording_inspector.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace tavro {
namespace {

// What a command prints on its standard output, empty when it cannot run.
std::string CommandOutput(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

// The value of a field of pdfinfo's report, without the padding.
std::string InfoField(const std::string& info, const std::string& field) {
    const size_t at = info.find(field + ":");
    if (at == std::string::npos) return {};
    const size_t start = info.find_first_not_of(' ', at + field.size() + 1);
    const size_t end = info.find('\n', start);
    return info.substr(start, end == std::string::npos ? end : end - start);
}

class TavroDataSheet : public test::TavroWindowTest {
protected:
    void SetUp() override {
        TavroWindowTest::SetUp();
        InstallPagePreview();
        SetDocumentOpener([this](const QString& path) {
            opened_.push_back(path);
            return true;
        });
        Start();
    }
    void TearDown() override {
        TFormSeite::SetSaveDialogHook(nullptr);
        TFormSeite::SetPrintDialogHook(nullptr);
        SetDocumentOpener(nullptr);
        TavroWindowTest::TearDown();
        SetPreviewRunner(nullptr);
    }
    int OnModal(TVkForm& form) override {
        if (auto* preview = dynamic_cast<TFormSeite*>(&form)) {
            ++previews_;
            if (inPreview_) inPreview_(*preview);
        }
        return mrOk;
    }

    void OpenDataSheet() {
        Calculate();
        ASSERT_TRUE(window_->Button_Datenblatt->isEnabled());
        window_->Button_Datenblatt->click();
    }

    test::TempDir dir_;
    std::function<void(TFormSeite&)> inPreview_;
    std::vector<QString> opened_;
    int previews_ = 0;
};

TEST_F(TavroDataSheet, ExportsTheShownPageAsPdfAndOpensIt) {
    const QString path = QString::fromStdString(dir_ / "sheet.pdf");
    QString proposed;
    TFormSeite::SetSaveDialogHook([&](QWidget*, const QString& name) {
        proposed = name;
        return path;
    });
    QString label;
    bool editEnabled = false;
    inPreview_ = [&](TFormSeite& preview) {
        label = preview.L_Seitenzahl->text();
        editEnabled = preview.Button_Edit->isEnabled();
        preview.Button_PDF->click();
    };
    OpenDataSheet();
    ASSERT_EQ(previews_, 1);
    EXPECT_EQ(label, QStringLiteral("Page 1 of 1"));
    EXPECT_TRUE(editEnabled);
    EXPECT_TRUE(messages_.empty()) << messages_.front().toStdString();
    EXPECT_EQ(proposed, window_->windowTitle().replace(u'/', u'-'));
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_.front(), path);
    // The window the preview was opened from is back.
    EXPECT_TRUE(window_->isVisible());

    const std::string file = path.toStdString();
    const std::string info = CommandOutput("pdfinfo '" + file + "' 2>/dev/null");
    if (info.empty()) GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_EQ(InfoField(info, "Pages"), "1");
    EXPECT_EQ(InfoField(info, "Page size"), "595.276 x 841.89 pts (A4)");
    EXPECT_EQ(InfoField(info, "Author"), "Zelvanor GmbH");
    // The text on the page is the window's own text.
    const std::string text = CommandOutput("pdftotext -enc UTF-8 -layout '" + file + "' -");
    const std::string designation = window_->Label_Bauform->text().toStdString();
    EXPECT_NE(text.find(designation), std::string::npos) << designation << "\n" << text;
}

TEST_F(TavroDataSheet, CancelledSaveDialogWritesNothing) {
    TFormSeite::SetSaveDialogHook([](QWidget*, const QString&) { return QString(); });
    inPreview_ = [](TFormSeite& preview) { preview.Button_PDF->click(); };
    OpenDataSheet();
    EXPECT_EQ(previews_, 1);
    EXPECT_TRUE(opened_.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
}

TEST_F(TavroDataSheet, PrintsIntoAFile) {
    const QString path = QString::fromStdString(dir_ / "printed.pdf");
    int offered = 0;
    TFormSeite::SetPrintDialogHook([&](QPrinter& printer, int pageCount) {
        offered = pageCount;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    });
    inPreview_ = [](TFormSeite& preview) { preview.Button_Print->click(); };
    OpenDataSheet();
    EXPECT_EQ(offered, 1);
    EXPECT_TRUE(messages_.empty());
    ASSERT_TRUE(std::filesystem::exists(path.toStdString()));
    const std::string info = CommandOutput("pdfinfo '" + path.toStdString() + "' 2>/dev/null");
    if (info.empty()) GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_EQ(InfoField(info, "Pages"), "1");
    const std::string text = CommandOutput("pdftotext -enc UTF-8 '" + path.toStdString() + "' -");
    EXPECT_NE(text.find(window_->Label_Bauform->text().toStdString()), std::string::npos) << text;
}

// The box a recorded text covers on the page: its ink from the first to
// the last character that is not a blank, cut to its clip rectangle.
QRectF InkBox(const test::DrawnText& t) {
    const QString& text = t.text;
    qsizetype first = 0, last = text.size();
    while (first < last && text[first] == QChar(' '))
        ++first;
    while (last > first && text[last - 1] == QChar(' '))
        --last;
    if (first == last) return {};
    const double full = MeasureText(t.font, text);
    const double lead = MeasureText(t.font, text.left(first));
    const double trail = MeasureText(t.font, text.mid(last));
    const double x0 = t.align == TextAlign::Left    ? t.p.x()
                      : t.align == TextAlign::Right ? t.p.x() - full
                                                    : t.p.x() - full / 2;
    const QFontMetricsF fm(MakeQFont(t.font));
    QRectF box(QPointF(x0 + lead, t.p.y()),
               QPointF(x0 + full - trail, t.p.y() + fm.ascent() + fm.descent()));
    if (t.clip) box = box.intersected(QRectF(*t.clip).adjusted(0, 0, 1, 1));
    return box;
}

// Long translations (Russian and Polish with two cases) ran into their
// values. No text of the sheet may overlap or touch another, in every
// language, with one and two cases, in SI and inch-pound units, with and
// without the frost line.
TEST_F(TavroDataSheet, NoTextOverlapsAnotherInAnyLanguage) {
    for (uint8_t language : AvailableLanguages) {
        CurrentLanguage = language;
        window_->ApplyLanguage();
        for (bool si : {true, false}) {
            for (int cases : {1, 2}) {
                // The frost line only once per language: the window's
                // default case lies below its frost limit.
                window_->UseFrostCheck = si && cases == 2;
                SCOPED_TRACE(testing::Message()
                             << "language " << int(language) << (si ? " SI" : " IP") << ", "
                             << cases << " cases" << (window_->UseFrostCheck ? ", frost" : ""));
                window_->SetUnitSystem(si);
                window_->SetSeasons(cases == 2);
                window_->SetOperatingCases(static_cast<uint8_t>(cases));
                // The cooling case with the heating case's air flows.
                for (size_t stream = 0; cases == 2 && stream < 2; ++stream)
                    window_->Edit_SVol[1][stream]->SetValue(window_->Edit_SVol[0][stream]->Value());
                window_->Aenderung_Daten();
                window_->RunCalculation();
                ASSERT_TRUE(window_->ResultsValid);
                Recording page;
                {
                    TRecordingCanvas canvas(page);
                    DataSheetPage(*window_, canvas, false);
                }
                const test::Inspection drawn = test::Inspect(page);
                std::vector<std::pair<QRectF, QString>> boxes;
                for (const test::DrawnText& t : drawn.texts) {
                    const QRectF box = InkBox(t);
                    if (!box.isEmpty()) boxes.emplace_back(box, t.text);
                }
                ASSERT_GT(boxes.size(), 60u);
                const QString frost = window_->PageFrostLine();
                EXPECT_EQ(frost.isEmpty(), !window_->UseFrostCheck);
                if (!frost.isEmpty()) {
                    EXPECT_TRUE(std::any_of(boxes.begin(), boxes.end(), [&](const auto& b) {
                        return b.second == frost;
                    })) << frost.toStdString();
                }
                for (size_t i = 0; i < boxes.size(); ++i) {
                    for (size_t j = i + 1; j < boxes.size(); ++j) {
                        // Texts on one line keep at least 1 mm apart.
                        const QRectF both = boxes[i]
                                                .first.adjusted(-5, 0, 5, 0)
                                                .intersected(boxes[j].first.adjusted(-5, 0, 5, 0));
                        EXPECT_FALSE(both.width() > 0 && both.height() > 0.5)
                            << '"' << boxes[i].second.toStdString() << "\" and \""
                            << boxes[j].second.toStdString() << "\" touch";
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace tavro
