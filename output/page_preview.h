#pragma once

// The page preview: one page list of the main window page by page at a
// chosen zoom, printing it and exporting it as a PDF file.

#include "controls/vk_form.h"
#include "output/page_list.h"

#include <functional>

namespace tavro {

class PageOwner;
class TFormSeite;

/// Shows `pages` for the main window `ownerWindow` (the source `owner` of
/// every page) in the preview, modally; editAction, when set, is what the
/// notes button runs. The preview is created on first use and kept.
void DruckVorschau(QWidget* ownerWindow, PageOwner& owner, const PageList& pages,
                   std::function<void()> editAction);

/// Installs DruckVorschau as the program's preview (SetPreviewRunner).
void InstallPagePreview();

/// The preview window, if it has been created.
TFormSeite* PagePreview();

} // namespace tavro
