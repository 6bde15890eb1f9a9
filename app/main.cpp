// The desktop program: start-up, main window, message loop.

#include "app/program.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    // Answered before the application object exists: it needs no display.
    if (tavro::AsksForVersion(argc, argv)) {
        std::puts(tavro::VersionLine(argc > 0 ? argv[0] : "tavro").c_str());
        return 0;
    }
    if (tavro::AsksForHelp(argc, argv)) {
        std::fputs(tavro::HelpText().c_str(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    const auto window = tavro::StartTavro();
    return QApplication::exec();
}
