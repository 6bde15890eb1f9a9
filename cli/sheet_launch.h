#pragma once

// `tavro-calc sheet ARG...`: the page renderer tavro-sheet, a separate
// program with Qt, run in place of tavro-calc so that tavro-calc itself
// links no Qt.

#include <string>

namespace tavro::cli {

/// The tavro-sheet to run: the one in the folder of `selfExe` (the path
/// of the running tavro-calc) when it is there and executable, else the
/// one in `installBin`; empty when neither is.
std::string SheetProgram(const std::string& selfExe, const std::string& installBin);

/// Replaces the process by tavro-sheet with `argv` (argv[0] included, a
/// null pointer at the end) as its arguments. Returns only on failure,
/// with exit status 2 after a message on stderr that names the folders
/// searched, or 1 when the program was found but could not be started.
int RunSheet(char** argv);

} // namespace tavro::cli
