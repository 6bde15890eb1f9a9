#pragma once

// One selection as the pages show it: the calculated records of both
// operating cases, the device, the display options, the offer header and
// notes, and what the result tables and labels show. A plain value: it is
// copied out of the main window and is all that a data sheet, a chart page
// or a description page needs, so that they can be drawn, compared or kept
// without the window.

#include "physics/records.h"
#include "product/model/result_rows.h"
#include "product/model/show_options.h"

#include <array>
#include <set>
#include <string>
#include <vector>

namespace tavro {

/// The labels that the pages print as data, as the window shows them
/// (UTF-8).
struct ShownLabels {
    std::string hint;          ///< the hint line under the tables
    std::string outsideAir;    ///< heading of the outside-air stream
    std::string returnAir;     ///< heading of the return-air stream
    std::string heating;       ///< heading of the heating case
    std::string cooling;       ///< heading of the cooling case
    std::string designation;   ///< model designation of the device
    std::string unitsInSeries; ///< "(n units in series)", empty for one unit
    std::string weight;        ///< weight figure in the shown unit, without the unit

    friend bool operator==(const ShownLabels&, const ShownLabels&) = default;
};

/// How the chart of the selection is drawn.
struct ChartView {
    int type = 0;           ///< 0 Mollier (h-x diagram), 1 Carrier (psychrometric chart)
    int tempRange = 1;      ///< temperature range index, 0 .. 4
    int humRange = 0;       ///< humidity range index, 0 .. 4
    double pressure = 1013; ///< air pressure the chart is drawn for, hPa

    friend bool operator==(const ChartView&, const ChartView&) = default;
};

struct SelectionState {
    // The calculation.
    TDatenREK record;          ///< the heating case, or the only one
    TDatenREK summer;          ///< the cooling case; read when seasonMode is 2
    bool resultsValid = false; ///< whether the records hold results of their inputs
    int seasonMode = 1;        ///< 1 one operating case, 2 heating and cooling case
    bool useSeasons = false;   ///< the cases are headed as heating and cooling
    std::set<int> warnings;    ///< limit-check message numbers of both cases
    bool noErrors = true;      ///< none of the warnings is an error
    int dpLimit = 250;         ///< pressure drop beyond 1.5 times which none is shown, Pa
    int volumeReference = 0;   ///< the air flows given refer to 0 the inlet, 1 the outlet

    // Display options.
    ShowOptions show;       ///< unit system, language, separators
    bool eu = false;        ///< effectiveness rated per AHRI 1060 instead of EN 308
    bool totalEff = false;  ///< with eu: total effectiveness in the process data
    bool hclass = true;     ///< show the energy class
    bool wetBulb = false;   ///< wet bulb beside the dry bulb on the data sheet
    bool frostCheck = true; ///< check the heating case for frost: hint, data-sheet line and
                            ///< the coldest wall point of the chart

    // The device; edge, width, plate type, plate distance, bypass and
    // bypass velocity are fields of the records.
    int design = 10;       ///< form of design code (10, 20, 25, 30, 40, 60)
    int unitsInSeries = 1; ///< 1 .. 4
    int height = 0;        ///< outer dimension H, mm
    int width = 0;         ///< outer dimension B, mm
    int depth = 0;         ///< outer dimension T, mm
    double weight = 0;     ///< kg; 0 when the unit cannot be built

    // Texts of the user.
    std::string caption;                     ///< title of the window, the pages' file name
    bool printOfferHeader = false;           ///< print the offer header on the pages
    std::array<std::string, 8> offerHeader;  ///< offer header lines, UTF-8
    std::vector<std::string> notesDataSheet; ///< data-sheet notes, UTF-8
    std::vector<std::string> notesChart;     ///< chart notes, UTF-8

    // What the window shows of the calculation besides the tables.
    ShownLabels labels;
    ChartView chart;

    /// The record of case c: 0 the heating (or only) case, 1 the cooling
    /// case; any other c gives the heating case.
    const TDatenREK& Case(int c) const { return c == 1 ? summer : record; }
    /// The number of operating cases shown: 2 when seasonMode is 2, else 1.
    int Cases() const { return seasonMode == 2 ? 2 : 1; }

    /// The cells of a result table as the window shows them for this
    /// selection (ShownCells with the state's records, flags and options).
    TableCells Cells(ShownTable table) const;
};

/// Whether every named field of two records is equal; two NaNs of the same
/// field count as equal, so a state equals its own copy whatever it holds.
bool SameRecord(const TDatenREK& a, const TDatenREK& b);

/// Whether two states hold the same selection: every field, the records by
/// SameRecord, the separators with their currency symbol.
bool operator==(const SelectionState& a, const SelectionState& b);

} // namespace tavro
