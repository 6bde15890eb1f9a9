#pragma once

// Page procedures and the hand-over of a page list to the page preview.

#include <functional>
#include <vector>

class QWidget;

namespace tavro {

class PageOwner;
class TVkCanvas;

/// Draws one complete page in page units of 0.1 mm onto a canvas that the
/// caller has mapped; forPdf is true while the page is recorded for a PDF.
using PageProc = std::function<void(PageOwner& owner, TVkCanvas& canvas, bool forPdf)>;

/// The pages of one view, in page order.
using PageList = std::vector<PageProc>;

/// Shows a page list modally in the page preview; notesCommand, when set,
/// is what the preview's notes button runs.
using PreviewRunner = std::function<void(QWidget* owner, PageOwner& source, const PageList& pages,
                                         std::function<void()> notesCommand)>;

/// Installs the page preview. The program installs it at start.
void SetPreviewRunner(PreviewRunner runner);

/// Whether a preview is installed.
bool PreviewAvailable();

/// Runs the installed preview; returns false (and shows nothing) when no
/// preview is installed.
bool RunPreview(QWidget* owner, PageOwner& source, const PageList& pages,
                std::function<void()> notesCommand);

} // namespace tavro
