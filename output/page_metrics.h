#pragma once

// The page geometry and the page metrics: every page's frame sets the
// metrics at its start, the page body reads them and may change them for
// itself.

#include "physics/numeric/rounding.h"

#include <QRect>

namespace tavro {

/// The sheet (A4 portrait) and the frame of the printed content, page units.
inline constexpr int kSheetWidth = 2100;
inline constexpr int kSheetHeight = 2970;
inline constexpr int kPageLeft = 250;
inline constexpr int kPageTop = 100;
inline constexpr int kPageRight = 1950;
inline constexpr int kPageBottom = 2870;

/// Text heights and line pitches of the page being drawn.
struct PageMetrics {
    int baseHeight = 34;
    int linePitch = 42;
    int halfPitch = 21;
    int quarterPitch = 10;
    int largeHeight = 41; ///< base × 1.2, rounded
    int smallHeight = 28; ///< base ÷ 1.2, rounded
};

/// The metrics of the page being drawn (one page at a time, on the
/// user-interface thread).
inline PageMetrics Metrics;

/// Sets base height and line pitch with the values derived from them; the
/// half pitch is set only when `halfPitch` is given (the description page
/// keeps the frame's).
inline void SetPageMetrics(int baseHeight, int linePitch, int halfPitch = -1) {
    Metrics.baseHeight = baseHeight;
    Metrics.linePitch = linePitch;
    if (halfPitch >= 0) Metrics.halfPitch = halfPitch;
    Metrics.quarterPitch = linePitch / 4;
    Metrics.largeHeight = RoundHalfEven(baseHeight * 1.2);
    Metrics.smallHeight = RoundHalfEven(baseHeight / 1.2);
}

/// The rectangle from the corner (l, t) to the corner (r, b), the way the
/// pages give rectangles: r and b lie just outside it.
inline QRect Corners(int l, int t, int r, int b) {
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

/// The y of row k: top + k × line pitch.
inline int Row(int k) {
    return kPageTop + k * Metrics.linePitch;
}

/// The fit of the sheet to a printable page of Wp × Hp device pixels: the
/// window extent S (page units) and the device extent P it maps onto.
struct SheetFit {
    int S;
    int P;
};

/// When the page is taller than the sheet's proportion the width limits
/// (S 2100, P Wp); otherwise the height (S 2970, P Hp).
inline SheetFit FitSheet(int Wp, int Hp) {
    if (Hp > double(Wp) / kSheetWidth * kSheetHeight) return {kSheetWidth, Wp};
    return {kSheetHeight, Hp};
}

/// The viewport extent of the screen preview at a zoom in percent: at 350
/// the page is as large as the printer's pixel grid.
inline int PreviewExtent(int zoom, int P) {
    return RoundHalfEven(zoom / 350.0 * P);
}

} // namespace tavro
