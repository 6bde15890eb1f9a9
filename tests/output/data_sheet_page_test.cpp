// Geometry of the page frame, the blocks and the data sheet, checked on the
// recorded page.

#include "output/data_sheet_page.h"

#include "output/page_frame.h"
#include "output/page_metrics.h"
#include "output/page_owner.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"
#include "tests/support/recording_inspector.h"

#include <gtest/gtest.h>

#include <map>

namespace tavro {
namespace {

using test::Inspect;
using test::Inspection;

// A main window for pages: every value can be set by the test.
class FakeOwner : public PageOwner {
public:
    bool si = true;
    int seasonMode = 1;
    bool useSeasons = false;
    bool wetBulb = false;
    bool eu = false;
    bool hclass = true;
    std::set<int> warnings;
    int design = 10;
    TDatenREK record;
    std::map<std::tuple<int, int, int>, QString> cells;
    std::map<PageLabel, QString> labels;
    bool printHeader = false;
    std::array<std::string, 8> header;
    std::vector<std::string> notes;

    FakeOwner() {
        record.pbar = 1013;
        record.Edge = 600;
        record.Width = 600;
        record.PType = 2;
        record.Temp11 = -12;
        record.Temp21 = 22;
        record.SVol11 = 3000;
        record.Bypass = 133;
        // Inlet table as the window shows it, units in column 5.
        const char* inletLabels[] = {"",
                                     "    Standard Air Volume",
                                     "    Mass flow",
                                     "Inlet condition",
                                     "    Actual Air Volume",
                                     "    Temperature",
                                     "    Relative Humidity",
                                     "    Absolute Humidity",
                                     "    Wet bulb temperature",
                                     "    Enthalpy"};
        for (int r = 1; r <= 9; ++r)
            Cell(ResultTable::Inlet, 0, r, inletLabels[r]);
        Cell(ResultTable::Inlet, 1, 1, "3000");
        Cell(ResultTable::Inlet, 3, 1, "2800");
        Cell(ResultTable::Inlet, 5, 1, "m³/h");
        Cell(ResultTable::Inlet, 1, 5, "20.0");
        Cell(ResultTable::Inlet, 1, 8, "13.8");
        Cell(ResultTable::Inlet, 1, 9, "38.6");
        Cell(ResultTable::Outlet, 0, 0, "Outlet condition");
        Cell(ResultTable::Outlet, 0, 2, "    Temperature");
        Cell(ResultTable::Outlet, 1, 2, "12.3");
        Cell(ResultTable::Outlet, 1, 5, "9.9");
        Cell(ResultTable::VelocityPressureDrop, 0, 0, "Face air velocity");
        Cell(ResultTable::VelocityPressureDrop, 1, 0, "2.31");
        Cell(ResultTable::ProcessData, 1, 0, "55.1");
        Cell(ResultTable::ProcessData, 1, 2, "58.3% / H3");
        labels[PageLabel::OutsideAir] = QStringLiteral("Outside air");
        labels[PageLabel::ReturnAir] = QStringLiteral("Return air");
        labels[PageLabel::Designation] = QStringLiteral("Type: Tavro 10 / 600 / 600 - 5.5");
        labels[PageLabel::Weight] = QStringLiteral("20.0");
        labels[PageLabel::Heating] = QStringLiteral("Heating");
        labels[PageLabel::Cooling] = QStringLiteral("Cooling");
    }
    void Cell(ResultTable t, int c, int r, const char* text) {
        cells[{static_cast<int>(t), c, r}] = QString::fromUtf8(text);
    }

