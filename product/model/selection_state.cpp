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

const std::string& ShownTable::Cell(int col, int row) const {
    static const std::string none;
    if (row < 0 || col < 0 || row >= static_cast<int>(cells.size())) return none;
    const auto& line = cells[static_cast<size_t>(row)];
    return col < static_cast<int>(line.size()) ? line[static_cast<size_t>(col)] : none;
}

void ShownTable::SetCell(int col, int row, std::string text) {
    if (row < 0 || col < 0) return;
    if (row >= static_cast<int>(cells.size())) cells.resize(static_cast<size_t>(row) + 1);
    auto& line = cells[static_cast<size_t>(row)];
    if (col >= static_cast<int>(line.size())) line.resize(static_cast<size_t>(col) + 1);
    line[static_cast<size_t>(col)] = std::move(text);
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
           a.hclass == b.hclass && a.wetBulb == b.wetBulb && a.design == b.design &&
           a.unitsInSeries == b.unitsInSeries && a.height == b.height && a.width == b.width &&
           a.depth == b.depth && SameValue(a.weight, b.weight) && a.caption == b.caption &&
           a.printOfferHeader == b.printOfferHeader && a.offerHeader == b.offerHeader &&
           a.notesDataSheet == b.notesDataSheet && a.notesChart == b.notesChart &&
           a.tables == b.tables && a.labels == b.labels && a.chart == b.chart;
}

} // namespace tavro
