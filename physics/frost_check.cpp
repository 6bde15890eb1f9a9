#include "physics/frost_check.h"

#include "physics/cross_flow.h"
#include "physics/moist_air.h"
#include "physics/numeric/errors.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace tavro {

namespace {

constexpr int kBisectionLimit = 64;

void RequireFinite(double v, const char* what) {
    if (!std::isfinite(v)) {
        throw ArithmeticFault(std::string("frost check: ") + what + " is not a finite number");
    }
}

void Validate(const TDatenREK& r) {
    if (r.Status != 0) throw Error("frost check: the record has no successful calculation");
    RequireFinite(r.pbar, "the air pressure");
    RequireFinite(r.Temp11, "the outside-air temperature");
    RequireFinite(r.X11, "the outside-air humidity ratio");
    RequireFinite(r.Temp21, "the return-air temperature");
    RequireFinite(r.X21, "the return-air humidity ratio");
    for (const double v : {r.SVol11, r.Vol11, r.MDry11, r.MAir11})
        RequireFinite(v, "the outside-air flow");
    for (const double v : {r.SVol21, r.Vol21, r.MDry21, r.MAir21})
        RequireFinite(v, "the return-air flow");
}

// The record with the outside air at t (the record's humidity ratio, at
// most saturated) and share of its flow, inlets completed.
TDatenREK Trial(const TDatenREK& r, double t, double share) {
    TDatenREK trial = r;
    trial.AirState = kGivenTempX;
    trial.Temp11 = t;
    const double xs = HumidityRatio(t, 100, r.pbar);
    if (xs > 0) trial.X11 = std::min(r.X11, xs);
    // Whichever flow quantity AirQuant gives, the inlet stage completes the
    // others from it.
    trial.SVol11 *= share;
    trial.Vol11 *= share;
    trial.MDry11 *= share;
    trial.MAir11 *= share;
    trial.TDatenII::CalculateAll();
    if (trial.Status != 0)
        throw ArithmeticFault("frost check: the outside air cannot be completed");
    return trial;
}

FrostCellInput CellInput(const TDatenREK& unit, const CrossFlowTransfer& t, int cells) {
    FrostCellInput in;
    in.area = t.area;
    in.alpha1 = t.alpha1;
    in.alpha2 = t.alpha2;
    in.wallResistance = t.wallResistance;
    in.C1 = t.C1;
    in.C2 = t.C2;
    in.t1 = t.swapped ? unit.Temp21 : unit.Temp11;
    in.t2 = t.swapped ? unit.Temp11 : unit.Temp21;
    in.x2 = std::max(0.0, t.swapped ? unit.X11 : unit.X21);
    in.mDry2 = (t.swapped ? unit.MDry11 : unit.MDry21) / 3600;
    in.p = unit.pbar;
    in.cells = cells;
    return in;
}

// The exchanger of r with the outside air at t and share of its flow. The
// frost criterion and the coldest wall come from the cold-inlet edge of
// every unit; the cell grids (cells > 0) add the frosting share of the
// wall, the heat, the condensate and the supply temperature.
FrostState Evaluate(const TDatenREK& r, double t, double share, int cells) {
    Validate(r);
    RequireFinite(t, "the outside-air temperature");
    if (!(share > 0 && share <= 1)) {
        throw Error("frost check: the share of the outside air must lie above 0 and up to 1");
    }
    const TDatenREK trial = Trial(r, t, share);
    const std::vector<TDatenREK> units =
        trial.Series == 1 ? std::vector<TDatenREK>{trial} : CrossFlowUnits(trial);

    // Units from the series iteration are ordered along the colder stream
    // and carry it as their stream 1; a single unit keeps the record's
    // streams.
    const int n = static_cast<int>(units.size());
    const bool mainSwapped = trial.Temp21 < trial.Temp11;
    const bool stream1IsOutside = n == 1 || !mainSwapped;

    FrostState s;
    int frostCells = 0;
    for (int k = 0; k < n; ++k) {
        const TDatenREK& unit = units[static_cast<size_t>(k)];
        if (unit.Status != 0) throw ArithmeticFault("frost check: a unit's calculation failed");
        const CrossFlowTransfer transfer = CrossFlowTransferOf(unit);
        const FrostCellInput in = CellInput(unit, transfer, std::max(cells, 1));
        const bool outsideIsCold = stream1IsOutside != transfer.swapped;
        const int order = mainSwapped ? n - k : k + 1; // counted from the outside-air inlet

        const FrostEdgeResult e = SolveFrostEdge(in);
        if (e.frost && (s.frostUnit == 0 || order < s.frostUnit)) s.frostUnit = order;
        // The corner of the cold inlet face and the warm outlet face.
        if (s.wallMinUnit == 0 || e.cornerWall < s.wallMin) {
            s.wallMin = e.cornerWall;
            s.wallMinX = e.cornerX;
            s.wallMinUnit = order;
            s.wallMinAlong1 = outsideIsCold ? 0 : 1;
            s.wallMinAlong2 = outsideIsCold ? 1 : 0;
        }
        if (cells <= 0) continue;

        const FrostCellResult c = SolveFrostCells(in);
        frostCells += c.frostCells;
        s.heat += c.heat / 1000;
        s.condensate += c.condensate * 3600;
        if (order == n) s.supplyTemp = outsideIsCold ? c.t1Out : c.t2Out;
    }
    s.frost = s.frostUnit != 0;
    if (cells > 0) {
        s.frostShare = static_cast<double>(frostCells) / (n * static_cast<double>(cells) * cells);
    }
    return s;
}

} // namespace

