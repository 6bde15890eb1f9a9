#pragma once

// The program's pictures as Qt pixmaps and icons that stay sharp on scaled
// screens: on a screen with two device pixels per layout pixel a picture is
// shown from its double drawing with devicePixelRatio 2, at the same layout
// size as the picture itself.

#include <QIcon>
#include <QPixmap>
#include <QSize>

#include <string_view>

namespace tavro {

/// The device pixels per layout pixel the windows' pictures are chosen for:
/// the highest of the application's screens (1 without a QGuiApplication).
double ScreenRatio();

/// Picture `number` or `name` as a pixmap for screens of `ratio`: the double
/// drawing with devicePixelRatio 2 from kDoubleDrawingRatio on, where the
/// program has one, otherwise the picture with devicePixelRatio 1. Throws
/// ResourceError when the picture is missing or broken.
QPixmap ScreenPixmap(int number, double ratio = ScreenRatio());
QPixmap ScreenPixmap(std::string_view name, double ratio = ScreenRatio());

/// The size a pixmap takes in a layout: its pixels divided by its
/// devicePixelRatio, rounded to whole layout pixels.
QSize LayoutSize(const QPixmap& pixmap);

/// Picture `number` or `name` as an icon holding the picture and, where the program has
/// one, its double drawing, so that each screen draws the one that fits its
/// scale. Throws ResourceError when the picture is missing or broken.
QIcon ScreenIcon(int number);
QIcon ScreenIcon(std::string_view name);

/// The program icon in every size the program carries (16 to 256 pixels);
/// the sizes that cannot be read are left out, so it may be empty, never
/// an error.
QIcon ProgramIcon();

} // namespace tavro
