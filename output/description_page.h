#pragma once

#include "output/page_canvas.h"

namespace tavro {

class PageOwner;

/// The description resource of a language: 3301 German, 3303 French, 3306
/// Czech, 3307 Polish, 3308 Chinese, 3309 Russian, 3302 (English) for any
/// other code.
int DescriptionResource(int language);

/// The product description page in the current language: the frame with
/// title, the heading "Product description", the description lines with
/// their roles (title line 1, the example's introduction line 31, the
/// table's introduction line 41) in the reduced metrics 31/39, the
/// annotated designation example with its leader lines, the table of the
/// forms of design and the plate-package drawing with its two labels. A
/// missing description resource leaves the lines out.
void DescriptionPage(PageOwner& owner, TVkCanvas& canvas, bool forPdf);

} // namespace tavro
