#pragma once

// The exchanger sketch: the front view of the chosen form of design for
// every unit in series, with dimension arrows and the letters H, T and B
// that the data sheet's dimension rows refer to.

#include "output/recording.h"

namespace tavro {

/// The process-wide sketch picture, 2970 × 1100 sketch units.
Recording& SketchPicture();

/// Redraws the sketch picture for a design code and n units in series
/// (1 to 4; other numbers are brought into that range). A design without
/// a front view draws the arrows and letters only.
void DrawSketch(int design, int n);

/// Resets `picture` to 2970 × 1100 sketch units and draws the sketch of a
/// design code and n units in series into it, as DrawSketch does.
void RecordSketch(Recording& picture, int design, int n);

/// A line from (x1, y1) to (x2, y2) with an arrow head at each end: a
/// filled triangle 40 long and 20 wide.
void DrawDimensionArrow(TVkCanvas& canvas, int x1, int y1, int x2, int y2);

} // namespace tavro
