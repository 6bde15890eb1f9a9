// The chart from the running main window: the diagram command after a
// calculation, the ranges it picks, the chart kind it takes back, the
// chart page in the preview and the product description command.

#include "tests/support/tavro_window_fixture.h"

#include "chart/mollier_window.h"
#include "controls/num_edit.h"
#include "output/page_preview.h"
#include "output/page_preview_window.h"
#include "tests/support/recording_inspector.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace tavro {
namespace {

class TavroChart : public test::TavroWindowTest {
protected:
    void SetUp() override {
        TavroWindowTest::SetUp();
        InstallPagePreview();
        Start();
    }
    void TearDown() override {
        TavroWindowTest::TearDown();
        SetPreviewRunner(nullptr);
    }
    int OnModal(TVkForm& form) override {
        if (auto* chart = dynamic_cast<TFormMollier*>(&form)) {
            ++charts_;
            if (inChart_) inChart_(*chart);
        } else if (auto* preview = dynamic_cast<TFormSeite*>(&form)) {
            ++previews_;
            if (inPreview_) inPreview_(*preview);
        }
        return mrOk;
    }

    std::function<void(TFormMollier&)> inChart_;
    std::function<void(TFormSeite&)> inPreview_;
    int charts_ = 0;
    int previews_ = 0;
};

TEST_F(TavroChart, DiagramNeedsResults) {
    EXPECT_FALSE(window_->Button_Diagramm->isEnabled());
    Calculate();
    EXPECT_TRUE(window_->Button_Diagramm->isEnabled());
    EXPECT_TRUE(window_->MenuItem(QStringLiteral("Menu_Ansicht_Diagramm"))->isEnabled());
}

TEST_F(TavroChart, DrawsBothStreamsAndTakesBackTheChartKind) {
    Calculate();
    size_t lines = 0;
    inChart_ = [&](TFormMollier& chart) {
        EXPECT_EQ(chart.ChartType, 0);
        EXPECT_FALSE(chart.GridLayer().Empty());
        lines = test::Inspect(chart.ProcessLayer()).lines.size();
        chart.SetChartType(1); // the user switches to the psychrometric chart
    };
    window_->Button_Diagramm->click();
    EXPECT_EQ(charts_, 1);
    // Two streams from inlet to outlet.
    EXPECT_GE(lines, 2u);
    EXPECT_TRUE(window_->PsychroChart);
    // The main window's pages read the same layers.
    ASSERT_NE(window_->PageChartGrid(), nullptr);
    EXPECT_EQ(window_->PageChartGrid(), &window_->Mollier()->GridLayer());
}

TEST_F(TavroChart, HumidAirRaisesTheHumidityRange) {
    // Return air at 35 °C and 90 %: about 33 g/kg, above the 20 and 30 g/kg
    // thresholds, so the chart opens on the 40 g/kg range.
    window_->Edit_Temp[0][1]->SetValue(35);
    window_->Edit_Feuchte[0][1]->SetValue(90);
    window_->Aenderung_Daten();
    Calculate();
    int humidity = -1, temperature = -1;
    inChart_ = [&](TFormMollier& chart) {
        humidity = chart.HumRange();
        temperature = chart.TempRange();
    };
    ASSERT_TRUE(window_->Button_Diagramm->isEnabled()) << messages_.size();
    window_->Button_Diagramm->click();
    EXPECT_EQ(humidity, 2);
    EXPECT_EQ(temperature, 1); // the initial 80 °C range holds 35 °C
}

TEST_F(TavroChart, PageButtonShowsTheChartPageWithItsNotes) {
    Calculate();
    QString label;
    bool edit = false;
    inPreview_ = [&](TFormSeite& preview) {
        label = preview.L_Seitenzahl->text();
        edit = preview.Button_Edit->isEnabled();
    };
    inChart_ = [](TFormMollier& chart) { chart.Button_Seite->click(); };
    window_->Button_Diagramm->click();
    EXPECT_EQ(previews_, 1);
    EXPECT_EQ(label, QStringLiteral("Page 1 of 1"));
    EXPECT_TRUE(edit);
}

TEST_F(TavroChart, ProductDescriptionOpensWithoutNotes) {
    EXPECT_TRUE(window_->Button_Produktbeschreibung->isEnabled());
    bool edit = true;
    inPreview_ = [&](TFormSeite& preview) { edit = preview.Button_Edit->isEnabled(); };
    window_->Button_Produktbeschreibung->click();
    EXPECT_EQ(previews_, 1);
    EXPECT_FALSE(edit);
}

} // namespace
} // namespace tavro
