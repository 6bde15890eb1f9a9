#pragma once

// The rows of the four result tables of the main window (inlet states, face
// velocity and pressure drop, outlet states, process data) as one table of
// data: each row's label, the record field or derived value it shows, the
// quantity it converts, its units and decimals in SI and inch-pound, and
// when it is shown. ShownCells turns a record (and the cooling case's
// record) into the cells of a table exactly as the window shows them; the
// window, the pages and the command line read the tables through it.

#include "physics/records.h"
#include "physics/unit_conversion.h"
#include "product/model/show_options.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

/// The four result tables, in the order of the pages' ResultTable.
enum class ShownTable { Inlet, VelocityPressureDrop, Outlet, ProcessData };

/// Every table, in order.
inline constexpr ShownTable kShownTables[] = {ShownTable::Inlet, ShownTable::VelocityPressureDrop,
                                              ShownTable::Outlet, ShownTable::ProcessData};

/// The short name of a table: "inlet", "velocity", "outlet", "process"
/// (the keys of the command line's JSON output).
std::string_view ShownTableName(ShownTable table);

/// A unit label: text number `text` of the language when it is not 0, else
/// the literal.
struct RowUnit {
    int text = 0;
    const char* literal = "";
};

/// What a value cell of a row shows for one stream.
struct RowSource {
    enum Kind {
        kNone,      ///< the cell stays empty
        kNumber,    ///< (field − base), negated when `negate`, converted
        kClassText, ///< HClassText with the options' decimal separator
        kErpReady,  ///< "(2016 ready)" / "(2018 ready)" from EtaErP
    };
    Kind kind = kNone;
    double TDatenREK::*field = nullptr;
    double TDatenREK::*base = nullptr; ///< subtracted from field when set
    bool negate = false;
};

/// When a row or its values are shown.
enum class RowRule {
    kAlways,
    kEnergyClass,     ///< label, values and unit only with the HCLASS flag
    kWithinDpDisplay, ///< a value only when not above DpLimit × 1.5 rounded
    kOnlyNegative,    ///< a value only when it is below 0
};

/// How a row's figures are converted and formatted, and its unit.
struct RowFormat {
    const DisplayQuantity* quantity; ///< nullptr: shown as stored (a percentage)
    int decimalsSI;
    int decimalsIP;
    RowUnit unitSI;
    RowUnit unitIP;
    bool thousands; ///< values grouped in thousands
};

/// One row of a result table. Labels are patterns in which "{n}" stands for
/// text n of the language ("    {17}", "{22} ({24}) ").
struct ResultRow {
    ShownTable table;
    int row;             ///< the row of the table
    const char* label;   ///< label pattern
    const char* labelEU; ///< label pattern with the EU flag; nullptr: label
    RowSource stream[2]; ///< value of stream 1 (column 1) and stream 2 (column 3)
    RowSource streamEU;  ///< stream 1's value with the EU flag (kNone: stream[0])
    RowFormat format;
    RowRule rule;
};

/// Every row of every table, in table and row order. Rows not listed are
/// empty.
std::span<const ResultRow> ResultRows();

/// The number of rows of a table: 10, 3, 7, 8.
int ShownRowCount(ShownTable table);

/// What the window shows besides the records.
struct ShownFlags {
    bool eu = false;    ///< effectiveness in place of the temperature efficiency
    bool hclass = true; ///< the energy-class rows of the process table
    int dpLimit = 250;  ///< pressure-drop limit, Pa (values above 1.5 times it stay empty)
    bool frost = false; ///< the frost rows below the process data (kFrostRowsMax at most)
};

/// The most rows the frost flag appends to the process data: the frost
/// limit, and when a case is at risk the preheat and the bypass share.
inline constexpr int kFrostRowsMax = 3;

/// The most rows ShownCells gives for `table` with `flags`: its
/// ShownRowCount, and kFrostRowsMax more for the process data with the frost
/// flag.
int ShownRowsMax(ShownTable table, const ShownFlags& flags);

/// Cells of a table: [row][column].
using TableCells = std::vector<std::vector<std::string>>;

/// The number of columns of the tables: 6 with one case (label, stream 1,
/// gap, stream 2, gap, unit), 10 with the cooling case beside it (its
/// streams in columns 5 and 7, the unit in column 9).
int ShownColumnCount(bool twoCases);

/// The cells of `table` as the window shows them after Calculate: labels
/// in column 0, the values of `record` in columns 1 and 3, those of
/// `summer` (when not null) in columns 5 and 7, the unit in the last
/// column; figures and texts in the options' units, language and
/// separators, in UTF-8. Every cell a row does not fill is empty. Values
/// that are NaN or infinite show as "NAN", "INF", "-INF". With the frost
/// flag the process data gains rows below its ShownRowCount: the frost
/// limit of each case (TryCheckFrost, FrostRows) in the column of its
/// outside air, and when a case is at risk the preheat and the bypass share;
/// a case the check cannot take leaves its cells empty, and a case not at
/// risk its preheat and bypass cells. Never throws except std::bad_alloc.
TableCells ShownCells(ShownTable table, const TDatenREK& record, const TDatenREK* summer,
                      const ShownFlags& flags, const ShowOptions& options);

} // namespace tavro
