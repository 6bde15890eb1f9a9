// The frost check of a record through the C interface.

#include "lib/boundary.h"

#include "lib/record_handle.h"
#include "physics/frost_check.h"

#include <cmath>
#include <string>

using namespace tavro;
using namespace tavro::lib;

extern "C" int tavro_record_frost(tavro_record* record, int* has_limit, double* limit,
                                  double* wall_min, int* wall_unit, double* wall_along1,
                                  double* wall_along2, int* at_risk, double* preheat,
                                  double* bypass_share) {
    if (record == nullptr) return TAVRO_BAD_ARGUMENT;
    return Guard(&record->error, [&] {
        RequirePointer(has_limit, "has_limit");
        RequirePointer(limit, "limit");
        RequirePointer(wall_min, "wall_min");
        RequirePointer(wall_unit, "wall_unit");
        RequirePointer(wall_along1, "wall_along1");
        RequirePointer(wall_along2, "wall_along2");
        RequirePointer(at_risk, "at_risk");
        RequirePointer(preheat, "preheat");
        RequirePointer(bypass_share, "bypass_share");
        TDatenREK r = record->record;
        r.CalculateAll();
        if (r.Status != 0) {
            throw StatusError(TAVRO_CALCULATION_FAULT,
                              "the calculation failed (Status=" + std::to_string(r.Status) +
                                  "); there is no exchanger to check");
        }
        const FrostCheck c = CheckFrost(r);
        // Every figure checked before any is handed out: a failure leaves
        // the caller's variables as they were.
        const double figures[] = {
            c.limit,   c.design.wallMin, c.design.wallMinAlong1, c.design.wallMinAlong2,
            c.preheat, c.bypassShare};
        for (double v : figures) {
            if (!std::isfinite(v)) {
                throw StatusError(TAVRO_CALCULATION_FAULT,
                                  "the frost check has a figure that is not a finite number");
            }
        }
        *has_limit = c.hasLimit ? 1 : 0;
        *limit = c.hasLimit ? c.limit : kFrostSearchLow;
        *wall_min = c.design.wallMin;
        *wall_unit = c.design.wallMinUnit;
        *wall_along1 = c.design.wallMinAlong1;
        *wall_along2 = c.design.wallMinAlong2;
        *at_risk = c.atRisk ? 1 : 0;
        *preheat = c.atRisk ? c.preheat : 0;
        *bypass_share = c.atRisk ? c.bypassShare : 0;
    });
}
