#pragma once

// The coldest wall point of a frost check as the chart marks it.

#include "chart/chart_data.h"
#include "physics/frost_check.h"

namespace tavro {

/// The one-point line that marks the coldest wall state of the exchanger at
/// the record's own outside air: filled ice blue when the wall frosts there,
/// white when it stays clear, with a dark blue edge, labelled "Coldest wall
/// (return air side)" in the current language.
ChartPolyline ColdestWallPoint(const FrostCheck& check);

} // namespace tavro
