#include "product/model/selection_state.h"

#include "physics/record_fields.h"

#include <cmath>
#include <variant>

namespace tavro {

namespace {

bool SameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

template <class T> bool SameValue(const T& a, const T& b) {
    return a == b;
}

bool SameOptions(const ShowOptions& a, const ShowOptions& b) {
    return a.si == b.si && a.language == b.language &&
           a.separators.decimal == b.separators.decimal &&
           a.separators.thousands == b.separators.thousands &&
           a.separators.currency == b.separators.currency;
}

} // namespace

TableCells SelectionState::Cells(ShownTable table) const {
    return ShownCells(table, record, seasonMode == 2 ? &summer : nullptr, {eu, hclass, dpLimit},
                      show);
}

bool SameRecord(const TDatenREK& a, const TDatenREK& b) {
    for (const RecordField& field : RecordFields()) {
        const bool same =
            std::visit([&](auto member) { return SameValue(a.*member, b.*member); }, field.member);
        if (!same) return false;
    }
    return true;
}

bool operator==(const SelectionState& a, const SelectionState& b) {
    return SameRecord(a.record, b.record) && SameRecord(a.summer, b.summer) &&
           a.resultsValid == b.resultsValid && a.seasonMode == b.seasonMode &&
           a.useSeasons == b.useSeasons && a.warnings == b.warnings && a.noErrors == b.noErrors &&
           a.dpLimit == b.dpLimit && a.volumeReference == b.volumeReference &&
           a.totalEff == b.totalEff && SameOptions(a.show, b.show) && a.eu == b.eu &&
           a.hclass == b.hclass && a.wetBulb == b.wetBulb && a.frostCheck == b.frostCheck &&
           a.design == b.design && a.unitsInSeries == b.unitsInSeries && a.height == b.height &&
           a.width == b.width && a.depth == b.depth && SameValue(a.weight, b.weight) &&
           a.caption == b.caption && a.printOfferHeader == b.printOfferHeader &&
           a.offerHeader == b.offerHeader && a.notesDataSheet == b.notesDataSheet &&
           a.notesChart == b.notesChart && a.labels == b.labels && a.chart == b.chart;
}

} // namespace tavro
