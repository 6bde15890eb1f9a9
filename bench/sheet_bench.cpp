// The page renderer as a script runs it, whole process: spawn tavro-sheet
// on a selection document written by tavro-calc save, wait for it to write
// the data sheet PDF. Wall-clock time.

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Runs `args` and waits; the exit status, or -1 when it did not exit.
int Spawn(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_SheetPdfWholeProcess(benchmark::State& state) {
    // As on a machine without a display.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tavro-sheet-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string doc = (dir / "offer.tavro").string();
    const std::string pdf = (dir / "offer.pdf").string();
    if (Spawn({TAVRO_CALC_PATH, "save", "AirState=0", "AirQuant=0", "pbar=1013", "SVol11=4000",
               "Temp11=-12", "Phi11=90", "SVol21=3600", "Temp21=22", "Phi21=40", "Edge=600",
               "Width=600", "PType=2", "design=20", "--out", doc}) != 0) {
        state.SkipWithError("tavro-calc save failed");
        return;
    }
    for (auto _ : state) {
        if (Spawn({TAVRO_SHEET_PATH, doc, "--pdf", pdf}) != 0) {
            state.SkipWithError("tavro-sheet failed");
            break;
        }
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SheetPdfWholeProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
