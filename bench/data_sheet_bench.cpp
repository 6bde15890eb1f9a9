// The data sheet of the main window's first-start calculation: recording
// the page as the PDF export records it, and writing that page's PDF.

#include "controls/vk_form.h"
#include "output/data_sheet_page.h"
#include "output/pdf_export.h"
#include "output/recording.h"
#include "output/sketch.h"
#include "product/windows/tavro_window.h"
#include "shell/texts/languages.h"

#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace tavro {
namespace {

// One calculated main window on the offscreen platform, on a settings
// folder of its own so the user's settings stay untouched.
TFormTavro& CalculatedWindow() {
    static QTemporaryDir home;
    static std::unique_ptr<TFormTavro> window = [] {
        setenv("XDG_CONFIG_HOME", home.path().toLocal8Bit().constData(), 1);
        CurrentLanguage = kEnglish;
        auto w = std::make_unique<TFormTavro>();
        w->FormCreate();
        // The default case raises the frost warning: answered, as a user
        // would, so that the page carries its frost line.
        TVkForm::SetModalHook([](TVkForm&) { return int(mrOk); });
        w->Button_Berechnen->click();
        TVkForm::SetModalHook(nullptr);
        DrawSketch(w->Design, w->SeriesCount);
        return w;
    }();
    return *window;
}

void RecordDataSheet(benchmark::State& state) {
    TFormTavro& window = CalculatedWindow();
    for (auto _ : state) {
        Recording page;
        {
            TWMFCanvas canvas(page);
            DataSheetPage(window, canvas, true);
        }
        benchmark::DoNotOptimize(page.Commands().size());
    }
}
BENCHMARK(RecordDataSheet)->Unit(benchmark::kMillisecond);

void WriteDataSheetPdf(benchmark::State& state) {
    TFormTavro& window = CalculatedWindow();
    Recording page;
    {
        TWMFCanvas canvas(page);
        DataSheetPage(window, canvas, true);
    }
    QTemporaryDir dir;
    const std::string path = (dir.path() + QStringLiteral("/sheet.pdf")).toStdString();
    for (auto _ : state)
        WritePdf(path, {&page});
}
BENCHMARK(WriteDataSheetPdf)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavro
