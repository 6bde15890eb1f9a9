// The device part of the main window's selection: form of design, units in
// series, outer dimensions and weight, the frost check, and the labels as
// the product model works them out.

#include "product/windows/tavro_window.h"

#include "product/model/shown_labels.h"

#include <optional>

namespace tavro {

SelectionState TFormTavro::Selection() const {
    SelectionState s = TFormProdukt::Selection();
    s.design = Design;
    s.unitsInSeries = SeriesCount;
    s.height = DimH;
    s.width = DimB;
    s.depth = DimT;
    s.weight = Weight;
    s.frostCheck = UseFrostCheck;
    const FrostCheck* frost = Frost();
    s.labels = ShownLabelsOf(s, frost ? std::optional<FrostCheck>(*frost) : std::nullopt);
    return s;
}

} // namespace tavro
