// The selection of the product window as a value: what its pages show,
// copied out of the records, the options and the controls. The labels are
// the product's to work out.

#include "product/windows/product_window.h"

#include "chart/mollier_window.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"

namespace tavro {

SelectionState TFormProdukt::Selection() const {
    SelectionState s;
    if (Daten) s.record = *Daten;
    if (DatenSommer) s.summer = *DatenSommer;
    s.resultsValid = ResultsValid;
    s.seasonMode = SeasonMode;
    s.useSeasons = UseSeasons;
    s.warnings = Warnings;
    s.noErrors = NoErrors;
    s.dpLimit = DpLimit;
    s.volumeReference = VolumeReference;
    s.show = {SI, CurrentLanguage, CurrentSeparators()};
    s.eu = EU;
    s.totalEff = TotalEff;
    s.hclass = HCLASS;
    s.wetBulb = WB_DB;
    s.caption = PageCaption().toStdString();
    s.printOfferHeader = PrintHeader;
    s.offerHeader = Header;
    s.notesDataSheet = NotesDataSheet;
    s.notesChart = NotesChart;
    s.chart.type = PsychroChart ? 1 : 0;
    s.chart.pressure = pbar;
    if (const TFormMollier* chart = Mollier()) {
        s.chart.tempRange = chart->TempRange();
        s.chart.humRange = chart->HumRange();
    }
    return s;
}

} // namespace tavro
