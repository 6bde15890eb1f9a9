#pragma once

// The splash picture at start: the information window without its border,
// cut down to its picture panel.

#include "shell/windows/info_window.h"

#include <memory>

namespace tavro {

/// A new information window made into the splash picture: no border, the
/// picture panel at 0, 0 with raised bevels and the window exactly the
/// panel's size, so that the version, the notice and the OK button are not
/// shown; centred on the screen, not yet shown. Throws ResourceError as the
/// information window does.
std::unique_ptr<TFormInfo> CreateSplash();

/// Shows the splash picture, paints it at once and keeps it for
/// `milliseconds` while the program does nothing else (no user input is
/// taken), then closes and frees it. When its pictures cannot be loaded the
/// program starts without it.
void ShowSplash(int milliseconds = 2000);

} // namespace tavro
