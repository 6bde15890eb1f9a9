#pragma once

// Renders the pages of a selection document without any window: the state
// read from the document, its labels worked out again for the language and
// unit system asked for, drawn through SelectionPageOwner into a PDF file
// (the preview's PDF engine) and PNG files (the preview's screen painting).
// Needs the QGuiApplication.

#include "app/sheet/sheet_arguments.h"
#include "product/model/selection_state.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tavro::sheet {

/// Exit codes of tavro-sheet.
inline constexpr int kExitOk = 0;
inline constexpr int kExitWriteFailed = 1;
inline constexpr int kExitBadInput = 2;

/// The state of `stored` as the pages show it with the language and unit
/// system of `args` (each the stored one where not given) and every label
/// worked out for them.
SelectionState StateToRender(SelectionState stored, const SheetArguments& args);

/// The PNG file of one page: PREFIX-<page name>.png.
std::string PngFileName(const std::string& prefix, SheetPage page);

/// The pixel size of an A4 portrait page at `dpi`: 210 × 297 mm, rounded
/// to whole pixels.
int PagePixelsWide(int dpi);
int PagePixelsHigh(int dpi);

/// Loads the document of `args`, renders its pages and writes the files.
/// Writes messages (prefixed "tavro-sheet: ") to `err`. Returns kExitOk,
/// kExitBadInput for a document that cannot be read (the reader's message
/// names the field) or an output file that is the document itself,
/// kExitWriteFailed when a file cannot be written; on
/// failure no file named by `args` is new or changed.
int RenderSheet(const SheetArguments& args, std::ostream& err);

} // namespace tavro::sheet
