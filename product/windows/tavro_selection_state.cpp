// The device part of the main window's selection: form of design, units in
// series, designation, outer dimensions and weight.

#include "product/windows/tavro_window.h"

#include <QLabel>

namespace tavro {

SelectionState TFormTavro::Selection() const {
    SelectionState s = TFormProdukt::Selection();
    s.design = Design;
    s.unitsInSeries = SeriesCount;
    s.height = DimH;
    s.width = DimB;
    s.depth = DimT;
    s.weight = Weight;
    s.labels.designation = Label_Bauform->text().toStdString();
    s.labels.unitsInSeries = Label_AnzahlReihe->text().toStdString();
    s.labels.weight = L_Gewicht->text().toStdString();
    return s;
}

} // namespace tavro
