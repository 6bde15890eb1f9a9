#include "app/program.h"

#include "shell/number_format.h"
#include "shell/pictures.h"
#include "shell/qt_text.h"
#include "shell/shell_settings.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

namespace tavro {

namespace {

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
    // QApplication has set the C locale from the session.
    SeparatorsFromLocale();
    return StartProgram(CreateMainWindow, splashMs);
}

} // namespace tavro
