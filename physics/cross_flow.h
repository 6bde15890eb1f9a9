#pragma once

#include "physics/records.h"

namespace tavro {

/// The exchanger calculation of the cross-flow line "Tavro" on a record
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

} // namespace tavro
