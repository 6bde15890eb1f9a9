// The desktop program: start-up, main window, message loop.

#include "app/program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto window = tavro::StartTavro();
    return QApplication::exec();
}
