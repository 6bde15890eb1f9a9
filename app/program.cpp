#include "app/program.h"

#include "output/page_preview.h"
#include "product/windows/tavro_window.h"
#include "shell/qt/qt_pictures.h"
#include "shell/qt/version.h"
#include "shell/settings/shell_settings.h"
#include "shell/texts/number_format.h"

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

namespace {

bool HasArgument(int argc, const char* const* argv, std::string_view a, std::string_view b) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == a || arg == b) return true;
    }
    return false;
}

} // namespace

bool AsksForVersion(int argc, const char* const* argv) {
    return HasArgument(argc, argv, "--version", "--version");
}

bool AsksForHelp(int argc, const char* const* argv) {
    return HasArgument(argc, argv, "--help", "-h");
}

std::string HelpText() {
    return "Usage: tavro [Qt options]\n"
           "Sizes air-to-air cross-flow plate heat exchangers: the desktop program.\n"
           "\n"
           "Options:\n"
           "  --help      print this text and end\n"
           "  --version   print the version of the program and end\n"
           "\n"
           "The program also takes the options every Qt program takes, such as\n"
           "-platform and -style. For calculations without a window see tavro-calc(1).\n";
}

std::string VersionLine(std::string_view programPath) {
    const size_t slash = programPath.find_last_of('/');
    const std::string_view name =
        slash == std::string_view::npos ? programPath : programPath.substr(slash + 1);
    return std::string(name.empty() ? "tavro" : name) + " " +
           VersionTextsFor(programPath).longForm + " (build " + kBuildText + ")";
}

} // namespace tavro