FrostState FrostAt(const TDatenREK& r, double tOutside, double outsideShare, int cells) {
    if (!(cells >= 1 && cells <= kMaxFrostCells)) {
        throw Error("frost check: the number of cells must lie between 1 and 1000");
    }
    return Evaluate(r, tOutside, outsideShare, cells);
}

FrostCheck CheckFrost(const TDatenREK& r, int cells) {
    SearchCount searchCount;
    Validate(r);
    if (!(r.Temp21 > kFrostSearchLow + kFrostLimitTolerance)) {
        throw Error("frost check: the return air must be warmer than -50 °C");
    }
    FrostCheck check;
    check.design = FrostAt(r, r.Temp11, 1, cells);

    // Every wall is at least as warm as the outside air, and water deposits
    // only on a wall below 0 °C and below the return air's dew point (over
    // ice below 0 °C): outside air at or above both frosts nothing.
    const double hi0 = std::min({r.Temp21, 0.0, DewPoint(r.X21, r.pbar)});
    if (!(hi0 > kFrostSearchLow)) return check;
    const FrostState low = Evaluate(r, kFrostSearchLow, 1, 0);
    if (!low.frost) return check;
    check.hasLimit = true;
    double lo = kFrostSearchLow;
    double hi = hi0;
    int unit = low.frostUnit;
    for (int k = 0; k < kBisectionLimit && hi - lo > kFrostLimitTolerance; ++k) {
        searchCount.Step();
        const double mid = (lo + hi) / 2;
        const FrostState s = Evaluate(r, mid, 1, 0);
        if (s.frost) {
            lo = mid;
            unit = s.frostUnit;
        } else {
            hi = mid;
        }
    }
    check.limit = hi;
    check.limitUnit = unit;
    check.atRisk = r.Temp11 < check.limit;
    if (!check.atRisk) return check;

    check.preheatTemp = check.limit + kFrostPreheatMargin;
    check.preheat =
        r.MDry11 / 3600 *
        (Enthalpy(check.preheatTemp, r.X11, r.pbar) - Enthalpy(r.Temp11, r.X11, r.pbar));

    // Bypass: the share 0 frosts (the design case; a design case within the
    // limit's bracket that does not frost needs none). Below a tenth of the
    // outside air the exchanger leaves the range of its correlations; when
    // that much still frosts, no partial bypass prevents frost.
    double share = 0;
    check.bypassPrevents = true;
    if (check.design.frost) {
        if (Evaluate(r, r.Temp11, 1 - kFrostBypassMax, 0).frost) {
            share = 1;
            check.bypassPrevents = false;
        } else {
            double sLo = 0, sHi = kFrostBypassMax;
            for (int k = 0; k < kBisectionLimit && sHi - sLo > kFrostBypassTolerance; ++k) {
                searchCount.Step();
                const double mid = (sLo + sHi) / 2;
                if (Evaluate(r, r.Temp11, 1 - mid, 0).frost) {
                    sLo = mid;
                } else {
                    sHi = mid;
                }
            }
            share = sHi;
        }
    }
    check.bypassShare = share;
    if (share == 0) {
        check.bypassSupplyTemp = r.Temp12;
    } else if (share == 1) {
        check.bypassSupplyTemp = r.Temp11;
    } else {
        TDatenREK passing = Trial(r, r.Temp11, 1 - share);
        CrossFlowCalculation(passing);
        const double bypassed = r.MDry11 - passing.MDry11;
        check.bypassSupplyTemp =
            MixAir(passing.X12, passing.Temp12, passing.MDry11, r.X11, r.Temp11, bypassed, r.pbar)
                .t;
    }
    return check;
}

} // namespace tavro
