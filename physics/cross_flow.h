#pragma once

#include "physics/records.h"

#include <vector>

namespace tavro {

/// The cross-flow calculation of the cross-flow line "Tavro" on a record
/// whose inlet blocks are complete: geometry from the catalogue, outlet
/// states of both streams, dry and wet efficiencies, heat flows,
/// condensate, velocities and pressure drops, for one unit or 2 to 4 units
/// in counter-current series (Series outside 1..4 is clamped into it and
/// written back). Stream 1 is the colder stream inside the calculation; a
/// record with the return air colder is calculated mirrored and ends with
/// each result on its own stream. Throws ArithmeticFault on a fault, and
/// also when the results are not physical (an outlet state that
/// CheckPhysicalState refuses, a temperature efficiency outside 0 to
/// 100 %, a result that is not a finite number); the values written before
/// it stay, and the inlets are always left on their own streams.
void CrossFlowCalculation(TDatenREK& r);

/// Heat-transfer data of one unit as the cross-flow calculation uses it for
/// its dry efficiencies. Stream 1 is the colder inlet, as inside the
/// calculation.
struct CrossFlowTransfer {
    bool swapped = false;      ///< the colder inlet is the record's stream 2
    double area = 0;           ///< heat-exchange area of one unit, m²
    double alpha1 = 0;         ///< convective coefficient on the colder stream's side, W/(m²·K)
    double alpha2 = 0;         ///< convective coefficient on the warmer stream's side, W/(m²·K)
    double wallResistance = 0; ///< conduction resistance of one plate, m²·K/W
    double C1 = 0;             ///< heat capacity flow of the colder stream, W/K
    double C2 = 0;             ///< heat capacity flow of the warmer stream, W/K
};

/// The heat-transfer data of one unit of r's exchanger, computed as
/// CrossFlowCalculation computes them from the completed inlet blocks (the
/// inlet stages suffice) and the product parameters Edge, Width, PType,
/// PlateGap and GapGiven; Series is not read (every unit of a series is
/// alike, each with its own inlets). 1/(1/alpha1 + 1/alpha2 +
/// wallResistance) is the calculation's overall coefficient k, and
/// CrossFlowEff(C1/C2, area·k/C1) its dry efficiency of stream 1. The
/// record is not changed. Throws ArithmeticFault for a geometry or flow
/// that the calculation cannot handle either (no packages, zero free
/// area, a non-finite inlet).
CrossFlowTransfer CrossFlowTransferOf(const TDatenREK& r);

/// The units of r's exchanger as the calculation leaves them:
/// CrossFlowCalculation runs on a copy of r (r itself is not changed).
/// For one unit the result holds that calculated copy (streams as in r); for
/// 2 to 4 units in series the calculated single-unit record of every unit
/// from the last sweep of the series iteration, in the order the colder
/// stream passes them, each with that colder stream as its stream 1. A unit
/// whose own calculation faulted inside the series keeps Status 100.
/// Throws what CrossFlowCalculation throws.
std::vector<TDatenREK> CrossFlowUnits(const TDatenREK& r);

} // namespace tavro
