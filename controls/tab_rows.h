#pragma once

// The layout of a tab bar whose tabs wrap into several rows, as a
// multi-line page control shows them: the tabs keep their order, each row
// takes as many as fit, and the row of the selected tab lies next to the
// pages.

#include <QRect>

#include <vector>

namespace tavro {

/// Where the tabs of a wrapping tab bar lie.
struct TabRows {
    std::vector<QRect> rects; ///< one per tab, in the bar's coordinates; empty for a hidden tab
    std::vector<int> rowOf;   ///< the row of each tab (0: the first tabs), -1 for a hidden tab
    int rows = 0;             ///< number of rows, 0 without tabs
    int height = 0;           ///< of all rows together, pixels
};

/// Lays out tabs of the given widths (pixels; 0 or less: a hidden tab) in
/// rows of at most `width` pixels: each row takes as many of the following
/// tabs as fit, at least one, so a tab wider than `width` has a row of its
/// own. With more than one row every row is stretched to the full width,
/// the extra pixels shared evenly among its tabs. Rows are `rowHeight`
/// high. The row holding tab `current` lies next to the pages (the lowest
/// row when `pagesBelow`, else the highest); the rows after it follow
/// outwards, and those before it after them, as a multi-line tab control
/// turns its rows. A `current` outside the tabs leaves the rows in order.
TabRows LayOutTabRows(const std::vector<int>& widths, int width, int rowHeight, int current,
                      bool pagesBelow);

} // namespace tavro