    bool PageSI() const override { return si; }
    int PageSeasonMode() const override { return seasonMode; }
    bool PageUseSeasons() const override { return useSeasons; }
    bool PageWetBulb() const override { return wetBulb; }
    bool PageEU() const override { return eu; }
    bool PageHCLASS() const override { return hclass; }
    std::set<int> PageWarnings() const override { return warnings; }
    int PageDesign() const override { return design; }
    const TDatenREK& PageRecord() const override { return record; }
    QString PageCell(ResultTable t, int c, int r) const override {
        const auto it = cells.find({static_cast<int>(t), c, r});
        return it == cells.end() ? QString() : it->second;
    }
    QString PageLabelText(PageLabel l) const override {
        const auto it = labels.find(l);
        return it == labels.end() ? QString() : it->second;
    }
    bool PagePrintOfferHeader() const override { return printHeader; }
    std::array<std::string, 8> PageOfferHeader() const override { return header; }
    std::vector<std::string> PageNotesDataSheet() const override { return notes; }
};

Inspection Sheet(FakeOwner& owner) {
    Recording page;
    TRecordingCanvas canvas(page);
    DataSheetPage(owner, canvas, false);
    return Inspect(page);
}

class DataSheet : public testing::Test {
protected:
    void SetUp() override {
        CurrentLanguage = kEnglish;
        DecimalSeparator = '.';
        ThousandSeparator = ',';
    }
    FakeOwner owner;
};

TEST(PageMetrics, RowsAndFits) {
    SetPageMetrics(34, 42, 21);
    EXPECT_EQ(Row(0), 100);
    EXPECT_EQ(Row(16), 772);
    EXPECT_EQ(Row(45), 1990);
    EXPECT_EQ(Row(63), 2746);
    EXPECT_EQ(Metrics.largeHeight, 41);
    EXPECT_EQ(Metrics.smallHeight, 28);
    EXPECT_EQ(RoundHalfEven(-34 / 1.2), -28);
    EXPECT_EQ(Metrics.quarterPitch, 10);
    const SheetFit width = FitSheet(4960, 7016);
    EXPECT_EQ(width.S, 2100);
    EXPECT_EQ(width.P, 4960);
    EXPECT_EQ(PreviewExtent(100, width.P), 1417);
    const SheetFit height = FitSheet(4960, 7000);
    EXPECT_EQ(height.S, 2970);
    EXPECT_EQ(height.P, 7000);
    SetPageMetrics(31, 39);
    EXPECT_EQ(Metrics.halfPitch, 21); // the description page keeps the frame's half pitch
    EXPECT_EQ(Row(48), 1972);
}

TEST_F(DataSheet, FrameWithoutHeader) {
    const Inspection page = Sheet(owner);
    EXPECT_FALSE(page.HasLine(250, 121, 1980, 121));
    EXPECT_TRUE(page.HasLine(250, 247, 1980, 247));
    EXPECT_TRUE(page.HasLine(1980, 277, 1980, 2798));
    EXPECT_TRUE(page.HasLine(250, 2828, 1980, 2828));
    EXPECT_TRUE(page.HasLine(250, 2872, 550, 2872));
    const test::DrawnText* title =
        page.Text(QStringLiteral("Zelvanor Crossflow Plate Heat Exchanger"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->p, QPoint(1100, 268));
    EXPECT_EQ(title->align, TextAlign::Centre);
    EXPECT_TRUE(title->font.bold);
    EXPECT_EQ(title->font.height, 41);
    const test::DrawnText* version = page.TextAt(2886, QStringLiteral("Version "));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->font.height, 28);
    EXPECT_EQ(version->p.x(), 250);
}

TEST_F(DataSheet, FrameWithOfferHeaderAndNotes) {
    owner.printHeader = true;
    owner.header = {"Date:",    "09.12.2026", "Offer-No.:", "A-4711",
                    "Project:", "Hospital",   "Position:",  "3"};
    owner.notes = {"first note", "second", "", "a fourth line"};
    const Inspection page = Sheet(owner);
    EXPECT_TRUE(page.HasLine(250, 121, 1980, 121));
    EXPECT_TRUE(page.HasLine(250, 247, 1950, 247));
    EXPECT_TRUE(page.HasLine(1980, 151, 1980, 2798));
    const test::DrawnText* number = page.Text(QStringLiteral("A-4711"));
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->p, QPoint(500, 142));
    EXPECT_EQ(number->clip, QRect(QPoint(500, 142), QPoint(1459, 225)));
    EXPECT_EQ(page.Text(QStringLiteral("Date:"))->p, QPoint(1480, 142));
    EXPECT_EQ(page.Text(QStringLiteral("09.12.2026"))->p, QPoint(1650, 142));
    EXPECT_EQ(page.Text(QStringLiteral("Project:"))->p, QPoint(250, 184));
    EXPECT_EQ(page.Text(QStringLiteral("3"))->p, QPoint(1650, 184));
    EXPECT_EQ(page.Text(QStringLiteral("Notes:"))->p, QPoint(250, 562));
    const test::DrawnText* second = page.Text(QStringLiteral("second"));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->p, QPoint(500, 646));
    // Only three lines fit into the notes rectangle.
    const test::DrawnText* fourth = page.Text(QStringLiteral("a fourth line"));
    ASSERT_NE(fourth, nullptr);
    EXPECT_GE(fourth->p.y(), fourth->clip->bottom());
    EXPECT_TRUE(page.HasLine(250, 751, 1950, 751));
}

