#pragma once

#include "shell/main_window.h"

#include <memory>

namespace tavro {

/// Everything the program does before its message loop: the number
/// separators of the user's locale, the start-up of the shell with its
/// splash and the main window with its settings file and records. Needs the
/// QApplication. splashMs 0 skips the splash.
std::unique_ptr<TFormBasis> StartTavro(int splashMs = 2000);

} // namespace tavro
