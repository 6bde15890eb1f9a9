// tavro-sheet: the pages of a selection document without a display.

#include "app/sheet/sheet_arguments.h"
#include "app/sheet/sheet_render.h"
#include "build_info.h"
#include "shell/qt/fonts.h"
#include "shell/qt/version.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>

namespace {

// Qt's own notes (a missing runtime folder, fonts it falls back from) are
// no concern of the user; its errors are.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "tavro-sheet: " << text.toStdString() << "\n";
}

} // namespace

int main(int argc, char** argv) {
    using namespace tavro::sheet;
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    SheetArguments a;
    try {
        a = ParseSheetArguments(args);
    } catch (const ArgumentError& e) {
        std::cerr << "tavro-sheet: " << e.what() << "\n";
        return kExitBadInput;
    }
    if (a.help) {
        std::cout << SheetHelpText();
        return kExitOk;
    }
    if (a.version) {
        std::cout << "tavro-sheet " << tavro::VersionTextsFor("tavro-sheet").longForm << " (build "
                  << tavro::kBuildText << ")\n";
        return kExitOk;
    }
    // No display is needed: the offscreen platform unless the caller chose one.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == nullptr || *platform == '\0') setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QuietMessages);
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    tavro::InitVersionText();
    tavro::ApplyLanguageFonts();
    return RenderSheet(a, std::cerr);
}
