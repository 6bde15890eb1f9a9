#pragma once

// The layer rectangle of the chart and what must stay inside it: segments
// are cut at its edges, texts whose cell would leave it are not drawn.
// Everything in layer units (0, 0) to kChartLayerSize, y down.

#include "output/page_canvas.h"

#include <QPointF>
#include <QPolygonF>
#include <QString>

namespace tavro {

/// Cuts the segment a–b to the layer rectangle (Liang–Barsky); false when
/// nothing of it lies inside. A segment inside stays exactly as it was.
bool ClipToLayer(QPointF& a, QPointF& b);

/// Whether p lies inside the layer rectangle, its edges included.
bool InsideLayer(const QPointF& p);

/// Whether every corner of `polygon` lies inside the layer rectangle.
bool InsideLayer(const QPolygonF& polygon);

/// The cell of `text` drawn with `font` (its height in layer units) from
/// the reference point `at` of a text output: the top of the cell, at its
/// left end, centre or right end by `align`, turned counter-clockwise (as
/// seen) by the font's angle. Corners in order around the cell.
QPolygonF TextCell(const FontSpec& font, const QString& text, TextAlign align, const QPointF& at);

} // namespace tavro
