// The chart page and the product description page, checked on the
// recorded page.

#include "output/chart_page.h"
#include "output/description_page.h"

#include "output/page_frame.h"
#include "output/page_metrics.h"
#include "output/page_owner.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"
#include "shell/texts/pictures.h"
#include "tests/support/recording_inspector.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tavro {
namespace {

using test::Inspect;
using test::Inspection;

class ChartOwner : public PageOwner {
public:
    Recording grid{QSize(600, 800)};
    Recording process{QSize(600, 800)};
    bool chart = true;
    std::vector<std::string> notes{"Chart note"};

    const Recording* PageChartGrid() const override { return chart ? &grid : nullptr; }
    const Recording* PageChartProcess() const override { return chart ? &process : nullptr; }
    std::vector<std::string> PageNotesChart() const override { return notes; }
};

template <class Proc> Inspection Record(PageOwner& owner, Proc proc, bool forPdf = false) {
    Recording page;
    TRecordingCanvas canvas(page);
    proc(owner, canvas, forPdf);
    return Inspect(page);
}

class Pages : public testing::Test {
protected:
    void SetUp() override {
        CurrentLanguage = kEnglish;
        DecimalSeparator = '.';
        ThousandSeparator = ',';
    }
    void TearDown() override {
        CurrentLanguage = kEnglish;
        DecimalSeparator = '.';
    }
};

TEST_F(Pages, ChartPagePlaysBothLayersBelowTheNotes) {
    ChartOwner owner;
    const Inspection page = Record(owner, ChartPage);
    ASSERT_GE(page.pictures.size(), 2u);
    // The last two pictures are the layers, grid first.
    const auto& grid = page.pictures[page.pictures.size() - 2];
    const auto& process = page.pictures.back();
    EXPECT_EQ(grid.r, QRect(QPoint(250, 700), QPoint(1899, 2799)));
    EXPECT_EQ(process.r, grid.r);
    EXPECT_TRUE(grid.vector);
    // The frame carries the chart's notes.
    EXPECT_NE(page.Text(QStringLiteral("Chart note")), nullptr);
}

TEST_F(Pages, ChartPageWithoutAChartIsTheFrameOnly) {
    ChartOwner owner;
    owner.chart = false;
    const Inspection page = Record(owner, ChartPage);
    for (const auto& p : page.pictures)
        EXPECT_NE(p.r.topLeft(), QPoint(250, 700));
}

TEST_F(Pages, ChartPageIsTheSameForPdfAndScreen) {
    ChartOwner owner;
    {
        TWMFCanvas c(owner.grid);
        c.SetFont(FontSpec{.angle = 900});
        c.TextOut(100, 400, QStringLiteral("Air temperature"));
    }
    const Inspection screen = Record(owner, ChartPage, false);
    const Inspection pdf = Record(owner, ChartPage, true);
    ASSERT_EQ(screen.pictures.size(), pdf.pictures.size());
    ASSERT_EQ(screen.texts.size(), pdf.texts.size());
    // Recording for the PDF leaves the chart as the screen shows it.
    const Inspection after = Record(owner, ChartPage, false);
    EXPECT_EQ(after.texts.size(), screen.texts.size());
    EXPECT_EQ(Inspect(owner.grid).texts.front().font.angle, 900);
}

TEST(DescriptionResource, LanguagesWithoutTheirOwnTextGetEnglish) {
    EXPECT_EQ(DescriptionResource(kGerman), 3301);
    EXPECT_EQ(DescriptionResource(kEnglish), 3302);
    EXPECT_EQ(DescriptionResource(kSpanish), 3302);
    EXPECT_EQ(DescriptionResource(kFrench), 3303);
    EXPECT_EQ(DescriptionResource(kCzech), 3306);
    EXPECT_EQ(DescriptionResource(kPolish), 3307);
    EXPECT_EQ(DescriptionResource(kChinese), 3308);
    EXPECT_EQ(DescriptionResource(kRussian), 3309);
    EXPECT_EQ(DescriptionResource(0), 3302);
}

TEST_F(Pages, DescriptionLinesStandInTheReducedRows) {
    PageOwner owner;
    const Inspection page = Record(owner, DescriptionPage);
    const std::vector<std::string> lines = LoadWideLineListResource(3302);
    ASSERT_EQ(lines.size(), 42u);
    // Heading in the large height at row 12 of the frame's pitch.
    const test::DrawnText* heading = page.Text(TextOf(160));
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->p, QPoint(250, 604));
    EXPECT_TRUE(heading->font.bold);
    // Line 1: bold, larger, at row 16 of the reduced pitch; line 2 regular.
    const test::DrawnText* title = page.Text(UiString(lines[0]));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->p, QPoint(250, 100 + 39 * 16));
    EXPECT_TRUE(title->font.bold);
    EXPECT_EQ(title->font.height, 37);
    const test::DrawnText* second = page.TextAt(100 + 39 * 17);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(second->font.bold);
    EXPECT_EQ(second->font.height, 31);
    EXPECT_TRUE(page.TextAt(100 + 39 * 46)->font.bold); // line 31
    EXPECT_TRUE(page.TextAt(100 + 39 * 56)->font.bold); // line 41
}

