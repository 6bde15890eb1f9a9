// --version of both programs: the version text the information window
// shows, the build, and for the desktop program no display needed.

#include "cli/commands.h"
#include "shell/qt/version.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace tavro {
namespace {

std::string RunProgram(const std::string& commandLine, int& status) {
    FILE* pipe = popen(commandLine.c_str(), "r");
    EXPECT_NE(pipe, nullptr);
    std::string out;
    char buf[4096];
    size_t n;
    while (pipe && (n = fread(buf, 1, sizeof buf, pipe)) > 0)
        out.append(buf, n);
    const int raw = pipe ? pclose(pipe) : -1;
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return out;
}

TEST(Version, CommandLineShowsTheVersionTextOfTheInformationWindow) {
    std::ostringstream out, err;
    const std::vector<std::string_view> args = {"--version"};
    ASSERT_EQ(cli::Run(args, out, err), cli::kExitOk);
    EXPECT_EQ(
        out.str().rfind("tavro-calc " + VersionTextsFor("tavro-calc").longForm + " (build ", 0), 0u)
        << out.str();
}

// `tavro --version` answers before any window exists: with no display and
// a platform plugin that needs one, it still prints its line and exits 0.
TEST(Version, DesktopProgramAnswersWithoutADisplay) {
    int status = -1;
    const std::string out = RunProgram("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb " +
                                           std::string(TAVRO_DESKTOP_PATH) + " --version 2>&1",
                                       status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(out.rfind("tavro " + VersionTextsFor("tavro").longForm + " (build ", 0), 0u) << out;
    EXPECT_EQ(out.find('\n'), out.size() - 1) << out;
}

// `tavro --help` too: the usage, with both options, and no window.
TEST(Version, DesktopProgramPrintsItsUsageWithoutADisplay) {
    int status = -1;
    const std::string out = RunProgram("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb " +
                                           std::string(TAVRO_DESKTOP_PATH) + " --help 2>&1",
                                       status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(out.rfind("Usage: tavro", 0), 0u) << out;
    EXPECT_NE(out.find("--version"), std::string::npos) << out;
}

} // namespace
} // namespace tavro
