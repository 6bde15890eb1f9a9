// The chart feed of the product window: the air-state changes of the
// calculation drawn into the chart window.

#include "product/windows/product_window.h"

#include "chart/mollier_window.h"
#include "chart/process_lines.h"
#include "output/chart_page.h"
#include "output/notes_dialog.h"
#include "output/page_list.h"

namespace tavro {

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
        std::vector<const TDatenREK*> cases;
        for (int c = 0; c < Cases(); ++c)
            cases.push_back(&Case(c));
        ProcessLines drawn = LinesOfCases(cases, mollier_->TempRange(), mollier_->HumRange());
        lines = std::move(drawn.lines);
        AddChartStates(lines);
        mollier_->SetRanges(drawn.tempRange, drawn.humRange);
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
