#pragma once

// The size list of the preselection: every edge and plate type of the
// catalogue calculated for the current air, its package width sized for a
// pressure-drop target, the candidates that miss the criteria dropped, the
// rest with outer dimensions and performance. Plain C++ without Qt; the
// dialog, the command line and the tests share it. Lengths in mm,
// velocities m/s, pressure drops Pa, temperatures °C, efficiencies %.

#include "physics/records.h"
#include "product/catalogue/catalogue.h" // the bypass velocity range of the design page

#include <array>
#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

/// How the package width of a candidate is found.
enum WidthMode : int {
    kWidthFree = 0,    ///< sized for the pressure-drop target
    kWidthMaximum = 1, ///< sized for the target; the outer width must not exceed the preset
    kWidthExact = 2,   ///< the outer width equals the preset
};

/// What the user asks of a size.
struct SizeCriteria {
    double minEta = 55;     ///< lowest Eta1Wet, %
    int maxDp = 120;        ///< highest pressure drop, Pa
    int widthMode = 0;      ///< WidthMode
    int presetWidth = 1000; ///< outer width of modes 1 and 2, mm
    int design = 10;        ///< form of design code
    int units = 1;          ///< units in serial arrangement, 1..4
    double vBypass = 15;    ///< bypass air velocity, m/s
};

/// The criteria lists of the dialog: minimum efficiencies (%) and maximum
/// pressure drops (Pa, 60 to 340 in steps of 20), with their initial
/// entries 55 % (index 3) and 120 Pa (index 3).
inline constexpr std::array<int, 7> kMinEfficiencies = {40, 45, 50, 55, 60, 65, 70};
inline constexpr std::array<int, 15> kMaxPressureDrops = {60,  80,  100, 120, 140, 160, 180, 200,
                                                          220, 240, 260, 280, 300, 320, 340};
inline constexpr int kInitialMinEfficiencyIndex = 3;
inline constexpr int kInitialMaxPressureDropIndex = 3;

/// What PreselectWidth finds for one edge and plate type.
struct WidthResult {
    bool accepted = false; ///< false: the candidate is rejected outright
    int width = 0;         ///< package width, mm
    double vMax = 0;       ///< higher face velocity of the two streams, m/s
    double dpMax = 0;      ///< higher pressure drop, Pa
    double eta1Wet = 0;    ///< temperature efficiency with condensation, %
    double eps1Wet = 0;    ///< effectiveness with condensation, %
    double temp12 = 0;     ///< outside-air outlet temperature, °C
    std::string hClass;    ///< heat-recovery class "H1" ... "H6", "-" when unclassified
};

/// Sizes the package width of edge `edge` with plate type `ptype` on
/// `record` (whose inlets are complete; GapGiven 0) for the pressure-drop
/// target `targetDp` (Pa) and returns the results of the last calculation.
/// Modes 0 and 1 start from 2 m/s face velocity of the larger stream and
/// correct the width up to five times towards the target, then round it up
/// to a multiple of 5 mm; mode 2 takes the package width that makes the
/// outer width of `design` equal `presetWidth`. Rejected (accepted false)
/// when the edge is below 391 and the target above 180 Pa, or when the
/// record's calculation faults. Leaves the record holding the candidate.
WidthResult PreselectWidth(TDatenREK& record, int design, int edge, int widthMode, int presetWidth,
                           int ptype, double targetDp);

/// One accepted candidate.
struct SizeRow {
    int edge = 0;            ///< mm
    int width = 0;           ///< package width, mm
    int ptype = 0;           ///< plate type 1..6
    double plateGap = 0;     ///< mm
    int H = 0, B = 0, T = 0; ///< outer dimensions, mm
    double vMax = 0;         ///< m/s
    double dpMax = 0;        ///< Pa
    double eta1Wet = 0;      ///< %
    double eps1Wet = 0;      ///< %
    double temp12 = 0;       ///< °C
    std::string hClass;      ///< "H1" ... "H6"
};

/// What BuildSizeList finds.
struct SizeList {
    std::vector<SizeRow> rows; ///< the accepted candidates in catalogue order
    /// The record's inlets could not be completed (a pressure of 0, a
    /// humidity beyond saturation, ...): no candidate was tried.
    bool inletsFailed = false;
    /// The build was abandoned through its cancel flag; `rows` is not the
    /// whole list then.
    bool cancelled = false;
};

/// How BuildSizeList runs.
struct SizeListRun {
    /// Threads the candidates are spread over: 0 for one per hardware
    /// thread, 1 for the calling thread alone. The rows and their order do
    /// not depend on it.
    unsigned threads = 0;
    /// When set and true, the build stops before the next candidate and
    /// returns what it has with `cancelled` set. Checked between candidates.
    const std::atomic<bool>* cancel = nullptr;
    /// When set, counts the candidates done (from any thread); the total is
    /// SizeListCandidates.
    std::atomic<int>* progress = nullptr;
};

/// The number of candidates BuildSizeList tries for `criteria` (edges and
/// plate types of the catalogue that the design admits).
int SizeListCandidates(const SizeCriteria& criteria);

/// The size list: sets the record's GapGiven 0, Series and AirVelBypass
/// from the criteria, runs the inlet stages, then tries every catalogue
/// edge (list order) with every plate type it has (type order) and keeps
/// the candidates that meet the criteria. The candidates are spread over
/// `run.threads` threads, each on its own copy of the record. The record
/// is left holding the last candidate tried. Criteria out of range (units
/// outside 1..4, a width mode other than 0..2, a preset width or maximum
/// pressure drop that is not positive, a bypass velocity that is not
/// positive and finite) throw tavro::Error.
SizeList BuildSizeList(TDatenREK& record, const SizeCriteria& criteria,
                       const SizeListRun& run = {});

/// Formats a number with a fixed count of decimals for a list cell.
using CellNumber = std::function<std::string(double value, int decimals)>;

/// The nine cells of a row as the list shows them: size caption
/// ("600 / 850 - 5.5"), H, B, T, v max, dp max, efficiency (Eps1Wet with
/// `eu`, else Eta1Wet), t 12 and the class; SI or inch-pound per `si`.
/// `number` formats the figures (the decimal separator is its business);
/// without one they get a point.
std::array<std::string, 9> SizeRowCells(const SizeRow& row, bool si, bool eu,
                                        const CellNumber& number = {});

/// The leading number of a cell text: optional blanks, an optional sign,
/// digits with at most one decimal point or comma; the parse stops at the
/// first character that does not belong to it ("600 / 850 - 5.5" gives
/// 600). 0 when the text does not start with a number.
double LeadingNumber(std::string_view text);

/// The order of rows sorted by the leading number of their cell texts:
/// ascending for direction +1, descending for -1; rows with equal numbers
/// keep their relative order. Returns the row indexes in the new order.
std::vector<size_t> SortOrder(const std::vector<std::string>& cells, int direction);

/// The sort state of the list: clicking the current column reverses the
/// direction, clicking another makes it the column with direction +1.
struct SortState {
    int column = 1;
    int direction = 1;
    void Click(int clicked) {
        if (clicked == column) {
            direction = -direction;
        } else {
            column = clicked;
            direction = 1;
        }
    }
};

} // namespace tavro
