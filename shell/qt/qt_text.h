#pragma once

// The bridge from the program's 8-bit texts and decoded pictures to Qt.

#include "shell/texts/pictures.h"

#include <QImage>
#include <QString>

#include <string_view>

namespace tavro {

/// A text in UiCodePage (as GetText returns it) as a QString.
QString UiString(std::string_view text);

/// GetText(n) as a QString: every caption of a window passes through this.
QString TextOf(int n);

/// A decoded picture as a QImage (a deep copy).
QImage ToQImage(const Picture& picture);

} // namespace tavro
