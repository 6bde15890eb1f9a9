// The line tavro-calc --version prints.

#include "cli/command_support.h"

#include "build_info.h"

namespace tavro::cli {

namespace {

// The program's version text, as the desktop program's information window
// shows it (the long form of a program file whose name begins with 'T').
constexpr std::string_view kProgramVersion = "4.2, 11/2016";

} // namespace

std::string VersionLine() {
    return "tavro-calc " + std::string(kProgramVersion) + " (build " + kBuildText + ")";
}

} // namespace tavro::cli
