#pragma once

// The moist-air chart as two recorded layers of 600 × 800 units: the grid
// (axes, lines of constant humidity ratio, enthalpy, temperature and
// relative humidity, with their labels) and the process layer (the air
// state changes of a calculation). The chart window shows them, the chart
// page prints them; both stretch the grid and then the process layer into
// the same rectangle.

#include "chart/chart_data.h"
#include "chart/chart_ranges.h"
#include "output/recording.h"

#include <QSize>

#include <vector>

namespace tavro {

/// The logical size of both layers, in layer units (one screen pixel at
/// 100 % zoom).
inline constexpr QSize kChartLayerSize{600, 800};

/// Resets `out` to kChartLayerSize and records the grid of the chart `s`
/// into it: an h-x diagram (type 0) or a psychrometric chart (any other
/// type) of the ranges `s.tempRange` and `s.humRange` (clamped to 0 .. 4) at
/// `s.pressure` (hPa), labelled in SI or inch-pound units. Nothing is drawn
/// outside the layer: lines are cut at its edges, a text whose cell would
/// leave it is left out, and the enthalpy axis title is placed clear of
/// the labels drawn before it.
/// Throws ArithmeticFault when the pressure is not a finite number above 0
/// or the physics faults; `out` then holds what was drawn before.
void RecordGridLayer(Recording& out, const ChartSettings& s);

/// Resets `out` to kChartLayerSize and records `lines` into it on the
/// mapping of the grid of `s`: every polyline segment by segment in the
/// colour and style of the segment's first point, then every point as a
/// circle in its fill colour. A point whose state cannot be placed (not
/// finite, a physics fault) is left out together with its two segments;
/// lines are cut at the layer's edges and markers not wholly inside it are
/// not drawn.
/// Never throws: a fault ends the drawing and keeps what was drawn. An
/// empty list records nothing.
void RecordProcessLayer(Recording& out, const ChartSettings& s,
                        const std::vector<ChartPolyline>& lines);

/// Records the grid of `s` into `grid` and `lines` into `process`: what
/// the chart window shows and what a selection's chart page prints. A
/// fault of the grid keeps what it drew; never throws.
void RecordChartLayers(Recording& grid, Recording& process, const ChartSettings& s,
                       const std::vector<ChartPolyline>& lines);

} // namespace tavro
