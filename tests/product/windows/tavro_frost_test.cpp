// The frost check of the main window: hint, warning, data-sheet line and
// chart marker with the option on, and the window as without it when off.

#include "product/windows/tavro_window.h"

#include "controls/daten_grid.h"
#include "controls/num_edit.h"
#include "product/model/frost_messages.h"
#include "product/model/result_rows.h"
#include "shell/texts/languages.h"
#include "tests/support/tavro_window_fixture.h"

#include <QLabel>
#include <QLineEdit>

#include <set>

#include <gtest/gtest.h>

namespace tavro {
namespace {

class TavroFrost : public test::TavroWindowTest {
protected:
    TavroFrost() { frostCheck_.reset(); }
};

// The defaults: 10000 m³/h each way, outside air -12 °C / 90 %, return air
// 22 °C / 40 %; the exchanger frosts below about -10 °C.
TEST_F(TavroFrost, ColdCaseShowsItsLimitAndWarnsWithPreheatAndBypass) {
    TFormTavro& w = Start();
    ASSERT_TRUE(w.UseFrostCheck); // on without a settings file
    messages_.clear();
    Calculate();
    ASSERT_TRUE(w.ResultsValid);
    const FrostCheck* check = w.Frost();
    ASSERT_NE(check, nullptr);
    ASSERT_TRUE(check->atRisk);
    const QString hint = w.LB_Hinweis->text();
    EXPECT_TRUE(hint.startsWith(QStringLiteral("Condensation! - Frost limit -")))
        << hint.toStdString();
    EXPECT_TRUE(hint.endsWith(QStringLiteral(" °C"))) << hint.toStdString();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(titles_[0], QStringLiteral("Attention!"));
    EXPECT_TRUE(messages_[0].startsWith(QStringLiteral("Frost risk below -")))
        << messages_[0].toStdString();
    EXPECT_TRUE(messages_[0].contains(QStringLiteral(" kW or bypass ")));
    EXPECT_EQ(w.PageFrostLine(), messages_[0]);
    EXPECT_EQ(w.PageLabelText(PageLabel::Hint), hint);
}

// The frost warning is one of the limit messages: with another warning it
// stands in the same dialog, and the selection keeps its number.
TEST_F(TavroFrost, FrostWarningSharesTheLimitCheckDialog) {
    TFormTavro& w = Start();
    Enter(w.Edit_SVol[0][1], QStringLiteral("1300")); // flow ratio 1.54
    messages_.clear();
    Calculate();
    ASSERT_EQ(messages_.size(), 1u);
    ASSERT_TRUE(w.ResultsValid) << messages_[0].toStdString();
    EXPECT_EQ(titles_[0], QStringLiteral("Attention!"));
    const QString ratio = w.WarningText(7);
    EXPECT_TRUE(messages_[0].startsWith(ratio + QStringLiteral("\n\nFrost risk below -")))
        << messages_[0].toStdString();
    EXPECT_TRUE(messages_[0].endsWith(w.FrostWarning())) << messages_[0].toStdString();
    EXPECT_EQ(w.PageWarnings(), (std::set<int>{7, 40}));
    EXPECT_EQ(w.WarningText(40), w.FrostWarning());
    w.UseFrostCheck = false;
    messages_.clear();
    Calculate();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], ratio);
    EXPECT_EQ(w.PageWarnings(), std::set<int>{7});
}

// Two cases: each frosting case warns under its own heading.
TEST_F(TavroFrost, EachCaseBelowItsLimitWarnsUnderItsName) {
    TFormTavro& w = Start();
    w.SetOperatingCases(2);
    Enter(w.Edit_SVol[1][0], QStringLiteral("2000"));
    Enter(w.Edit_SVol[1][1], QStringLiteral("2000"));
    Enter(w.Edit_Temp[1][0], QStringLiteral("-15"));
    Enter(w.Edit_Temp[1][1], QStringLiteral("22"));
    Enter(w.Edit_Feuchte[1][0], QStringLiteral("90"));
    Enter(w.Edit_Feuchte[1][1], QStringLiteral("40"));
    messages_.clear();
    Calculate();
    ASSERT_EQ(messages_.size(), 1u);
    const QString& m = messages_[0];
    EXPECT_TRUE(m.startsWith(w.Edit_Winter->text() + QStringLiteral(":\n\nFrost risk below -")))
        << m.toStdString();
    EXPECT_TRUE(m.contains(QStringLiteral("----------------------\n\n") + w.Edit_Sommer->text() +
                           QStringLiteral(":\n\nFrost risk below -")))
        << m.toStdString();
}