TEST_F(Pages, DesignationExampleWithItsLeaderLines) {
    PageOwner owner;
    const Inspection page = Record(owner, DescriptionPage);
    const test::DrawnText* example = page.Text(QStringLiteral("Tavro 10 / 500 / 750 - 6.5"));
    ASSERT_NE(example, nullptr);
    EXPECT_EQ(example->p, QPoint(300, 1972));
    const test::DrawnText* gap = page.Text(TextOf(93) + QStringLiteral(" (6.5 mm)"));
    ASSERT_NE(gap, nullptr);
    EXPECT_EQ(gap->p.y(), 100 + 39 * 50);
    const test::DrawnText* design = page.Text(TextOf(183));
    ASSERT_NE(design, nullptr);
    EXPECT_EQ(design->p.y(), 100 + 39 * 53);
    // Each explanation's leader line ends on row 49 below the example.
    int leaders = 0;
    for (const auto& l : page.lines) {
        if (l.to.y() == 2011 && l.from.x() == l.to.x()) ++leaders;
    }
    EXPECT_EQ(leaders, 4);
    // The horizontal piece starts 10 left of the explanation, half a pitch down.
    EXPECT_TRUE(std::any_of(page.lines.begin(), page.lines.end(), [&](const test::DrawnLine& l) {
        return l.from == QPoint(gap->p.x() - 10, gap->p.y() + 20);
    }));
}

TEST_F(Pages, DecimalCommaInTheExample) {
    DecimalSeparator = ',';
    PageOwner owner;
    const Inspection page = Record(owner, DescriptionPage);
    EXPECT_NE(page.Text(QStringLiteral("Tavro 10 / 500 / 750 - 6,5")), nullptr);
    EXPECT_NE(page.Text(TextOf(93) + QStringLiteral(" (6,5 mm)")), nullptr);
}

TEST_F(Pages, DesignTableGridAndDrawing) {
    PageOwner owner;
    const Inspection page = Record(owner, DescriptionPage);
    const test::DrawnText* head = page.Text(TextOf(185));
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->p.y(), 2362);
    EXPECT_EQ(head->align, TextAlign::Centre);
    EXPECT_TRUE(head->font.bold);
    // Rows 60 apart from 2422; "Tavro 60" has all three marks.
    const test::DrawnText* last = page.Text(QStringLiteral("Tavro 60"));
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->p.y(), 2722);
    int marks = 0;
    for (const auto& t : page.texts)
        marks += t.text == QStringLiteral("X") ? 1 : 0;
    EXPECT_EQ(marks, 9);
    // Eight rules from 2353 to 2773 and five columns, with the frame pen.
    int rules = 0, columns = 0;
    for (const auto& l : page.lines) {
        if (l.from.y() == l.to.y() && l.from.x() == 250 && (l.from.y() - 2353) % 60 == 0 &&
            l.from.y() >= 2353 && l.from.y() <= 2773) {
            ++rules;
            EXPECT_EQ(l.pen.width, 3);
        }
        if (l.from.x() == l.to.x() && l.from.y() == 2353 && l.to.y() == 2773) ++columns;
    }
    EXPECT_EQ(rules, 8);
    EXPECT_EQ(columns, 5);
    // The drawing's labels and the drawing itself.
    EXPECT_EQ(page.Text(TextOf(91))->p, QPoint(1650, 1855));
    EXPECT_EQ(page.Text(TextOf(92))->p, QPoint(1500, 2206));
    EXPECT_TRUE(std::any_of(page.pictures.begin(), page.pictures.end(), [](const auto& p) {
        return p.r == QRect(QPoint(1200, 1816), QPoint(1705, 2265)) && p.vector;
    }));
}

TEST_F(Pages, MetricsComeBackWithTheNextPage) {
    PageOwner owner;
    Record(owner, DescriptionPage);
    EXPECT_EQ(Metrics.baseHeight, 31);
    EXPECT_EQ(Metrics.linePitch, 39);
    EXPECT_EQ(Metrics.halfPitch, 21);
    Record(owner, ChartPage);
    EXPECT_EQ(Metrics.baseHeight, 34);
    EXPECT_EQ(Metrics.linePitch, 42);
}

TEST_F(Pages, EveryLanguageHasItsDescription) {
    for (int language : {kGerman, kEnglish, kFrench, kCzech, kPolish, kChinese, kRussian}) {
        CurrentLanguage = static_cast<uint8_t>(language);
        const auto lines = LoadWideLineListResource(DescriptionResource(language));
        ASSERT_EQ(lines.size(), 42u) << language;
        EXPECT_FALSE(lines[0].empty()) << language;
        for (size_t i = 32; i < 40; ++i)
            EXPECT_TRUE(lines[i].empty()) << language << " line " << i + 1;
    }
}

} // namespace
} // namespace tavro
