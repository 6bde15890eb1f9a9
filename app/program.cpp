#include "app/program.h"

#include "output/page_preview.h"
#include "product/tavro_window.h"
#include "shell/number_format.h"
#include "shell/qt_pictures.h"
#include "shell/shell_settings.h"
#include "shell/version.h"

#include "build_info.h"

#include <QApplication>

namespace tavro {

namespace {

std::unique_ptr<TFormBasis> CreateMainWindow() {
    // The window creates its settings object and records in FormCreate.
    return std::make_unique<TFormTavro>();
}

} // namespace

std::unique_ptr<TFormBasis> StartTavro(int splashMs) {
    QApplication::setApplicationName(QStringLiteral("tavro"));
    QApplication::setOrganizationName(QStringLiteral("Zelvanor"));
    // The desktop entry's name ties the windows to the launcher's icon.
    QApplication::setDesktopFileName(QStringLiteral("example.zelvanor.Tavro"));
    QApplication::setWindowIcon(ProgramIcon());
    // QApplication has set the C locale from the session.
    SeparatorsFromLocale();
    InstallPagePreview();
    return StartProgram(CreateMainWindow, splashMs);
}

bool AsksForVersion(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--version") return true;
    }
    return false;
}

std::string VersionLine(std::string_view programPath) {
    const size_t slash = programPath.find_last_of('/');
    const std::string_view name =
        slash == std::string_view::npos ? programPath : programPath.substr(slash + 1);
    return std::string(name.empty() ? "tavro" : name) + " " +
           VersionTextsFor(programPath).longForm + " (build " + kBuildText + ")";
}

} // namespace tavro