// The process data shows the frost rows below its own while the option is
// on; switching it off takes them away.
TEST_F(TavroFrost, ProcessDataCarriesTheFrostRows) {
    TFormTavro& w = Start();
    const int base = ShownRowCount(ShownTable::ProcessData);
    EXPECT_EQ(w.Tabelle_Prozessdaten->RowCount(), base + kFrostRowsMax);
    Calculate();
    ASSERT_TRUE(w.ResultsValid);
    const std::vector<FrostRow> rows = FrostRows(*w.Frost(), {true, kEnglish, {'.', ',', ""}});
    ASSERT_EQ(rows.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const FrostRow& row = rows[static_cast<size_t>(i)];
        EXPECT_EQ(w.Tabelle_Prozessdaten->Cell(0, base + i).toStdString(), row.label);
        EXPECT_EQ(w.Tabelle_Prozessdaten->Cell(1, base + i).toStdString(), row.value);
        EXPECT_EQ(w.Tabelle_Prozessdaten->Cell(5, base + i).toStdString(), row.unit);
    }
    // A mild case: the limit alone, the rows below it emptied.
    Enter(w.Edit_Temp[0][0], QStringLiteral("5"));
    Calculate();
    EXPECT_EQ(w.Tabelle_Prozessdaten->Cell(0, base), QStringLiteral("Frost limit"));
    EXPECT_EQ(w.Tabelle_Prozessdaten->Cell(0, base + 1), QString());
    EXPECT_EQ(w.Tabelle_Prozessdaten->Cell(1, base + 1), QString());
    const int height = w.height();
    w.UseFrostCheck = false;
    w.OptionsApplied();
    EXPECT_EQ(w.Tabelle_Prozessdaten->RowCount(), base);
    EXPECT_LT(w.height(), height);
    w.UseFrostCheck = true;
    w.OptionsApplied();
    EXPECT_EQ(w.Tabelle_Prozessdaten->RowCount(), base + kFrostRowsMax);
    EXPECT_EQ(w.height(), height);
}

TEST_F(TavroFrost, OptionOffKeepsTheGeneralNoteAndNoWarning) {
    TFormTavro& w = Start();
    w.UseFrostCheck = false;
    messages_.clear();
    Calculate();
    EXPECT_EQ(w.LB_Hinweis->text(),
              QStringLiteral("Condensation! - Freezing limit not considered!"));
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(w.Frost(), nullptr);
    EXPECT_EQ(w.PageFrostLine(), QString());
    std::vector<ChartPolyline> lines;
    w.AddChartStates(lines);
    EXPECT_TRUE(lines.empty());
}

TEST_F(TavroFrost, MildCaseHasNoFrostWordsInTheHintButALimitOnTheSheet) {
    TFormTavro& w = Start();
    Enter(w.Edit_Temp[0][0], QStringLiteral("2"));
    Enter(w.Edit_Feuchte[0][1], QStringLiteral("60")); // condensing
    messages_.clear();
    Calculate();
    EXPECT_EQ(w.LB_Hinweis->text(), QStringLiteral("Condensation!"));
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(w.PageFrostLine().startsWith(QStringLiteral("Frost limit -")))
        << w.PageFrostLine().toStdString();
    // The coldest wall as one marker, clear of frost.
    std::vector<ChartPolyline> lines;
    w.AddChartStates(lines);
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 1u);
    EXPECT_EQ(lines[0][0].fill, QColor(Qt::white));
    EXPECT_EQ(lines[0][0].label, QStringLiteral("Coldest wall (return air side)"));
    EXPECT_NEAR(lines[0][0].t, w.Frost()->design.wallMin, 1e-12);
}

// Inch-pound units and another language reach hint and warning.
TEST_F(TavroFrost, HintAndWarningFollowUnitsAndLanguage) {
    TFormTavro& w = Start();
    w.SetUnitSystem(false);
    CurrentLanguage = kGerman;
    messages_.clear();
    Calculate();
    const QString hint = w.LB_Hinweis->text();
    EXPECT_TRUE(hint.contains(QStringLiteral("Einfriergrenze "))) << hint.toStdString();
    EXPECT_TRUE(hint.endsWith(QStringLiteral(" °F"))) << hint.toStdString();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].contains(QStringLiteral("BTU/h"))) << messages_[0].toStdString();
}

TEST_F(TavroFrost, OptionSurvivesARestart) {
    TFormTavro& w = Start();
    w.UseFrostCheck = false;
    Restart();
    EXPECT_FALSE(window_->UseFrostCheck);
    window_->UseFrostCheck = true;
    Restart();
    EXPECT_TRUE(window_->UseFrostCheck);
}

} // namespace
} // namespace tavro
