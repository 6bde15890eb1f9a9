#include "chart/mollier_window.h"

#include "chart/mollier_chart.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/languages.h"
#include "tests/support/recording_inspector.h"

#include <QAction>
#include <QComboBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>

namespace tavro {
namespace {

std::vector<ChartPolyline> OneLine(double t0 = -12) {
    const QColor green(0, 180, 0);
    return {{{t0, 1.2, green, green, 0}, {4.2, 1.2, green, green, 0}}};
}

QString Title(const TFormMollier& w) {
    const test::Inspection g = test::Inspect(w.GridLayer());
    return g.texts.empty() ? QString() : g.texts.front().text;
}

class MollierWindow : public testing::Test {
protected:
    void SetUp() override { CurrentLanguage = kEnglish; }
    TFormMollier w;
};

TEST_F(MollierWindow, StartsAsAMollierChartOfTheDefaultRangesWithAutoZoom) {
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mollier-Diagramm"));
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w.ChartType, 0);
    EXPECT_EQ(w.TempRange(), 1);
    EXPECT_EQ(w.HumRange(), 0);
    EXPECT_EQ(w.Combo_Carrier->currentText(), QStringLiteral("Mollier"));
    EXPECT_EQ(w.Combo_Carrier->itemText(1), QStringLiteral("Carrier"));
    EXPECT_EQ(w.Combo_Zoom->count(), kChartZoomEntries);
    EXPECT_EQ(w.Combo_Zoom->currentText(), QStringLiteral("Auto"));
    EXPECT_EQ(w.Combo_Temperatur->currentText(), TemperatureRangeItem(true, 1));
    EXPECT_EQ(w.Combo_Feuchte->currentText(), HumidityRangeItem(true, 0));
    EXPECT_EQ(w.GridLayer().Size(), kChartLayerSize);
    EXPECT_FALSE(w.GridLayer().Empty());
    EXPECT_TRUE(w.ProcessLayer().Empty());
    EXPECT_EQ(w.Button_Close->toolTip(), TextOf(151));
    for (const char* name :
         {"Zoom25", "Zoom50", "Zoom75", "Zoom100", "Zoom150", "Zoom200", "ZoomAuto"}) {
        EXPECT_NE(w.findChild<QAction*>(QString::fromLatin1(name)), nullptr) << name;
    }
}

TEST_F(MollierWindow, FixedZoomSizesThePaintBox) {
    const int sizes[][3] = {{0, 150, 200}, {1, 300, 400},  {2, 450, 600},
                            {3, 600, 800}, {4, 900, 1200}, {5, 1200, 1600}};
    for (const auto& [entry, width, height] : sizes) {
        w.Zoom(entry);
        EXPECT_EQ(w.PaintBox1->size(), QSize(width, height)) << entry;
        EXPECT_EQ(w.Combo_Zoom->currentIndex(), entry);
    }
    // The popup menu chooses the same way.
    w.Zoom50->trigger();
    EXPECT_EQ(w.PaintBox1->size(), QSize(300, 400));
}

TEST_F(MollierWindow, AutoZoomFitsThePageIntoTheScrollBox) {
    w.resize(500, 900);
    w.show();
    w.Zoom(kChartZoomAuto);
    const QSize client = w.ScrollBox1->maximumViewportSize();
    EXPECT_EQ(w.ZoomPercent(), ChartAutoZoom(client));
    EXPECT_LE(w.PaintBox1->width(), client.width());
    EXPECT_LE(w.PaintBox1->height(), client.height());
    // A larger window: Auto follows on resize.
    const int before = w.ZoomPercent();
    w.resize(1000, 1400);
    EXPECT_GT(w.ZoomPercent(), before);
    w.hide();
}

TEST(ChartAutoZoom, FitsTheTighterSideAndNeverGoesBelowTenPercent) {
    EXPECT_EQ(ChartAutoZoom({600, 800}), 100);
    EXPECT_EQ(ChartAutoZoom({1200, 800}), 100); // the height limits
    EXPECT_EQ(ChartAutoZoom({300, 2000}), 50);  // the width limits
    EXPECT_EQ(ChartAutoZoom({599, 799}), 99);   // never larger than the box
    EXPECT_EQ(ChartAutoZoom({20, 20}), 10);
    EXPECT_EQ(ChartAutoZoom({0, 0}), 10);
    EXPECT_EQ(ChartAutoZoom({-5, 100}), 10);
}

TEST_F(MollierWindow, PageButtonHidesRunsThePageCommandAndShowsAgain) {
    w.show();
    bool ran = false, visibleDuring = true;
    w.PageCommand = [&] {
        ran = true;
        visibleDuring = w.isVisible();
    };
    w.Button_Seite->click();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(visibleDuring);
    EXPECT_TRUE(w.isVisible());
    // Without a command the window only comes back.
    w.PageCommand = nullptr;
    w.Button_Seite->click();
    EXPECT_TRUE(w.isVisible());
    w.hide();
}

TEST_F(MollierWindow, CloseButtonEndsWithOk) {
    TVkForm::SetModalHook([](TVkForm& form) {
        static_cast<TFormMollier&>(form).Button_Close->click();
        return int(mrCancel);
    });
    EXPECT_EQ(w.ShowModal(), int(mrOk));
    TVkForm::SetModalHook(nullptr);
    EXPECT_FALSE(w.isVisible());
}

// Esc left the modal chart window open, blocking the main window.
TEST_F(MollierWindow, EscClosesTheWindowLikeTheCloseButton) {
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    TVkForm::SetModalHook([](TVkForm& form) {
        static_cast<TFormMollier&>(form).ESC1->trigger();
        return int(mrCancel);
    });
    EXPECT_EQ(w.ShowModal(), int(mrOk));
    TVkForm::SetModalHook(nullptr);
}

TEST_F(MollierWindow, UnitChangeRebuildsTheRangeItemsKeepingTheSelection) {
    w.SetRanges(3, 2);
    w.SetChart(1013.25, false, OneLine());
    EXPECT_EQ(w.Combo_Temperatur->currentIndex(), 3);
    EXPECT_EQ(w.Combo_Feuchte->currentIndex(), 2);
    EXPECT_EQ(w.Combo_Temperatur->itemText(0), QStringLiteral("0 .. 140 °F"));
    EXPECT_EQ(w.Combo_Feuchte->currentText(), QStringLiteral("0 .. 280 gr/lb"));
    EXPECT_TRUE(Title(w).endsWith(QStringLiteral(" atm")));
    w.SetChart(1013.25, true, OneLine());
    EXPECT_EQ(w.Combo_Temperatur->currentText(), QStringLiteral("-20 .. 120 °C"));
    EXPECT_EQ(w.TempRange(), 3);
    EXPECT_EQ(w.HumRange(), 2);
}

TEST_F(MollierWindow, CombosRedrawTheChart) {
    w.Combo_Carrier->setCurrentIndex(1);
    w.Combo_CarrierChange();
    EXPECT_EQ(w.ChartType, 1);
    EXPECT_TRUE(Title(w).startsWith(TextOf(158)));
    w.Combo_Temperatur->setCurrentIndex(4);
    w.Combo_Feuchte->setCurrentIndex(3);
    w.Combo_FeuchteChange();
    EXPECT_EQ(w.TempRange(), 4);
    EXPECT_EQ(w.HumRange(), 3);
    EXPECT_EQ(w.Settings().tempRange, 4);
    w.SetChartType(7); // anything but Mollier is Carrier
    EXPECT_EQ(w.ChartType, 1);
    w.SetChartType(0);
    EXPECT_TRUE(Title(w).startsWith(TextOf(157)));
    w.SetRanges(-3, 99);
    EXPECT_EQ(w.TempRange(), 0);
    EXPECT_EQ(w.HumRange(), 4);
}

TEST_F(MollierWindow, ProcessDataIsDrawnAndBadDataDoesNotCrash) {
    w.SetChart(1013.25, true, OneLine());
    EXPECT_FALSE(w.ProcessLayer().Empty());
    w.SetChart(1013.25, true, OneLine(std::nan("")));
    EXPECT_FALSE(w.GridLayer().Empty());
    w.SetChart(1013.25, true, {});
    EXPECT_TRUE(w.ProcessLayer().Empty());
    // A pressure no chart can be drawn for leaves empty layers, no throw.
    ASSERT_NO_THROW(w.SetChart(std::nan(""), true, OneLine()));
    EXPECT_TRUE(w.ProcessLayer().Empty());
    w.show();
    ASSERT_NO_THROW(w.grab()); // painting empty layers
    w.hide();
}

} // namespace
} // namespace tavro
