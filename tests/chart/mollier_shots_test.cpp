// Renders the chart window and its layers into PNG files for looking at
// them: only when TAVRO_CHART_SHOTS names a folder (scripts/screenshot-chart.sh).

#include "chart/mollier_chart.h"
#include "chart/mollier_window.h"
#include "output/painter_canvas.h"
#include "shell/qt/fonts.h"
#include "shell/texts/languages.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>

namespace tavro {
namespace {

std::vector<ChartPolyline> SampleLines() {
    const QColor green(0, 180, 0), violet(182, 0, 147);
    return {
        {{-12, 1.2, green, green, 0}, {4.2, 1.2, green, green, 0}},
        {{22, 6.6, violet, violet, 0}, {9.9, 4.9, violet, violet, 0}},
    };
}

// Both layers played into an image of `scale` times the layer size.
QImage Layers(const TFormMollier& w, int scale) {
    QImage image(kChartLayerSize * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TPainterCanvas canvas(painter);
    const QRect r(QPoint(0, 0), image.size());
    w.GridLayer().Play(canvas, r);
    w.ProcessLayer().Play(canvas, r);
    return image;
}

TEST(ChartShots, RenderWindowAndLayers) {
    const char* folder = std::getenv("TAVRO_CHART_SHOTS");
    if (!folder || !*folder) GTEST_SKIP() << "TAVRO_CHART_SHOTS is not set";
    const QDir out(QString::fromLocal8Bit(folder));
    ASSERT_TRUE(out.mkpath(QStringLiteral(".")));
    const uint8_t language = CurrentLanguage;
    for (const auto& [code, tag] : {std::pair{kEnglish, "en"}, std::pair{kGerman, "de"}}) {
        CurrentLanguage = code;
        ApplyLanguageFonts();
        for (const int type : {0, 1}) {
            for (const bool si : {true, false}) {
                TFormMollier w;
                w.SetChart(1013.25, si, SampleLines());
                w.SetChartType(type);
                w.resize(700, 960);
                w.show();
                const QString name = QStringLiteral("chart-%1-%2-%3")
                                         .arg(type == 0 ? "mollier" : "carrier")
                                         .arg(si ? "si" : "ip")
                                         .arg(QLatin1String(tag));
                EXPECT_TRUE(w.grab().save(out.filePath(name + QStringLiteral("-window.png"))));
                EXPECT_TRUE(Layers(w, 2).save(out.filePath(name + QStringLiteral("-layers.png"))));
                w.SetRanges(4, 4);
                EXPECT_TRUE(Layers(w, 2).save(out.filePath(name + QStringLiteral("-wide.png"))));
                w.hide();
            }
        }
    }
    CurrentLanguage = language;
    ApplyLanguageFonts();
}

// The widest temperature ranges at the site pressures below sea level's,
// with the layers played into a rectangle inside a larger picture (as the
// chart page plays them into its box) whose outline is drawn in red:
// anything outside the outline would fall on the page around the chart.
TEST(ChartShots, RenderLowPressuresInsideTheirRectangle) {
    const char* folder = std::getenv("TAVRO_CHART_SHOTS");
    if (!folder || !*folder) GTEST_SKIP() << "TAVRO_CHART_SHOTS is not set";
    const QDir out(QString::fromLocal8Bit(folder));
    ASSERT_TRUE(out.mkpath(QStringLiteral(".")));
    CurrentLanguage = kEnglish;
    ApplyLanguageFonts();
    for (const double p : {600.0, 845.0, 977.0}) {
        for (const int type : {0, 1}) {
            for (const bool si : {true, false}) {
                for (const int tempRange : {3, 4}) {
                    TFormMollier w;
                    w.SetChart(p, si, SampleLines());
                    w.SetChartType(type);
                    w.show(); // the window is made on its first showing
                    w.SetRanges(tempRange, 0);
                    const int margin = 150;
                    QImage image(kChartLayerSize + QSize(2 * margin, 2 * margin),
                                 QImage::Format_RGB32);
                    image.fill(QColor(235, 235, 235));
                    QPainter painter(&image);
                    const QRect r(QPoint(margin, margin), kChartLayerSize);
                    painter.fillRect(r, Qt::white);
                    TPainterCanvas canvas(painter);
                    w.GridLayer().Play(canvas, r);
                    w.ProcessLayer().Play(canvas, r);
                    painter.setPen(Qt::red);
                    painter.setBrush(Qt::NoBrush);
                    painter.drawRect(r.adjusted(-1, -1, 0, 0));
                    painter.end();
                    const QString name = QStringLiteral("low-%1-%2-%3-t%4.png")
                                             .arg(int(p))
                                             .arg(type == 0 ? "mollier" : "carrier")
                                             .arg(si ? "si" : "ip")
                                             .arg(tempRange);
                    EXPECT_TRUE(image.save(out.filePath(name)));
                    w.hide();
                }
            }
        }
    }
}

} // namespace
} // namespace tavro
