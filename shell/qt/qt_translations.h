#pragma once

// Qt's own texts (the file and print dialogs, the standard buttons, the
// context menus of edit fields) in the language the program shows. They
// come from Qt's translation files, qtbase_<language>.qm in Qt's
// translations folder (Debian's qt6-translations-l10n).

#include <QString>

namespace tavro {

/// The suffix of Qt's translation files for a language code: "de", "en",
/// "fr", "pl", "zh_CN", "ru"; "en" for any code without texts.
QString QtLanguageSuffix(int code);

/// Replaces the Qt translation of the language shown before with that of
/// `code`, read from QLibraryInfo's translations folder, and so sends every
/// widget a LanguageChange. Returns whether the file of the language could be
/// loaded; without it (the translations package missing, or English, whose
/// file holds only plural forms, absent) Qt shows its English texts. Needs a
/// QCoreApplication; call at start and on every language change.
bool ApplyQtTranslations(int code);

} // namespace tavro