// A long first note line ran on under the certification marks (from 1350).
TEST_F(DataSheet, LongFirstNoteLineKeepsClearOfTheCertificationMarks) {
    const std::string longLine =
        "Offer valid for the complete air handling unit including the control cabinet and "
        "commissioning on site";
    Recording scratch;
    TRecordingCanvas measure(scratch);
    const auto right = [&](const test::DrawnText& t) {
        measure.SetFont(t.font);
        return t.p.x() + measure.TextWidth(t.text);
    };
    // With room below, the line is wrapped after its last word that fits
    // and the other lines move down.
    owner.notes = {longLine, "second", ""};
    Inspection page = Sheet(owner);
    const test::DrawnText* first = page.TextAt(604);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(QString::fromStdString(longLine).startsWith(first->text));
    EXPECT_LE(right(*first), 1330);
    const test::DrawnText* rest = page.TextAt(646);
    ASSERT_NE(rest, nullptr);
    EXPECT_EQ((first->text + QStringLiteral(" ") + rest->text).toStdString(), longLine);
    EXPECT_EQ(page.Text(QStringLiteral("second"))->p, QPoint(500, 688));
    // Three lines in use: the first is cut where the marks begin.
    owner.notes = {longLine, "second", "third"};
    page = Sheet(owner);
    first = page.TextAt(604);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text, QString::fromStdString(longLine));
    ASSERT_TRUE(first->clip.has_value());
    EXPECT_LE(first->clip->right(), 1330);
    EXPECT_EQ(page.Text(QStringLiteral("second"))->p, QPoint(500, 646));
    EXPECT_EQ(page.Text(QStringLiteral("third"))->p, QPoint(500, 688));
    // Without the marks (the chart page) the line keeps the whole width.
    Recording other;
    {
        TRecordingCanvas canvas(other);
        const std::vector<std::string> notes = {longLine};
        DrawNotes(canvas, &notes);
    }
    const Inspection chart = Inspect(other);
    ASSERT_NE(chart.TextAt(604), nullptr);
    EXPECT_EQ(chart.TextAt(604)->text, QString::fromStdString(longLine));
    EXPECT_EQ(chart.TextAt(604)->clip->right(), 1949);
}

TEST_F(DataSheet, InletOutletAndVelocityRowsStandAtTheirPlaces) {
    const Inspection page = Sheet(owner);
    const test::DrawnText* volume = page.Text(QStringLiteral("3000"));
    ASSERT_NE(volume, nullptr);
    EXPECT_EQ(volume->p, QPoint(1300, 909));
    EXPECT_EQ(volume->align, TextAlign::Right);
    EXPECT_EQ(page.Text(QStringLiteral("2800"))->p, QPoint(1650, 909));
    EXPECT_EQ(page.Text(QStringLiteral("m³/h"))->p, QPoint(1680, 909));
    EXPECT_EQ(page.Text(QStringLiteral("    Standard Air Volume"))->p, QPoint(515, 909));
    // The wet-bulb row is skipped: enthalpy one pitch below absolute humidity.
    EXPECT_EQ(page.Text(QStringLiteral("38.6"))->p, QPoint(1300, 1173));
    EXPECT_EQ(page.Text(QStringLiteral("Inlet condition"))->p, QPoint(250, 1005));
    EXPECT_TRUE(page.Text(QStringLiteral("Inlet condition"))->font.bold);
    EXPECT_EQ(page.Text(QStringLiteral("12.3"))->p, QPoint(1300, 1274));
    EXPECT_EQ(page.Text(QStringLiteral("2.31"))->p, QPoint(1300, 1453));
    EXPECT_EQ(page.Text(QStringLiteral("Outside air"))->p, QPoint(1300, 856));
    for (int y : {898, 994, 1221, 1442}) {
        EXPECT_TRUE(page.HasLine(250, y, 1950, y)) << y;
    }
    const auto dotted =
        std::find_if(page.lines.begin(), page.lines.end(),
                     [](const test::DrawnLine& l) { return l.from == QPoint(250, 898); });
    ASSERT_NE(dotted, page.lines.end());
    EXPECT_EQ(dotted->pen.style, PenStyle::Dot);
    EXPECT_EQ(page.Text(QStringLiteral("Type: Tavro 10 / 600 / 600 - 5.5  "))->p, QPoint(250, 772));
}

