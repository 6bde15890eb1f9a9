#pragma once

// The two fonts every window and page shares. Their face names are the
// program's own ("Tahoma", "Arial"); on this platform they resolve to the
// installed Liberation Sans, with WenQuanYi Micro Hei for Chinese.

#include <QFont>

namespace tavro {

/// A shared font and the character set of the language it was set for
/// (1 is the platform default, until a language is applied).
struct SharedFont {
    QFont font;
    int charset = 1;
};

/// Creates both fonts (charset 1) and registers the face substitutions.
/// Needs a QGuiApplication; call once at start, before any window.
void CreateSharedFonts();

/// Frees both fonts at exit.
void FreeSharedFonts();

/// "Tahoma", −11 pixels high: the font of every window's captions.
/// Creates the fonts on first use when CreateSharedFonts was not called.
SharedFont& UiFont();

/// "Arial", 8 point: the font of the chart and the pages.
SharedFont& DrawingFont();

/// Resets both fonts to their faces and sizes, gives them the charset of
/// CurrentLanguage, sets UiCodePage from it and gives menus, tool tips and
/// item views the UI font.
void ApplyLanguageFonts();

} // namespace tavro
