#include "product/model/result_rows.h"

#include "physics/numeric/rounding.h"
#include "product/model/frost_messages.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tavro {

namespace {

using T = TDatenREK;
using S = RowSource;

constexpr S None{};
constexpr S Field(double T::*field) {
    return {S::kNumber, field, nullptr, false};
}
constexpr S Drop(double T::*outlet, double T::*inlet) {
    return {S::kNumber, outlet, inlet, false};
}
constexpr S Negated(double T::*field) {
    return {S::kNumber, field, nullptr, true};
}

constexpr RowUnit Text(int n) {
    return {n, ""};
}
constexpr RowUnit Unit(const char* literal) {
    return {0, literal};
}

// The formats of the rows.
constexpr RowFormat kStandardVolume{&kShownVolumeFlow, 0, 0, Text(410), Unit("scfm"), false};
constexpr RowFormat kActualVolume{&kShownVolumeFlow, 0, 0, Text(410), Unit("acfm"), false};
constexpr RowFormat kMassFlow{&kShownMassFlow, 0, 0, Unit("kg/h"), Unit("lb/h"), false};
constexpr RowFormat kTemperature{&kShownTemperature, 1, 1, Text(411), Text(412), false};
constexpr RowFormat kPercent{nullptr, 1, 1, Unit("%"), Unit("%"), false};
constexpr RowFormat kHumidity{&kShownHumidityRatio, 2, 1, Unit("g/kg"), Unit("gr/lb"), false};
constexpr RowFormat kEnthalpy{&kShownEnthalpy, 1, 1, Unit("kJ/kg"), Unit("BTU/lb"), false};
constexpr RowFormat kVelocity{&kShownVelocity, 2, 0, Unit("m/s"), Unit("fpm"), false};
constexpr RowFormat kPressureDrop{&kShownPressureDrop, 0, 2, Unit("Pa"), Unit("in.WG"), false};
constexpr RowFormat kHeatFlow{&kShownHeatFlow, 2, 0, Unit("kW"), Unit("BTU/h"), true};
constexpr RowFormat kHumidityDrop{&kShownHumidityRatio, 2, 2, Unit("g/kg"), Unit("gr/lb"), false};
constexpr RowFormat kCondensate{&kShownMassFlow, 2, 2, Unit("kg/h"), Unit("lb/h"), false};
constexpr RowFormat kText{nullptr, 0, 0, Unit(""), Unit(""), false};

constexpr ShownTable kIn = ShownTable::Inlet;
constexpr ShownTable kVel = ShownTable::VelocityPressureDrop;
constexpr ShownTable kOut = ShownTable::Outlet;
constexpr ShownTable kProc = ShownTable::ProcessData;
constexpr RowRule kAll = RowRule::kAlways;
constexpr RowRule kDp = RowRule::kWithinDpDisplay;
constexpr RowRule kClass = RowRule::kEnergyClass;
constexpr RowRule kNegative = RowRule::kOnlyNegative;

// clang-format off
const ResultRow kRows[] = {
    // table, row, label, label with EU, stream 1 and 2, stream 1 with EU, format, rule
    {kIn, 1, "    {16}", nullptr, {Field(&T::SVol11), Field(&T::SVol21)}, None, kStandardVolume, kAll},
    {kIn, 2, "    {33}", nullptr, {Field(&T::MAir11), Field(&T::MAir21)}, None, kMassFlow, kAll},
    {kIn, 3, "{9}", nullptr, {None, None}, None, kText, kAll},
    {kIn, 4, "    {17}", nullptr, {Field(&T::Vol11), Field(&T::Vol21)}, None, kActualVolume, kAll},
    {kIn, 5, "    {12}", nullptr, {Field(&T::Temp11), Field(&T::Temp21)}, None, kTemperature, kAll},
    {kIn, 6, "    {13}", nullptr, {Field(&T::Phi11), Field(&T::Phi21)}, None, kPercent, kAll},
    {kIn, 7, "    {14}", nullptr, {Field(&T::X11), Field(&T::X21)}, None, kHumidity, kAll},
    {kIn, 8, "    {51}", nullptr, {Field(&T::WetBulb11), Field(&T::WetBulb21)}, None, kTemperature, kAll},
    {kIn, 9, "    {25}", nullptr, {Field(&T::H11), Field(&T::H21)}, None, kEnthalpy, kAll},

    {kVel, 0, "{49}", nullptr, {Field(&T::Vel1), Field(&T::Vel2)}, None, kVelocity, kAll},
    {kVel, 1, "{22}", nullptr, {Field(&T::Dp1), Field(&T::Dp2)}, None, kPressureDrop, kDp},
    {kVel, 2, "{22} ({24}) ", nullptr, {Field(&T::Dp1Std), Field(&T::Dp2Std)}, None, kPressureDrop, kDp},

    {kOut, 0, "{10}", nullptr, {None, None}, None, kText, kAll},
    {kOut, 1, "    {17}", nullptr, {Field(&T::Vol12), Field(&T::Vol22)}, None, kActualVolume, kAll},
    {kOut, 2, "    {12}", nullptr, {Field(&T::Temp12), Field(&T::Temp22)}, None, kTemperature, kAll},
    {kOut, 3, "    {13}", nullptr, {Field(&T::Phi12), Field(&T::Phi22)}, None, kPercent, kAll},
    {kOut, 4, "    {14}", nullptr, {Field(&T::X12), Field(&T::X22)}, None, kHumidity, kAll},
    {kOut, 5, "    {51}", nullptr, {Field(&T::WetBulb12), Field(&T::WetBulb22)}, None, kTemperature, kAll},
    {kOut, 6, "    {25}", nullptr, {Field(&T::H12), Field(&T::H22)}, None, kEnthalpy, kAll},

    {kProc, 0, "{47}", "{441}", {Field(&T::Eta1), None}, Field(&T::Eps1), kPercent, kAll},
    {kProc, 1, "{48}", "{442}", {Field(&T::Eta1Wet), None}, Field(&T::Eps1Wet), kPercent, kAll},
    {kProc, 2, "{560}", nullptr, {{S::kClassText}, None}, None, kText, kClass},
    {kProc, 3, "{47} ErP Lot 6", nullptr, {Field(&T::EtaErP), {S::kErpReady}}, None, kPercent, kClass},
    {kProc, 4, "{28}", nullptr, {Field(&T::Q1), Field(&T::Q2)}, None, kHeatFlow, kAll},
    {kProc, 5, "{29}", nullptr, {Field(&T::Q1Wet), Field(&T::Q2Wet)}, None, kHeatFlow, kAll},
    {kProc, 6, "{41}", nullptr, {Drop(&T::X12, &T::X11), Drop(&T::X22, &T::X21)}, None, kHumidityDrop, kNegative},
    {kProc, 7, "", nullptr, {Negated(&T::Condensate1), Negated(&T::Condensate2)}, None, kCondensate, kNegative},
};
// clang-format on

// A label pattern with every "{n}" replaced by text n.
std::string Label(std::string_view pattern, const ShowOptions& options) {
    std::string out;
    size_t at = 0;
    while (at < pattern.size()) {
        const size_t open = pattern.find('{', at);
        const size_t close = open == std::string_view::npos ? open : pattern.find('}', open);
        if (close == std::string_view::npos) {
            out += pattern.substr(at);
            break;
        }
        out += pattern.substr(at, open - at);
        int n = 0;
        for (size_t i = open + 1; i < close; ++i)
            n = n * 10 + (pattern[i] - '0');
        out += ShownText(n, options);
        at = close + 1;
    }
    return out;
}

std::string UnitText(const RowUnit& unit, const ShowOptions& options) {
    return unit.text > 0 ? ShownText(unit.text, options) : std::string(unit.literal);
}

// The cell of one stream's value; empty when the row's rule hides it.
std::string Value(const ResultRow& row, const RowSource& source, const TDatenREK& r,
                  const ShownFlags& flags, const ShowOptions& options) {
    switch (source.kind) {
    case S::kNone:
        return {};
    case S::kClassText: {
        // The record's class text keeps its point for the settings and the
        // command line; the table shows the chosen separator.
        std::string text = r.HClassText;
        for (char& c : text) {
            if (c == '.') c = options.separators.decimal;
        }
        return text;
    }
    case S::kErpReady: {
        const double erp = std::nearbyint(r.EtaErP * 10) / 10;
        if (erp >= 73) return "(2018 ready)";
        if (erp >= 67) return "(2016 ready)";
        return {};
    }
    case S::kNumber:
        break;
    }
    double v = r.*source.field;
    if (source.base != nullptr) v -= r.*source.base;
    if (source.negate) v = -v;
    if (row.rule == RowRule::kOnlyNegative && !(v < 0)) return {};
    if (row.rule == RowRule::kWithinDpDisplay && v > RoundHalfEven(flags.dpLimit * 1.5)) return {};
    const RowFormat& f = row.format;
    const double shown = f.quantity ? ToShown(*f.quantity, options.si, v) : v;
    return ShownNumber(shown, options.si ? f.decimalsSI : f.decimalsIP, options, f.thousands);
}

// The frost rows of both cases appended to `cells`: the limit row always,
// the preheat and bypass rows when a case is at risk.
void AppendFrostRows(TableCells& cells, const TDatenREK* const cases[2], int columns,
                     const ShowOptions& options) {
    // Labels and units from a check at risk, which has every row.
    FrostCheck full;
    full.hasLimit = full.atRisk = true;
    const std::vector<FrostRow> model = FrostRows(full, options);
    std::vector<FrostRow> rows[2];
    size_t shown = 1;
    for (int c = 0; c < 2 && cases[c] != nullptr; ++c) {
        if (const std::optional<FrostCheck> check = TryCheckFrost(*cases[c])) {
            rows[c] = FrostRows(*check, options);
            shown = std::max(shown, rows[c].size());
        }
    }
    for (size_t i = 0; i < shown && i < model.size(); ++i) {
        std::vector<std::string> line(static_cast<size_t>(columns));
        line[0] = model[i].label;
        line[static_cast<size_t>(columns - 1)] = model[i].unit;
        for (int c = 0; c < 2; ++c) {
            if (i < rows[c].size()) line[static_cast<size_t>(1 + 4 * c)] = rows[c][i].value;
        }
        cells.push_back(std::move(line));
    }
}

} // namespace

