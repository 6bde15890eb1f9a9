#pragma once

// Fonts of the page canvases: a FontSpec as a Qt font in page units, and
// text widths measured with it. Every canvas measures the same way, so a
// page measured while it is recorded lays out as it is drawn.

#include "output/page_canvas.h"

#include <QFont>

namespace tavro {

/// The Qt font of a FontSpec: the face (substituted as the shared fonts
/// are), a pixel size equal to the character height in page units, no
/// hinting, so that widths scale linearly with the size.
QFont MakeQFont(const FontSpec& font);

/// The width of text in this font, in page units (rounded).
int MeasureText(const FontSpec& font, const QString& text);

/// The ascent of the font in page units: the distance from the top of the
/// text cell to the baseline.
double FontAscent(const FontSpec& font);

} // namespace tavro
