#pragma once

// The command line of tavro-sheet: which selection document, which pages,
// which files, in which language and unit system. Plain C++; the rendering
// is in sheet_render.h.

#include "physics/numeric/errors.h"

#include <optional>
#include <string>
#include <vector>

namespace tavro::sheet {

/// A command line that cannot be run as given; the message names the
/// argument at fault.
class ArgumentError : public Error {
public:
    using Error::Error;
};

/// The pages that can be rendered, by their names on the command line.
enum class SheetPage { DataSheet, Chart, Description };

/// The page's name on the command line and in PNG file names: "sheet",
/// "chart", "description".
const char* PageName(SheetPage page);

/// The resolutions PNG pages can be rendered at, dots per inch.
inline constexpr int kMinDpi = 30;
inline constexpr int kMaxDpi = 600;

struct SheetArguments {
    bool help = false;
    bool version = false;
    std::string document;  ///< the selection document
    std::string pdf;       ///< the PDF file to write; empty: none
    std::string pngPrefix; ///< PNG files are named PREFIX-<page>.png; empty: none
    int dpi = 150;         ///< resolution of the PNG pages
    std::vector<SheetPage> pages = {SheetPage::DataSheet}; ///< in the order given
    std::optional<int> language; ///< language code overriding the document's
    std::optional<bool> si;      ///< unit system overriding the document's
};

/// Reads the arguments after the program name. --help and --version stand
/// alone and need nothing else. Throws ArgumentError for an unknown option,
/// an option without its value, a second document, a missing document, no
/// --pdf and no --png, a --dpi outside kMinDpi .. kMaxDpi, an unknown or
/// repeated page, an unknown language code (de en fr pl zh ru) or unit
/// system (si ip).
SheetArguments ParseSheetArguments(const std::vector<std::string>& args);

/// The usage text --help prints.
std::string SheetHelpText();

} // namespace tavro::sheet
