#pragma once

// Frost check of a calculated exchanger: where the return air, cooled below
// its dew point on the plates, meets a wall below 0 °C, the condensate
// freezes. From the cell model of every unit (physics/frost_cells.h) with the
// heat-transfer data of the exchanger calculation, this finds the frost
// limit (the outside-air temperature below which the exchanger frosts), the
// coldest wall of the design case, and what prevents frost at the design
// case: preheating the outside air or bypassing part of it.
//
// Stream 1 of the record is the outside air, stream 2 the return air.
// Outside air at another temperature keeps the record's humidity ratio, at
// most saturated, and the record's given flow (AirQuant); the return air,
// the pressure and the exchanger stay as they are.

#include "physics/frost_cells.h"
#include "physics/records.h"

namespace tavro {

/// Lowest outside-air temperature the frost limit is searched down to, °C.
inline constexpr double kFrostSearchLow = -50;
/// Width of the bracket the frost limit is found to, K.
inline constexpr double kFrostLimitTolerance = 0.05;
/// Margin above the frost limit that the preheat lifts the outside air to, K.
inline constexpr double kFrostPreheatMargin = 1;
/// Width of the bracket the bypass share is found to (0..1): half a
/// percentage point, the share being shown in whole percent.
inline constexpr double kFrostBypassTolerance = 0.005;
/// Largest partial bypass share searched: below a tenth of the outside air
/// in the exchanger its heat-transfer and pressure-drop correlations leave
/// their range.
inline constexpr double kFrostBypassMax = 0.9;

/// The exchanger at one outside-air state. The frost criterion and the
/// coldest wall come from the cold-inlet edge of every unit
/// (SolveFrostEdge), where the wall is coldest; the figures marked "cells"
/// from the cell grid of every unit (SolveFrostCells).
struct FrostState {
    bool frost = false;       ///< some point of the warm-side wall lies below 0 °C with the air
                              ///< there above saturation over ice at the wall temperature
    int frostUnit = 0;        ///< first unit that frosts, counted from the unit the outside
                              ///< air enters (1..Series); 0 without frost
    double wallMin = 0;       ///< lowest wall temperature on the warm side, °C
    double wallMinX = 0;      ///< humidity ratio of the air at that wall, g/kg (the local warm
                              ///< air, at most saturated at the wall temperature)
    int wallMinUnit = 0;      ///< unit of that wall, counted as frostUnit
    double wallMinAlong1 = 0; ///< its place along the outside air's path through the unit,
                              ///< 0 at the inlet face, 1 at the outlet face
    double wallMinAlong2 = 0; ///< its place along the return air's path, likewise
    double frostShare = 0;    ///< cells: share of the warm-side wall area of all units whose
                              ///< wall frosts, 0..1
    double heat = 0;          ///< cells: heat flow from the warm to the cold stream, all units, kW
    double condensate = 0;    ///< cells: water condensed on the warm side, all units, kg/h
    double supplyTemp = 0;    ///< cells: outside air leaving the exchanger, °C
};

/// The frost check of one calculated record.
struct FrostCheck {
    bool hasLimit = false;  ///< false: no frost with outside air down to kFrostSearchLow
    double limit = 0;       ///< frost limit, °C: outside air below it frosts the exchanger; the
                            ///< lowest frost-free temperature the search met, at most
                            ///< kFrostLimitTolerance above the last frosting one
    int limitUnit = 0;      ///< unit that frosts first just below the limit; 0 without a limit
    FrostState design;      ///< the exchanger at the record's own outside air
    bool atRisk = false;    ///< the record's outside air lies below the frost limit
    double preheatTemp = 0; ///< temperature the preheat lifts the outside air to (limit +
                            ///< kFrostPreheatMargin), °C; 0 when not at risk
    double preheat = 0;     ///< heat that preheat needs, kW; 0 when not at risk
    bool bypassPrevents = false; ///< at risk, and bypassing at most kFrostBypassMax of the
                                 ///< outside air prevents frost
    double bypassShare = 0;      ///< share of the outside air that must bypass the exchanger so
                                 ///< that the rest no longer frosts (to kFrostBypassTolerance,
                                 ///< rounded up); 1 when no partial bypass prevents frost; 0
                                 ///< when not at risk
    double bypassSupplyTemp = 0; ///< supply air after the bypass mixes back with the
                                 ///< exchanger's outlet (exchanger calculation), °C; the
                                 ///< record's Temp12 when not at risk
};

/// The exchanger of the calculated record r with the outside air at
/// tOutside (°C) and outsideShare (0 < share <= 1) of the outside-air flow
/// passing the exchanger. Units in series are taken with their inlet states
/// after the series iteration of the exchanger calculation. cells: the
/// cells along each edge of the model (1..kMaxFrostCells).
///
/// Throws ArithmeticFault when tOutside or a quantity of r that the check
/// reads is not a finite number or the calculation of the changed record
/// fails, and tavro::Error when r has no successful calculation (Status not
/// 0) or outsideShare lies outside (0, 1].
FrostState FrostAt(const TDatenREK& r, double tOutside, double outsideShare = 1,
                   int cells = kFrostCells);

/// The full frost check of the calculated record r: the frost limit by
/// bisection between kFrostSearchLow and the lowest of 0 °C, the return
/// air's temperature and its dew point (no wall can frost above these), the
/// design case, and when the record's outside air lies below the limit the
/// preheat and the bypass share (bisection on the share of the outside air
/// that passes the exchanger). Every search is bounded (at most 64 steps
/// each). Throws as FrostAt, and tavro::Error when the return air is not
/// warmer than kFrostSearchLow.
FrostCheck CheckFrost(const TDatenREK& r, int cells = kFrostCells);

} // namespace tavro
