#pragma once

#include "output/page_canvas.h"

namespace tavro {

class PageOwner;

/// The chart page: the frame with title, offer header (when it is printed)
/// and the chart notes, and the chart's grid and process layers stretched
/// into (250, 700) to (1900, 2800). Without a chart only the frame is drawn.
/// The recorded layers serve every target alike, so forPdf changes nothing.
void ChartPage(PageOwner& owner, TVkCanvas& canvas, bool forPdf);

} // namespace tavro
