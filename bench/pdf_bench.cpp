// Writing the PDF of a recorded page the size of a data sheet: about 150
// texts, 80 lines, filled shapes and a nested sketch, in Latin and in
// Chinese text.

#include "output/pdf_export.h"
#include "output/recording.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace tavro {
namespace {

// `charset` 134 gives the rows Chinese labels, which embed the Chinese face.
Recording DataSheetLikePage(int charset = 1) {
    Recording sketch(QSize(1000, 600));
    {
        TRecordingCanvas c(sketch);
        c.SetPen({PenStyle::Solid, 4, Qt::black});
        c.SetBrush({BrushStyle::Solid, QColor(200, 220, 240)});
        c.Rectangle(QRect(100, 100, 800, 400));
        c.SetPen({PenStyle::Dot, 0, Qt::black});
        for (int i = 0; i < 8; ++i)
            c.Line(100 + 100 * i, 100, 100 + 100 * i, 500);
        c.SetFont(FontSpec{.height = 40});
        c.TextOut(120, 20, QStringLiteral("Outdoor air"));
    }
    Recording page;
    TRecordingCanvas c(page);
    FontSpec title;
    title.height = 50;
    title.bold = true;
    c.SetFont(title);
    c.TextOut(150, 150, QStringLiteral("Type: Tavro 20 / 600 / 850 - 5.5 - BY 321"));
    c.SetFont(FontSpec{.charset = charset});
    const QString label = charset == 134 ? QStringLiteral("新风 标准风量 温度效率 %1")
                                         : QStringLiteral("Außenluft Volumenstrom %1");
    // 70 rows of a label and a right-aligned value, each under a rule.
    for (int row = 0; row < 70; ++row) {
        const int y = 300 + 32 * row;
        c.SetTextAlign(TextAlign::Left);
        c.TextOut(150, y, label.arg(row));
        c.SetTextAlign(TextAlign::Right);
        c.TextOut(1300, y, QString::number(1013.25 + row * 17.5, 'f', 2));
        c.Line(150, y + 30, 1300, y + 30);
    }
    c.SetTextAlign(TextAlign::Left);
    for (int i = 0; i < 8; ++i) {
        c.TextOut(1400, 300 + 40 * i, QStringLiteral("Note %1").arg(i));
        c.Line(1400, 330 + 40 * i, 1950, 330 + 40 * i);
    }
    c.SetBrush({BrushStyle::Solid, QColor(40, 90, 200)});
    c.Polygon({{1400, 700}, {1900, 700}, {1650, 1000}});
    c.Ellipse(QRect(1400, 1100, 500, 300));
    c.PlayRecording(QRect(1000, 2400, 1000, 500), sketch);
    return page;
}

void WriteDataSheetLikePdf(benchmark::State& state) {
    const Recording page = DataSheetLikePage();
    QTemporaryDir dir;
    const std::string path = (dir.path() + QStringLiteral("/page.pdf")).toStdString();
    for (auto _ : state)
        WritePdf(path, {&page});
}
BENCHMARK(WriteDataSheetLikePdf)->Unit(benchmark::kMillisecond);

// The same page with Chinese labels: the Chinese face is loaded, subset
// and embedded for every file.
void WriteChineseDataSheetLikePdf(benchmark::State& state) {
    const Recording page = DataSheetLikePage(134);
    QTemporaryDir dir;
    const std::string path = (dir.path() + QStringLiteral("/page.pdf")).toStdString();
    for (auto _ : state)
        WritePdf(path, {&page});
}
BENCHMARK(WriteChineseDataSheetLikePdf)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavro
