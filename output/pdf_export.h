#pragma once

// The PDF export: recorded A4 pages written into a PDF document, and the
// hand-over of the finished file to the desktop's viewer.

#include "physics/numeric/errors.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace tavro {

class Recording;

/// The document information of an exported file.
struct PdfDocumentInfo {
    std::string author = "Zelvanor GmbH"; ///< the maker's company name
};

/// Writes one PDF page per recorded page (each recorded in page units,
/// 2100 × 2970) into `path`: A4 portrait 210 × 297 mm, zero margins, the
/// recording placed into (0, 0) to (210, 297) mm; page layout single page,
/// viewer preference fit window; author from `info`, creator and title
/// empty. Fonts: Helvetica (not embedded) where it can draw the text,
/// embedded subsets of TrueType faces for everything else (see
/// PdfDocument). The file replaces `path` only when it is complete (see
/// ReplaceFile: links are written through, permissions kept, read-only
/// files refused). Throws tavro::Error with a message naming the file and
/// the cause when it cannot be written; an existing file is then left as
/// it was.
void WritePdf(const std::string& path, const std::vector<const Recording*>& pages,
              const PdfDocumentInfo& info = {});

/// Opens a document in the desktop's viewer. Returns false when no viewer
/// could be started.
bool OpenDocument(const QString& path);

/// What opens a document: returns whether a viewer was started.
using DocumentOpener = std::function<bool(const QString&)>;

/// Replaces what OpenDocument does (tests observe it instead of starting a
/// viewer); nullptr restores the desktop's viewer.
void SetDocumentOpener(DocumentOpener opener);

} // namespace tavro
