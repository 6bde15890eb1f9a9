#pragma once

// The pages' view of a selection held as a value: a page owner that answers
// every page question from a SelectionState alone, with the exchanger
// sketch and the chart's grid and process layers drawn from the state, so
// that a data sheet, a chart page or a description page can be drawn
// without any window.

#include "output/page_list.h"
#include "output/page_owner.h"
#include "output/recording.h"
#include "physics/frost_check.h"
#include "product/model/selection_state.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tavro {

class SelectionPageOwner : public PageOwner {
public:
    /// Copies the state and records the sketch (for the cross-flow line)
    /// and both chart layers (the process lines only with valid results,
    /// with the coldest wall point of the frost check) in the state's
    /// language and separators.
    /// A pressure the chart cannot be drawn for leaves the grid as far as
    /// it was drawn; it never throws.
    explicit SelectionPageOwner(SelectionState state);

    const SelectionState& State() const { return state_; }

    QString PageCaption() const override;
    bool PageSI() const override { return state_.show.si; }
    int PageSeasonMode() const override { return state_.seasonMode; }
    bool PageUseSeasons() const override { return state_.useSeasons; }
    bool PageWetBulb() const override { return state_.wetBulb; }
    bool PageEU() const override { return state_.eu; }
    bool PageHCLASS() const override { return state_.hclass; }
    std::set<int> PageWarnings() const override { return state_.warnings; }
    /// The frost line of the state's frost check (SelectionFrost), empty
    /// without one.
    QString PageFrostLine() const override;
    int PageDesign() const override { return state_.design; }
    const TDatenREK& PageRecord() const override { return state_.record; }
    QString PageCell(ResultTable table, int col, int row) const override;
    QString PageLabelText(PageLabel label) const override;
    bool PagePrintOfferHeader() const override { return state_.printOfferHeader; }
    std::array<std::string, 8> PageOfferHeader() const override { return state_.offerHeader; }
    std::vector<std::string> PageNotesDataSheet() const override { return state_.notesDataSheet; }
    std::vector<std::string> PageNotesChart() const override { return state_.notesChart; }
    const Recording* PageSketch() const override;
    const Recording* PageChartGrid() const override { return &grid_; }
    const Recording* PageChartProcess() const override { return &process_; }
    /// There is no status bar: messages are dropped.
    void PageStatusMessage(const QString&) override {}

private:
    SelectionState state_;
    std::array<TableCells, std::size(kShownTables)> tables_; ///< by ResultTable
    Recording sketch_;
    Recording grid_;
    Recording process_;
    std::optional<FrostCheck> frost_;
};

/// Puts the process-wide language (with its fonts) and number separators
/// of the pages to those of `options` for its lifetime and restores the
/// previous ones after, so that pages drawn in its scope show the
/// selection's language and separators. A language without texts is taken
/// as English. Nest only in last-in, first-out order.
class PageLanguageScope {
public:
    explicit PageLanguageScope(const ShowOptions& options);
    ~PageLanguageScope();
    PageLanguageScope(const PageLanguageScope&) = delete;
    PageLanguageScope& operator=(const PageLanguageScope&) = delete;

private:
    uint8_t language_;
    char decimal_;
    char thousands_;
};

/// Records every page of `pages` (in page units, 2100 × 2970) for the
/// selection of `owner`, in its language and separators, as the preview
/// records them (forPdf while recording for a PDF). The process's language
/// and separators are as before afterwards, also when a page throws.
std::vector<Recording> RecordPages(SelectionPageOwner& owner, const PageList& pages, bool forPdf);

} // namespace tavro
