#pragma once

// The process lines of a calculation in the moist-air chart: each stream's
// line from its inlet to its outlet state, per operating case, and the
// chart ranges raised so that they hold every state.

#include "chart/chart_data.h"
#include "physics/records.h"

#include <vector>

namespace tavro {

/// The lines of the operating cases and the ranges that hold them.
struct ProcessLines {
    std::vector<ChartPolyline> lines;
    int tempRange = 1;
    int humRange = 0;
};

/// For every record of `cases` (the heating case first, the cooling case
/// second): the return-air line (21 to 22), then the outside-air line (11 to
/// 12), solid for the first case and dotted for any later one. The ranges
/// start at tempRange and humRange and are raised, never lowered, until the
/// highest temperature (°C) and humidity ratio (g/kg) of any state lies
/// inside; applying it twice gives the same ranges. Non-finite states give
/// lines the chart leaves out; a NaN among a case's states may keep that
/// case from raising the ranges.
ProcessLines LinesOfCases(const std::vector<const TDatenREK*>& cases, int tempRange, int humRange);

} // namespace tavro
