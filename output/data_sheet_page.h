#pragma once

#include "output/page_canvas.h"

namespace tavro {

class PageOwner;

/// The data sheet of the current calculation: the frame with title, offer
/// header and data-sheet notes, the inlet, outlet and velocity rows as the
/// main window's tables show them, the marks, the model line, the process
/// data, the warnings, the calculation basis, the bypass block, the
/// dimensions and the sketch. A missing value prints nothing.
void DataSheetPage(PageOwner& owner, TVkCanvas& canvas, bool forPdf);

} // namespace tavro
