#include "app/program.h"

#include "shell/number_format.h"
#include "shell/pictures.h"
#include "shell/qt_text.h"
#include "shell/shell_settings.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QPixmap>

namespace tavro {

namespace {

// A separator of the locale as one character; a separator outside ASCII
// (the non-breaking spaces of French or Russian) becomes a plain blank.
char SeparatorOf(const QString& s, char fallback) {
    if (s.isEmpty()) return fallback;
    const QChar c = s.front();
    if (c.unicode() < 0x80) return static_cast<char>(c.unicode());
    return c.isSpace() ? ' ' : fallback;
}

std::unique_ptr<TFormBasis> CreateMainWindow() {
    auto window = std::make_unique<TFormBasis>();
    window->Settings = std::make_unique<TIniDatei>(kSettingsFileName, kSettingsFolder);
    ProductSection = "Tavro";
    window->Daten = std::make_unique<TDatenREK>();
    window->DatenSommer = std::make_unique<TDatenREK>();
    window->setWindowTitle(QStringLiteral("Tavro"));
    return window;
}

} // namespace

std::unique_ptr<TFormBasis> StartTavro(int splashMs) {
    QApplication::setApplicationName(QStringLiteral("tavro"));
    QApplication::setOrganizationName(QStringLiteral("Zelvanor"));
    try {
        QApplication::setWindowIcon(
            QIcon(QPixmap::fromImage(ToQImage(LoadPngResource("TAVRO_ICON")))));
    } catch (const ResourceError&) {
        // The program runs without its icon.
    }
    const QLocale locale = QLocale::system();
    DecimalSeparator = SeparatorOf(locale.decimalPoint(), '.');
    ThousandSeparator = SeparatorOf(locale.groupSeparator(), ',');
    return StartProgram(CreateMainWindow, splashMs);
}

} // namespace tavro
