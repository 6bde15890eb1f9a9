#pragma once

#include "shell/windows/main_window.h"

#include <memory>
#include <string>
#include <string_view>

namespace tavro {

/// Everything the program does before its message loop: the number
/// separators of the user's locale, the start-up of the shell with its
/// splash and the main window with its settings file and records. Needs the
/// QApplication. splashMs 0 skips the splash.
std::unique_ptr<TFormBasis> StartTavro(int splashMs = 2000);

/// Whether the command line asks for the version (--version among the
/// arguments after the program name).
bool AsksForVersion(int argc, const char* const* argv);

/// Whether the command line asks for the usage (--help or -h among the
/// arguments after the program name).
bool AsksForHelp(int argc, const char* const* argv);

/// The usage text `tavro --help` prints, one option a line. Needs no
/// application object.
std::string HelpText();

/// The line `tavro --version` prints: the program file's name, its version
/// text (as the information window shows it) and the build (project
/// version, source revision, build type). Needs no application object.
std::string VersionLine(std::string_view programPath);

} // namespace tavro
