// The cells of the four result tables of a record through the C interface,
// in the units, language and separators the caller passes in.

#include "lib/boundary.h"

#include "cli/command_support.h"
#include "lib/record_handle.h"
#include "lib/show_arguments.h"
#include "product/model/result_rows.h"

using namespace tavro;
using namespace tavro::lib;

extern "C" int tavro_record_cells(tavro_record* record, tavro_record* summer, const char* units,
                                  const char* language, const char* separators, int eu, int hclass,
                                  int dp_limit, char** json) {
    if (record == nullptr) return TAVRO_BAD_ARGUMENT;
    return Guard(&record->error, [&] {
        RequirePointer(json, "the result pointer");
        const ShowOptions options = ShowArguments(units, language, separators);
        if (dp_limit < 1 || dp_limit > 100000) {
            throw StatusError(TAVRO_BAD_ARGUMENT, "dp_limit: from 1 to 100000 Pa");
        }
        const ShownFlags flags{eu != 0, hclass != 0, dp_limit};
        cli::Json result = {{"library_version", TAVRO_VERSION_STRING},
                            {"format_version", TAVRO_FORMAT_VERSION}};
        for (ShownTable table : kShownTables) {
            result[std::string(ShownTableName(table))] =
                ShownCells(table, record->record, summer != nullptr ? &summer->record : nullptr,
                           flags, options);
        }
        *json = CopyOut(result.dump(-1, ' ', false, cli::Json::error_handler_t::replace));
    });
}
