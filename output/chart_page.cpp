#include "output/chart_page.h"

#include "output/page_frame.h"
#include "output/page_metrics.h"
#include "output/page_owner.h"
#include "output/recording.h"

namespace tavro {

void ChartPage(PageOwner& owner, TVkCanvas& canvas, bool /*forPdf*/) {
    const auto notes = owner.PageNotesChart();
    DrawTitle(owner, canvas, owner.PagePrintOfferHeader(), true, &notes);
    // The chart fills the page below the notes, grid first, the process
    // lines on top.
    const QRect box = Corners(250, 700, 1900, 2800);
    if (const Recording* grid = owner.PageChartGrid()) canvas.PlayRecording(box, *grid);
    if (const Recording* process = owner.PageChartProcess()) canvas.PlayRecording(box, *process);
}

} // namespace tavro
