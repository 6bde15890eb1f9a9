// The chart feed of the product window: the air-state changes of the
// calculation drawn into the chart window.

#include "product/windows/product_window.h"

#include "chart/mollier_window.h"
#include "output/chart_page.h"
#include "output/notes_dialog.h"
#include "output/page_list.h"

#include <algorithm>
#include <initializer_list>

namespace tavro {

namespace {

// The colours of the two streams' lines and markers.
const QColor kOutsideAir(0, 180, 0);
const QColor kReturnAir(182, 0, 147);

// The chart's line styles: the heating case solid, the cooling case dotted.
constexpr int kHeatingStyle = 0;
constexpr int kCoolingStyle = 2;

// The range index that holds `value`: raised to at least i + 1 for every
// threshold i it exceeds.
int RangeFor(double value, std::initializer_list<double> thresholds, int index) {
    int i = 0;
    for (double limit : thresholds) {
        ++i;
        if (value > limit) index = std::max(index, i);
    }
    return index;
}

ChartPolyline StreamLine(double t1, double x1, double t2, double x2, const QColor& colour,
                         int style) {
    return {{t1, x1, colour, colour, style}, {t2, x2, colour, colour, style}};
}

} // namespace

void TFormProdukt::ShowDiagram(bool show, bool withResults) {
    if (!show && (!mollier_ || !mollier_->isVisible())) return;
    if (!mollier_) {
        mollier_ = new TFormMollier(this);
        mollier_->PageCommand = [this] {
            RunPreview(this, *this, ChartPages, [this] { EditNotes(this, NotesChart); });
        };
    }
    std::vector<ChartPolyline> lines;
    if (withResults) {
        int humidity = mollier_->HumRange();
        int temperature = mollier_->TempRange();
        for (int c = 0; c < Cases(); ++c) {
            const TDatenREK& r = Case(c);
            const double x = std::max({r.X11, r.X12, r.X21, r.X22});
            const double t = std::max({r.Temp11, r.Temp12, r.Temp21, r.Temp22});
            humidity = RangeFor(x, {20, 30, 40, 50}, humidity);
            temperature = RangeFor(t, {60, 80, 100, 120}, temperature);
            const int style = c == 0 ? kHeatingStyle : kCoolingStyle;
            lines.push_back(StreamLine(r.Temp21, r.X21, r.Temp22, r.X22, kReturnAir, style));
            lines.push_back(StreamLine(r.Temp11, r.X11, r.Temp12, r.X12, kOutsideAir, style));
        }
        AddChartStates(lines);
        mollier_->SetRanges(temperature, humidity);
    }
    mollier_->SetChartType(PsychroChart ? 1 : 0);
    mollier_->SetChart(pbar, SI, std::move(lines));
    if (show) {
        mollier_->ShowModal();
        PsychroChart = mollier_->ChartType == 1;
    }
}

TFormMollier* TFormProdukt::Mollier() const {
    return mollier_.data();
}

const Recording* TFormProdukt::PageChartGrid() const {
    return mollier_ ? &mollier_->GridLayer() : nullptr;
}

const Recording* TFormProdukt::PageChartProcess() const {
    return mollier_ ? &mollier_->ProcessLayer() : nullptr;
}

} // namespace tavro