TEST_F(DataSheet, WetBulbFlagJoinsTheTemperatures) {
    owner.wetBulb = true;
    const Inspection page = Sheet(owner);
    EXPECT_NE(page.Text(QStringLiteral("    Temperature (DB/WB)")), nullptr);
    EXPECT_EQ(page.Text(QStringLiteral("20.0 / 13.8"))->p, QPoint(1300, 1047));
    EXPECT_EQ(page.Text(QStringLiteral("12.3 / 9.9"))->p, QPoint(1300, 1274));
}

TEST_F(DataSheet, TwoCasesUseFourColumns) {
    owner.seasonMode = 2;
    owner.useSeasons = true;
    owner.Cell(ResultTable::Inlet, 5, 1, "5000");
    owner.Cell(ResultTable::Inlet, 9, 1, "m³/h");
    const Inspection page = Sheet(owner);
    EXPECT_EQ(page.Text(QStringLiteral("3000"))->p, QPoint(1130, 909));
    EXPECT_EQ(page.Text(QStringLiteral("5000"))->p, QPoint(1600, 909));
    EXPECT_EQ(page.Text(QStringLiteral("m³/h"))->p, QPoint(1850, 909));
    EXPECT_EQ(page.Text(QStringLiteral("Heating"))->p, QPoint(1180, 814));
    EXPECT_EQ(page.Text(QStringLiteral("Cooling"))->p, QPoint(1650, 814));
}

// Long translations ran into their values (Russian row labels) while
// column headings and group labels that fitted were shrunk with the ones
// that did not. Each text is measured against its own room and only one
// that does not fit is set smaller, on the same baseline, never below 2 mm.
TEST_F(DataSheet, OnlyTextsThatDoNotFitAreSetSmaller) {
    owner.seasonMode = 2;
    owner.useSeasons = true;
    owner.labels[PageLabel::OutsideAir] = QStringLiteral("Приточный воздух");
    owner.labels[PageLabel::ReturnAir] = QStringLiteral("Вытяжной воздух");
    owner.Cell(ResultTable::Inlet, 0, 3, "Параметры на входе");
    owner.Cell(ResultTable::Inlet, 0, 1, "    Стандартный расход воздуха (норм.)");
    owner.Cell(ResultTable::ProcessData, 1, 1, "47.7");
    Recording scratch;
    TRecordingCanvas measure(scratch);
    const auto width = [&](const test::DrawnText& t) {
        measure.SetFont(t.font);
        return measure.TextWidth(t.text);
    };
    const Inspection page = Sheet(owner);
    const int columns[4] = {1130, 1350, 1600, 1820};
    int seen = 0;
    for (const test::DrawnText& t : page.texts) {
        if (t.text != owner.labels[PageLabel::OutsideAir] &&
            t.text != owner.labels[PageLabel::ReturnAir])
            continue;
        const int i = seen++;
        ASSERT_LT(i, 4);
        EXPECT_EQ(t.p.x(), columns[i]);
        // The first heading has the room of the column after it.
        const int room = i == 0 ? columns[1] - columns[0] - 20 : columns[i] - columns[i - 1] - 20;
        EXPECT_LT(t.font.height, 34) << t.text.toStdString();
        EXPECT_GE(t.font.height, 20);
        EXPECT_GT(t.p.y(), 856); // lowered onto the baseline of the full height
        EXPECT_LE(width(t), room);
    }
    EXPECT_EQ(seen, 4);
    // The group label ends 20 before the ink of the row label on its line,
    // which begins after four blanks.
    const test::DrawnText* group = page.Text(QStringLiteral("Параметры на входе"));
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->font.bold);
    EXPECT_LT(group->font.height, 34);
    measure.SetFont(page.Text(QStringLiteral("    Actual Air Volume"))->font);
    EXPECT_LE(250 + width(*group), 515 + measure.TextWidth(QStringLiteral("    ")) - 20);
    // The long row label ends 20 before its value; the rows that fit keep 34.
    const test::DrawnText* label = nullptr;
    for (const test::DrawnText& t : page.texts) {
        if (t.text.startsWith(QStringLiteral("    Стандартный"))) label = &t;
    }
    ASSERT_NE(label, nullptr);
    EXPECT_LT(label->font.height, 34);
    EXPECT_LE(label->p.x() + width(*label), 1130 - width(*page.Text(QStringLiteral("3000"))) - 20);
    EXPECT_EQ(page.Text(QStringLiteral("    Mass flow"))->font.height, 34);
    EXPECT_EQ(page.Text(QStringLiteral("Heat recovery dry"))->font.height, 34);
}

