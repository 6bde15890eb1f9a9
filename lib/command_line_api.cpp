// The command line of tavro-calc through the library: the program is a thin
// client that hands its arguments over and prints what comes back.

#include "lib/boundary.h"

#include "cli/commands.h"

#include <sstream>
#include <vector>

extern "C" int tavro_run_command_line(int argc, const char* const* argv, char** out, char** err) {
    if (out == nullptr || err == nullptr) return -TAVRO_BAD_ARGUMENT;
    *out = nullptr;
    *err = nullptr;
    std::string message;
    int exit = tavro::cli::kExitFault;
    const int status = tavro::lib::Guard(&message, [&] {
        if (argc < 0 || (argc > 0 && argv == nullptr)) {
            throw tavro::lib::StatusError(TAVRO_BAD_ARGUMENT, "no arguments");
        }
        std::vector<std::string_view> args;
        for (int i = 0; i < argc; ++i)
            args.push_back(tavro::lib::RequireText(argv[i], "an argument"));
        std::ostringstream outText, errText;
        exit = tavro::cli::Run(args, outText, errText);
        char* o = tavro::lib::CopyOut(outText.str());
        try {
            *err = tavro::lib::CopyOut(errText.str());
        } catch (...) {
            tavro_free(o);
            throw;
        }
        *out = o;
    });
    return status == TAVRO_OK ? exit : -status;
}
