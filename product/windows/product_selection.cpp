// The selection of the product window as a value: what its pages show,
// copied out of the records, the options and the controls.

#include "product/windows/product_window.h"

#include "chart/mollier_window.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"

#include <QLabel>

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
    s.labels.hint = LB_Hinweis->text().toStdString();
    s.labels.outsideAir = LB_Zuluft->text().toStdString();
    s.labels.returnAir = LB_Abluft->text().toStdString();
    s.labels.heating = Edit_Winter->text().toStdString();
    s.labels.cooling = Edit_Sommer->text().toStdString();
    s.chart.type = PsychroChart ? 1 : 0;
    s.chart.pressure = pbar;
    if (const TFormMollier* chart = Mollier()) {
        s.chart.tempRange = chart->TempRange();
        s.chart.humRange = chart->HumRange();
    }
    return s;
}

} // namespace tavro