std::string_view ShownTableName(ShownTable table) {
    switch (table) {
    case ShownTable::Inlet:
        return "inlet";
    case ShownTable::VelocityPressureDrop:
        return "velocity";
    case ShownTable::Outlet:
        return "outlet";
    case ShownTable::ProcessData:
        return "process";
    }
    return {};
}

std::span<const ResultRow> ResultRows() {
    return kRows;
}

int ShownRowCount(ShownTable table) {
    switch (table) {
    case ShownTable::Inlet:
        return 10;
    case ShownTable::VelocityPressureDrop:
        return 3;
    case ShownTable::Outlet:
        return 7;
    case ShownTable::ProcessData:
        return 8;
    }
    return 0;
}

int ShownRowsMax(ShownTable table, const ShownFlags& flags) {
    const bool frost = table == ShownTable::ProcessData && flags.frost;
    return ShownRowCount(table) + (frost ? kFrostRowsMax : 0);
}

int ShownColumnCount(bool twoCases) {
    return twoCases ? 10 : 6;
}

TableCells ShownCells(ShownTable table, const TDatenREK& record, const TDatenREK* summer,
                      const ShownFlags& flags, const ShowOptions& options) {
    const int columns = ShownColumnCount(summer != nullptr);
    TableCells cells(static_cast<size_t>(ShownRowCount(table)),
                     std::vector<std::string>(static_cast<size_t>(columns)));
    const TDatenREK* cases[2] = {&record, summer};
    for (const ResultRow& row : kRows) {
        if (row.table != table) continue;
        if (row.rule == RowRule::kEnergyClass && !flags.hclass) continue;
        std::vector<std::string>& line = cells[static_cast<size_t>(row.row)];
        line[0] = Label(flags.eu && row.labelEU ? row.labelEU : row.label, options);
        line[static_cast<size_t>(columns - 1)] =
            UnitText(options.si ? row.format.unitSI : row.format.unitIP, options);
        for (int c = 0; c < 2 && cases[c] != nullptr; ++c) {
            for (int s = 0; s < 2; ++s) {
                const RowSource& source = s == 0 && flags.eu && row.streamEU.kind != S::kNone
                                              ? row.streamEU
                                              : row.stream[s];
                line[static_cast<size_t>(1 + 2 * s + 4 * c)] =
                    Value(row, source, *cases[c], flags, options);
            }
        }
    }
    if (table == ShownTable::ProcessData && flags.frost)
        AppendFrostRows(cells, cases, columns, options);
    return cells;
}

} // namespace tavro