TEST_F(DataSheet, ALabelThatDoesNotFitAtTwoMillimetresIsCutAtItsRoom) {
    owner.Cell(ResultTable::VelocityPressureDrop, 0, 0, std::string(120, 'W').c_str());
    const Inspection page = Sheet(owner);
    const test::DrawnText* label = page.Text(QString(120, QChar('W')));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->font.height, 20);
    ASSERT_TRUE(label->clip.has_value());
    EXPECT_EQ(label->clip->left(), 250);
    Recording scratch;
    TRecordingCanvas measure(scratch);
    measure.SetFont(page.Text(QStringLiteral("2.31"))->font);
    EXPECT_LE(label->clip->right(), 1300 - measure.TextWidth(QStringLiteral("2.31")) - 20);
    // The English texts of the body all fit: nothing is set smaller or cut.
    owner.Cell(ResultTable::VelocityPressureDrop, 0, 0, "Face air velocity");
    for (const test::DrawnText& t : Sheet(owner).texts) {
        if (t.p.y() < 751) continue; // the frame, the letterhead and the notes
        EXPECT_FALSE(t.clip.has_value()) << t.text.toStdString();
        EXPECT_TRUE(t.font.height == 34 || t.font.height == 28 || t.font.height == 41)
            << t.text.toStdString() << " " << t.font.height;
    }
}

TEST_F(DataSheet, HighTemperatureHint) {
    owner.record.Temp21 = 80;
    EXPECT_EQ(Sheet(owner).Text(TextOf(524)), nullptr);
    owner.record.Temp21 = 80.1;
    const Inspection page = Sheet(owner);
    const test::DrawnText* hint = page.Text(TextOf(524));
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->p, QPoint(1950, 772));
    EXPECT_EQ(hint->align, TextAlign::Right);
    EXPECT_EQ(hint->font.height, 28);
}

TEST_F(DataSheet, ProcessRowsAndTheirVariants) {
    Inspection page = Sheet(owner);
    EXPECT_EQ(page.Text(QStringLiteral("Temperature efficiency dry (EN 308)"))->p,
              QPoint(250, 1600));
    EXPECT_EQ(page.Text(QStringLiteral("55.1"))->p, QPoint(1300, 1600));
    EXPECT_EQ(page.Text(QStringLiteral("58.3% / H3"))->p, QPoint(1300, 1684));
    EXPECT_EQ(page.Text(QStringLiteral("Heat recovery dry"))->p.y(), 1780);
    EXPECT_EQ(page.Text(QStringLiteral("Condensation"))->p.y(), 1885);
    owner.eu = true;
    page = Sheet(owner);
    EXPECT_NE(page.Text(QStringLiteral("Effectiveness dry (AHRI 1060)")), nullptr);
    EXPECT_EQ(page.Text(QStringLiteral("58.3% / H3")), nullptr);
}

