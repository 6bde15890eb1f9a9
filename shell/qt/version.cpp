#include "shell/qt/version.h"

#include <QCoreApplication>

#include <optional>

namespace tavro {

namespace {

std::optional<VersionTexts>& Current() {
    static std::optional<VersionTexts> texts;
    return texts;
}

const VersionTexts& Texts() {
    if (!Current()) InitVersionText();
    return *Current();
}

} // namespace

VersionTexts VersionTextsFor(std::string_view programFileName) {
    const size_t slash = programFileName.find_last_of("/\\");
    const std::string_view name =
        slash == std::string_view::npos ? programFileName : programFileName.substr(slash + 1);
    const char initial = name.empty() ? '\0' : name.front();
    std::string number;
    switch (initial) {
    case 'T':
    case 't':
        number = "4.2";
        break;
    case 'C':
    case 'c':
        number = "4.4";
        break;
    default:
        number = "4.6";
        break;
    }
    return {number + ", 11/2016", number + ", 11/16"};
}

void InitVersionText() {
    // Without an application object, or when the platform cannot tell the
    // program file, the name is this program's own.
    std::string path;
    if (QCoreApplication::instance() != nullptr) {
        path = QCoreApplication::applicationFilePath().toStdString();
    }
    InitVersionText(path.empty() ? std::string_view("tavro") : std::string_view(path));
}

void InitVersionText(std::string_view programFileName) {
    Current() = VersionTextsFor(programFileName);
}

const std::string& VersionLong() {
    return Texts().longForm;
}

const std::string& VersionShort() {
    return Texts().shortForm;
}

} // namespace tavro
