#include "cli/sheet_launch.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include <limits.h>

#ifndef TAVRO_INSTALL_BINDIR
#define TAVRO_INSTALL_BINDIR "/usr/bin"
#endif

namespace tavro::cli {

namespace {

constexpr const char* kSheetName = "tavro-sheet";

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string SelfExe() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

} // namespace

std::string SheetProgram(const std::string& selfExe, const std::string& installBin) {
    for (const std::string& folder :
         {selfExe.empty() ? std::string() : FolderOf(selfExe), installBin}) {
        if (folder.empty()) continue;
        const std::string path = folder + "/" + kSheetName;
        if (access(path.c_str(), X_OK) == 0) return path;
    }
    return {};
}

int RunSheet(char** argv) {
    const std::string self = SelfExe();
    const std::string program = SheetProgram(self, TAVRO_INSTALL_BINDIR);
    if (program.empty()) {
        std::fprintf(stderr,
                     "tavro-calc: sheet: the page renderer %s is neither in %s nor in %s; "
                     "install the desktop program's package\n",
                     kSheetName, self.empty() ? "?" : FolderOf(self).c_str(), TAVRO_INSTALL_BINDIR);
        return 2;
    }
    argv[0] = const_cast<char*>(program.c_str());
    execv(program.c_str(), argv);
    std::fprintf(stderr, "tavro-calc: sheet: %s cannot be started: %s\n", program.c_str(),
                 std::strerror(errno));
    return 1;
}

} // namespace tavro::cli
