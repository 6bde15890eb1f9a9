#include "product/model/result_rows.h"

#include "physics/rounding.h"

#include <cmath>

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

constexpr ShownTable kIn = ShownTable::Inlet;
constexpr ShownTable kVel = ShownTable::VelocityPressureDrop;
constexpr ShownTable kOut = ShownTable::Outlet;
constexpr ShownTable kProc = ShownTable::ProcessData;
constexpr RowRule kAll = RowRule::kAlways;

// clang-format off
const ResultRow kRows[] = {
    // table, row, label, label EU, stream 1, stream 2, stream 1 EU, quantity,
    // decimals SI, IP, unit SI, IP, thousands, rule
    {kIn, 1, "    {16}", nullptr, {Field(&T::SVol11), Field(&T::SVol21)}, None, &kShownVolumeFlow,
     0, 0, Text(410), Unit("scfm"), false, kAll},
    {kIn, 2, "    {33}", nullptr, {Field(&T::MAir11), Field(&T::MAir21)}, None, &kShownMassFlow,
     0, 0, Unit("kg/h"), Unit("lb/h"), false, kAll},
    {kIn, 3, "{9}", nullptr, {None, None}, None, nullptr, 0, 0, Unit(""), Unit(""), false, kAll},
    {kIn, 4, "    {17}", nullptr, {Field(&T::Vol11), Field(&T::Vol21)}, None, &kShownVolumeFlow,
     0, 0, Text(410), Unit("acfm"), false, kAll},
    {kIn, 5, "    {12}", nullptr, {Field(&T::Temp11), Field(&T::Temp21)}, None,
     &kShownTemperature, 1, 1, Text(411), Text(412), false, kAll},
    {kIn, 6, "    {13}", nullptr, {Field(&T::Phi11), Field(&T::Phi21)}, None, nullptr,
     1, 1, Unit("%"), Unit("%"), false, kAll},
    {kIn, 7, "    {14}", nullptr, {Field(&T::X11), Field(&T::X21)}, None, &kShownHumidityRatio,
     2, 1, Unit("g/kg"), Unit("gr/lb"), false, kAll},
    {kIn, 8, "    {51}", nullptr, {Field(&T::WetBulb11), Field(&T::WetBulb21)}, None,
     &kShownTemperature, 1, 1, Text(411), Text(412), false, kAll},
    {kIn, 9, "    {25}", nullptr, {Field(&T::H11), Field(&T::H21)}, None, &kShownEnthalpy,
     1, 1, Unit("kJ/kg"), Unit("BTU/lb"), false, kAll},

    {kVel, 0, "{49}", nullptr, {Field(&T::Vel1), Field(&T::Vel2)}, None, &kShownVelocity,
     2, 0, Unit("m/s"), Unit("fpm"), false, kAll},
    {kVel, 1, "{22}", nullptr, {Field(&T::Dp1), Field(&T::Dp2)}, None, &kShownPressureDrop,
     0, 2, Unit("Pa"), Unit("in.WG"), false, RowRule::kWithinDpDisplay},
    {kVel, 2, "{22} ({24}) ", nullptr, {Field(&T::Dp1Std), Field(&T::Dp2Std)}, None,
     &kShownPressureDrop, 0, 2, Unit("Pa"), Unit("in.WG"), false, RowRule::kWithinDpDisplay},

    {kOut, 0, "{10}", nullptr, {None, None}, None, nullptr, 0, 0, Unit(""), Unit(""), false, kAll},
    {kOut, 1, "    {17}", nullptr, {Field(&T::Vol12), Field(&T::Vol22)}, None, &kShownVolumeFlow,
     0, 0, Text(410), Unit("acfm"), false, kAll},
    {kOut, 2, "    {12}", nullptr, {Field(&T::Temp12), Field(&T::Temp22)}, None,
     &kShownTemperature, 1, 1, Text(411), Text(412), false, kAll},
    {kOut, 3, "    {13}", nullptr, {Field(&T::Phi12), Field(&T::Phi22)}, None, nullptr,
     1, 1, Unit("%"), Unit("%"), false, kAll},
    {kOut, 4, "    {14}", nullptr, {Field(&T::X12), Field(&T::X22)}, None, &kShownHumidityRatio,
     2, 1, Unit("g/kg"), Unit("gr/lb"), false, kAll},
    {kOut, 5, "    {51}", nullptr, {Field(&T::WetBulb12), Field(&T::WetBulb22)}, None,
     &kShownTemperature, 1, 1, Text(411), Text(412), false, kAll},
    {kOut, 6, "    {25}", nullptr, {Field(&T::H12), Field(&T::H22)}, None, &kShownEnthalpy,
     1, 1, Unit("kJ/kg"), Unit("BTU/lb"), false, kAll},

    {kProc, 0, "{47}", "{441}", {Field(&T::Eta1), None}, Field(&T::Eps1), nullptr,
     1, 1, Unit("%"), Unit("%"), false, kAll},
    {kProc, 1, "{48}", "{442}", {Field(&T::Eta1Wet), None}, Field(&T::Eps1Wet), nullptr,
     1, 1, Unit("%"), Unit("%"), false, kAll},
    {kProc, 2, "{560}", nullptr, {{S::kClassText}, None}, None, nullptr,
     0, 0, Unit(""), Unit(""), false, RowRule::kEnergyClass},
    {kProc, 3, "{47} ErP Lot 6", nullptr, {Field(&T::EtaErP), {S::kErpReady}}, None, nullptr,
     1, 1, Unit("%"), Unit("%"), false, RowRule::kEnergyClass},
    {kProc, 4, "{28}", nullptr, {Field(&T::Q1), Field(&T::Q2)}, None, &kShownHeatFlow,
     2, 0, Unit("kW"), Unit("BTU/h"), true, kAll},
    {kProc, 5, "{29}", nullptr, {Field(&T::Q1Wet), Field(&T::Q2Wet)}, None, &kShownHeatFlow,
     2, 0, Unit("kW"), Unit("BTU/h"), true, kAll},
    {kProc, 6, "{41}", nullptr, {Drop(&T::X12, &T::X11), Drop(&T::X22, &T::X21)}, None,
     &kShownHumidityRatio, 2, 2, Unit("g/kg"), Unit("gr/lb"), false, RowRule::kOnlyNegative},
    {kProc, 7, "", nullptr, {Negated(&T::Condensate1), Negated(&T::Condensate2)}, None,
     &kShownMassFlow, 2, 2, Unit("kg/h"), Unit("lb/h"), false, RowRule::kOnlyNegative},
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
    const double shown = row.quantity ? ToShown(*row.quantity, options.si, v) : v;
    return ShownNumber(shown, options.si ? row.decimalsSI : row.decimalsIP, options, row.thousands);
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
            UnitText(options.si ? row.unitSI : row.unitIP, options);
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
    return cells;
}

} // namespace tavro
