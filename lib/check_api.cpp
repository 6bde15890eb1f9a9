// The limit check of a record through the C interface: the messages it
// raises, their classes and their texts in the caller's display options.

#include "lib/boundary.h"

#include "cli/command_support.h"
#include "lib/record_handle.h"
#include "lib/show_arguments.h"
#include "product/catalogue/catalogue.h"
#include "product/model/frost_messages.h"
#include "product/model/limit_check.h"

#include <algorithm>
#include <optional>
#include <string>

using namespace tavro;
using namespace tavro::lib;

extern "C" int tavro_record_check(tavro_record* record, int design, int dp_limit, int frost,
                                  const char* units, const char* language, const char* separators,
                                  char** json) {
    if (record == nullptr) return TAVRO_BAD_ARGUMENT;
    return Guard(&record->error, [&] {
        RequirePointer(json, "the result pointer");
        const ShowOptions options = ShowArguments(units, language, separators);
        if (design != DesignFromOptions(DesignHasHousing(design), DesignHasBypass(design),
                                        design == kDesignBypassDamper ||
                                            design == kDesignHousingBypassDamper)) {
            throw StatusError(TAVRO_BAD_ARGUMENT, "design: " + std::to_string(design) +
                                                      " is not a form of design "
                                                      "(10, 20, 25, 30, 40, 60)");
        }
        if (dp_limit < 0 || dp_limit > 1000000) {
            throw StatusError(TAVRO_BAD_ARGUMENT, "dp_limit: 0 or from 1 to 1000000 Pa");
        }
        if (frost != 0 && frost != 1) throw StatusError(TAVRO_BAD_ARGUMENT, "frost: 0 or 1");
        // The check judges the inlet stages; a copy is calculated so that
        // the result does not depend on what the caller calculated before.
        TDatenREK checked = record->record;
        checked.CalculateAll();
        const int limit =
            dp_limit != 0 ? dp_limit : DpLimit(std::clamp<int>(checked.Series, 1, 4), checked.Edge);
        const std::optional<FrostCheck> frostCheck =
            frost == 1 ? TryCheckFrost(checked) : std::optional<FrostCheck>();
        const FrostCheck* frostOf = frostCheck ? &*frostCheck : nullptr;
        const LimitResult result = LimitCheck(checked, design, limit, frostOf);
        cli::Json messages = cli::Json::array();
        for (int n : result.messages) {
            messages.push_back(
                {{"number", n},
                 {"class", LimitMessageClass(n) == LimitClass::error ? "error" : "warning"},
                 {"text", LimitMessageText(n, options, frostOf)}});
        }
        const cli::Json out = {{"library_version", TAVRO_VERSION_STRING},
                               {"format_version", TAVRO_FORMAT_VERSION},
                               {"messages", messages},
                               {"error", result.hasError},
                               {"design", design},
                               {"dplimit", limit},
                               {"Status", checked.Status}};
        *json = CopyOut(out.dump(-1, ' ', false, cli::Json::error_handler_t::replace));
    });
}