TEST_F(DataSheet, WarningRows) {
    owner.warnings = {5, 11};
    Inspection page = Sheet(owner);
    EXPECT_EQ(page.Text(TextOf(122))->p, QPoint(250, 2000));
    EXPECT_EQ(page.Text(TextOf(123))->p, QPoint(250, 2042));
    EXPECT_EQ(page.Text(TextOf(126)), nullptr);
    owner.warnings = {11};
    page = Sheet(owner);
    EXPECT_EQ(page.Text(TextOf(126))->p, QPoint(250, 2000));
    owner.warnings = {7};
    page = Sheet(owner);
    EXPECT_EQ(page.Text(TextOf(127))->p, QPoint(250, 2084));
    EXPECT_EQ(page.Text(TextOf(126)), nullptr);
}

TEST_F(DataSheet, BypassBlockOnlyWithABypass) {
    owner.design = 10;
    EXPECT_EQ(Sheet(owner).Text(TextOf(185)), nullptr);
    owner.design = 20;
    const Inspection page = Sheet(owner);
    EXPECT_EQ(page.Text(TextOf(185))->p, QPoint(1150, 2158));
    EXPECT_EQ(page.Text(QStringLiteral("133"))->p, QPoint(1650, 2242));
    EXPECT_EQ(page.Text(QStringLiteral("15.0"))->p, QPoint(1650, 2200));
}

TEST_F(DataSheet, CalculationBasisAndDimensionsInSi) {
    const Inspection page = Sheet(owner);
    EXPECT_EQ(page.Text(QStringLiteral("1013"))->p, QPoint(750, 2200));
    EXPECT_EQ(page.Text(QStringLiteral("0"))->p, QPoint(750, 2242));
    EXPECT_EQ(page.Text(TextOf(53))->p, QPoint(250, 2347));
    EXPECT_EQ(page.Text(TextOf(91))->p, QPoint(250, 2494));
    EXPECT_EQ(page.Text(QStringLiteral("600"))->p, QPoint(750, 2494));
    EXPECT_EQ(page.Text(QStringLiteral("Height (H)"))->p, QPoint(250, 2578));
    EXPECT_EQ(page.Text(QStringLiteral("819"))->p, QPoint(750, 2578));
    ASSERT_NE(page.TextAt(2746, QStringLiteral("20.0")), nullptr);
    EXPECT_EQ(page.TextAt(2746, QStringLiteral("20.0"))->align, TextAlign::Right);
    EXPECT_EQ(page.TextAt(2746, QStringLiteral("20.0"))->p.x(), 750);
}

TEST_F(DataSheet, InchPoundDimensionsWithInchLines) {
    owner.si = false;
    const Inspection page = Sheet(owner);
    EXPECT_EQ(page.Text(QStringLiteral("1.00"))->p, QPoint(750, 2200)); // atm, two decimals
    EXPECT_EQ(page.Text(TextOf(53))->p, QPoint(250, 2326));
    EXPECT_EQ(page.Text(TextOf(91))->p, QPoint(250, 2410));
    const test::DrawnText* inches = page.Text(QStringLiteral("23.62")); // 600 mm
    ASSERT_NE(inches, nullptr);
    EXPECT_EQ(inches->p, QPoint(750, 2452));
    EXPECT_TRUE(inches->font.italic);
    EXPECT_EQ(inches->font.height, 28);
    // The weight keeps its row, in pounds.
    EXPECT_NE(page.TextAt(2746, QStringLiteral("lb")), nullptr);
    EXPECT_EQ(page.Text(QStringLiteral("kg")), nullptr);
}

TEST_F(DataSheet, RussianWarningsInTheSmallHeight) {
    CurrentLanguage = kRussian;
    owner.warnings = {11};
    const Inspection page = Sheet(owner);
    EXPECT_EQ(page.Text(TextOf(126))->font.height, 28);
    CurrentLanguage = kEnglish;
}

TEST_F(DataSheet, MissingValuesPrintNothing) {
    FakeOwner empty;
    empty.cells.clear();
    empty.labels.clear();
    const Inspection page = Sheet(empty);
    for (const test::DrawnText& t : page.texts)
        EXPECT_FALSE(t.text.isEmpty());
}

} // namespace
} // namespace tavro
