#include "chart/selection_page_owner.h"

#include "chart/frost_point.h"
#include "chart/mollier_chart.h"
#include "chart/process_lines.h"
#include "output/page_metrics.h"
#include "output/sketch.h"
#include "product/model/shown_labels.h"
#include "shell/qt/fonts.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"

namespace tavro {

namespace {

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

SelectionPageOwner::SelectionPageOwner(SelectionState state)
    : state_(std::move(state)), sketch_(QSize(2970, 1100)), frost_(SelectionFrost(state_)) {
    for (ShownTable table : kShownTables)
        tables_[static_cast<size_t>(table)] = state_.Cells(table);
    // The chart's labels take the selection's separators and fonts.
    const PageLanguageScope scope(state_.show);
    if (state_.record.Line == "Tavro") RecordSketch(sketch_, state_.design, state_.unitsInSeries);
    std::vector<const TDatenREK*> cases;
    for (int c = 0; state_.resultsValid && c < state_.Cases(); ++c)
        cases.push_back(&state_.Case(c));
    // The ranges shown are raised as the chart window raises them, so a
    // state taken before the chart was opened draws the same chart.
    ProcessLines drawn = LinesOfCases(cases, state_.chart.tempRange, state_.chart.humRange);
    if (frost_ && state_.resultsValid) drawn.lines.push_back(ColdestWallPoint(*frost_));
    const ChartSettings s{state_.chart.type == 0 ? 0 : 1, state_.show.si, drawn.tempRange,
                          drawn.humRange, state_.chart.pressure};
    RecordChartLayers(grid_, process_, s, drawn.lines);
}

QString SelectionPageOwner::PageCaption() const {
    return Utf8(state_.caption);
}

QString SelectionPageOwner::PageFrostLine() const {
    return frost_ ? QString::fromStdString(FrostPageLine(*frost_, state_.show)) : QString();
}

QString SelectionPageOwner::PageCell(ResultTable table, int col, int row) const {
    const TableCells& cells = tables_[static_cast<size_t>(table)];
    if (row < 0 || col < 0 || row >= static_cast<int>(cells.size())) return {};
    const auto& line = cells[static_cast<size_t>(row)];
    return col < static_cast<int>(line.size()) ? Utf8(line[static_cast<size_t>(col)]) : QString();
}

QString SelectionPageOwner::PageLabelText(PageLabel label) const {
    const ShownLabels& l = state_.labels;
    switch (label) {
    case PageLabel::Hint:
        return Utf8(l.hint);
    case PageLabel::OutsideAir:
        return Utf8(l.outsideAir);
    case PageLabel::ReturnAir:
        return Utf8(l.returnAir);
    case PageLabel::Heating:
        return Utf8(l.heating);
    case PageLabel::Cooling:
        return Utf8(l.cooling);
    case PageLabel::Designation:
        return Utf8(l.designation);
    case PageLabel::UnitsInSeries:
        return Utf8(l.unitsInSeries);
    case PageLabel::Weight:
        return Utf8(l.weight);
    }
    return {};
}

const Recording* SelectionPageOwner::PageSketch() const {
    return state_.record.Line == "Tavro" ? &sketch_ : nullptr;
}

PageLanguageScope::PageLanguageScope(const ShowOptions& options)
    : language_(CurrentLanguage), decimal_(DecimalSeparator), thousands_(ThousandSeparator) {
    const uint8_t language = IsAvailableLanguage(options.language)
                                 ? static_cast<uint8_t>(options.language)
                                 : static_cast<uint8_t>(kEnglish);
    DecimalSeparator = options.separators.decimal;
    ThousandSeparator = options.separators.thousands;
    if (language != CurrentLanguage) {
        CurrentLanguage = language;
        ApplyLanguageFonts();
    }
}

PageLanguageScope::~PageLanguageScope() {
    DecimalSeparator = decimal_;
    ThousandSeparator = thousands_;
    if (language_ != CurrentLanguage) {
        CurrentLanguage = language_;
        ApplyLanguageFonts();
    }
}

std::vector<Recording> RecordPages(SelectionPageOwner& owner, const PageList& pages, bool forPdf) {
    const PageLanguageScope scope(owner.State().show);
    std::vector<Recording> out;
    out.reserve(pages.size());
    for (const PageProc& page : pages) {
        out.emplace_back(QSize(kSheetWidth, kSheetHeight));
        TWMFCanvas canvas(out.back());
        page(owner, canvas, forPdf);
    }
    return out;
}

} // namespace tavro
