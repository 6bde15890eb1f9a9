#pragma once

// The PDF export: recorded A4 pages written into a PDF document, and the
// hand-over of the finished file to the desktop's viewer.

#include "physics/errors.h"

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
/// empty. "Arial" and "Arial,Bold" are drawn with the standard Helvetica
/// fonts (not embedded) in the code page of the text's character set,
/// except Cyrillic, which Helvetica lacks: the screen's face (Liberation
/// Sans) is embedded for it. Chinese is drawn with the engine's
/// simplified-Chinese fonts; other TrueType fonts are embedded. Throws tavro::Error with a message
/// naming the file when it cannot be written; an existing file is then left as it was.
void WritePdf(const std::string& path, const std::vector<const Recording*>& pages,
              const PdfDocumentInfo& info = {});

/// Opens a document in the desktop's viewer (xdg-open); failures are
/// ignored.
void OpenDocument(const QString& path);

/// Replaces what OpenDocument does (tests observe it instead of starting a
/// viewer); nullptr restores the desktop's viewer.
void SetDocumentOpener(std::function<void(const QString&)> opener);

} // namespace tavro
