#include "cli/sheet_launch.h"
#include "tavro/tavro.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    // The pages need Qt, which tavro-calc does not link: another program
    // renders them.
    if (argc > 1 && std::strcmp(argv[1], "sheet") == 0) return tavro::cli::RunSheet(argv + 1);
    char* out = nullptr;
    char* err = nullptr;
    const int status = tavro_run_command_line(argc - 1, argv + 1, &out, &err);
    if (status < 0) {
        std::fprintf(stderr, "tavro-calc: %s\n", tavro_status_name(-status));
        return 1;
    }
    std::fputs(out, stdout);
    std::fputs(err, stderr);
    tavro_free(out);
    tavro_free(err);
    return status;
}
