#include "physics/frost_cells.h"

#include "physics/moist_air.h"
#include "physics/numeric/errors.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tavro {

namespace {

constexpr int kRootStepLimit = 100;   // Illinois steps for one wall temperature
constexpr int kBracketStepLimit = 60; // doubling steps above a supersaturated warm air

void RequireFinite(double v, const char* what) {
    if (!std::isfinite(v)) {
        throw ArithmeticFault(std::string("frost cell model: ") + what + " is not a finite number");
    }
}

void Require(bool ok, const char* what) {
    if (!ok) throw Error(std::string("frost cell model: ") + what);
}

void Validate(const FrostCellInput& in, int cells) {
    RequireFinite(in.area, "the area");
    RequireFinite(in.alpha1, "the colder side's heat-transfer coefficient");
    RequireFinite(in.alpha2, "the warmer side's heat-transfer coefficient");
    RequireFinite(in.wallResistance, "the wall resistance");
    RequireFinite(in.C1, "the colder stream's capacity flow");
    RequireFinite(in.C2, "the warmer stream's capacity flow");
    RequireFinite(in.mDry2, "the warmer stream's dry-air mass flow");
    RequireFinite(in.t1, "the colder inlet temperature");
    RequireFinite(in.t2, "the warmer inlet temperature");
    RequireFinite(in.x2, "the warmer inlet humidity ratio");
    RequireFinite(in.p, "the air pressure");
    Require(in.area > 0, "the area must be positive");
    Require(in.alpha1 > 0 && in.alpha2 > 0, "the heat-transfer coefficients must be positive");
    Require(in.wallResistance >= 0, "the wall resistance must not be negative");
    Require(in.C1 > 0 && in.C2 > 0 && in.mDry2 > 0, "the flows must be positive");
    Require(in.t2 >= in.t1, "the warmer inlet must not be colder than the colder inlet");
    Require(in.x2 >= 0, "the humidity ratio must not be negative");
    Require(in.p > 0, "the air pressure must be positive");
    Require(cells >= 1 && cells <= kMaxFrostCells,
            "the number of cells must lie between 1 and 1000");
}

// The conductances of one cell, each taken with the mean of the cell's inlet
// and outlet state on its own side: with q the heat through the cell,
// warm film q_s = gs·(t2 − tw), plate and cold film q = gw·(tw − t1),
// condensate m = gm·(x2 − xs(tw))/1000 (kg/s), t2, x2 and t1 the cell's
// inlet values.
struct Conductances {
    double gs = 0; // W/K
    double gw = 0; // W/K
    double gm = 0; // kg/s
};

Conductances CellConductances(const FrostCellInput& in) {
    const double n = in.cells;
    const double a = in.area / (n * n);
    const double c1 = in.C1 / n;
    const double c2 = in.C2 / n;
    const double u1 = 1 / (in.wallResistance + 1 / in.alpha1);
    Conductances g;
    g.gs = in.alpha2 * a / (1 + in.alpha2 * a / (2 * c2));
    g.gw = u1 * a / (1 + u1 * a / (2 * c1));
    // Lewis analogy: mass-transfer coefficient alpha2 / cp of the warm air,
    // cp = C2 / mDry2; the cell-mean correction is the same as for gs.
    g.gm = g.gs / (in.C2 / in.mDry2);
    return g;
}

// Warm-side wall temperature of a cell whose inlets are t1 (cold), t2 and
// x2 (warm): the root of the heat balance of the wall. Dry cells have the
// closed form; condensing cells search between the dry root (where the
// balance is positive, the latent heat adding to it) and the warm air's
// temperature.
double WallTemperature(const Conductances& g, double t1, double t2, double x2, double p) {
    SearchCount searchCount;
    const double dry = (g.gs * t2 + g.gw * t1) / (g.gs + g.gw);
    if (x2 <= HumidityRatio(dry, 100, p)) return dry;

    auto balance = [&](double tw) {
        const double m = std::max(0.0, x2 - HumidityRatio(tw, 100, p)) / 1000 * g.gm;
        return g.gs * (t2 - tw) + kFrostLatentHeat * m - g.gw * (tw - t1);
    };
    double a = dry, fa = balance(a);
    double b = std::max(t2, dry), fb = balance(b);
    // A supersaturated warm air can hold the wall above its own
    // temperature; widen the bracket until the balance turns negative.
    double step = 1;
    for (int k = 0; fb >= 0; ++k) {
        if (k >= kBracketStepLimit) {
            throw ArithmeticFault("frost cell model: no wall temperature balances the cell");
        }
        searchCount.Step();
        a = b, fa = fb;
        b += step;
        step *= 2;
        fb = balance(b);
    }
    if (fa <= 0) return a;

    // Illinois variant of the false-position method: the bracket [a, b]
    // always holds the root; a retained end's value is halved so that both
    // ends move.
    const double tolerance = 1e-9 * (1 + std::fabs(b - a));
    int side = 0;
    for (int k = 0; k < kRootStepLimit; ++k) {
        searchCount.Step();
        const double c = (a * fb - b * fa) / (fb - fa);
        const double fc = balance(c);
        if (fc == 0) return c;
        if ((fc > 0) == (fb > 0)) {
            b = c, fb = fc;
            if (side == -1) fa /= 2;
            side = -1;
        } else {
            a = c, fa = fc;
            if (side == 1) fb /= 2;
            side = 1;
        }
        if (b - a < tolerance) return (a + b) / 2;
    }
    throw ArithmeticFault("frost cell model: the wall temperature search did not converge");
}

} // namespace

FrostCellResult SolveFrostCells(const FrostCellInput& in, std::vector<double>* wall) {
    Validate(in, in.cells);
    const int n = in.cells;
    const Conductances g = CellConductances(in);
    const double c1 = in.C1 / n;
    const double c2 = in.C2 / n;
    const double m2 = in.mDry2 / n;

    // The warm stream flows along j: its state per channel i is carried
    // from row to row. The cold stream flows along i within a row j.
    std::vector<double> t2(static_cast<size_t>(n), in.t2);
    std::vector<double> x2(static_cast<size_t>(n), in.x2);
    if (wall) wall->assign(static_cast<size_t>(n) * static_cast<size_t>(n), 0.0);

    FrostCellResult r;
    r.wallMin = in.t2;
    r.wallMinX = in.x2;
    double t1OutSum = 0;
    for (int j = 0; j < n; ++j) {
        double t1 = in.t1;
        for (int i = 0; i < n; ++i) {
            double& t2i = t2[static_cast<size_t>(i)];
            double& x2i = x2[static_cast<size_t>(i)];
            const double tw = WallTemperature(g, t1, t2i, x2i, in.p);
            const double xs = HumidityRatio(tw, 100, in.p);
            const double m = std::max(0.0, x2i - xs) / 1000 * g.gm;
            const double qs = g.gs * (t2i - tw);
            const double q = qs + kFrostLatentHeat * m;
            if (m > 0 && tw < 0) ++r.frostCells;
            if (tw < r.wallMin || (i == 0 && j == 0)) {
                r.wallMin = tw;
                r.wallMinI = i;
                r.wallMinJ = j;
                r.wallMinX = std::min(x2i - 500 * m / m2, std::max(xs, 0.0));
            }
            if (wall) (*wall)[static_cast<size_t>(i) * static_cast<size_t>(n) + j] = tw;
            t1 += q / c1;
            t2i -= qs / c2;
            x2i -= 1000 * m / m2;
            r.heat += q;
            r.condensate += m;
        }
        t1OutSum += t1;
    }
    double t2OutSum = 0, x2OutSum = 0;
    for (int i = 0; i < n; ++i) {
        t2OutSum += t2[static_cast<size_t>(i)];
        x2OutSum += x2[static_cast<size_t>(i)];
    }
    r.t1Out = t1OutSum / n;
    r.t2Out = t2OutSum / n;
    r.x2Out = x2OutSum / n;
    return r;
}

FrostEdgeResult SolveFrostEdge(const FrostCellInput& in, int steps) {
    Validate(in, 1);
    if (!(steps >= 1 && steps <= 100000)) {
        throw Error("frost cell model: the number of edge steps must lie between 1 and 100000");
    }
    const double u1 = 1 / (in.wallResistance + 1 / in.alpha1);
    const double cp2 = in.C2 / in.mDry2;
    // One step is a cell of the full stream 2 over a strip of the edge;
    // the cold air stays at its inlet temperature, so its film needs no
    // mean correction.
    const double a = in.area / steps;
    Conductances g;
    g.gs = in.alpha2 * a / (1 + in.alpha2 * a / (2 * in.C2));
    g.gw = u1 * a;
    g.gm = g.gs / cp2;

    FrostEdgeResult r;
    double t2 = in.t2;
    double x2 = in.x2;
    for (int j = 0; j < steps; ++j) {
        const double tw = WallTemperature(g, in.t1, t2, x2, in.p);
        const double m = std::max(0.0, x2 - HumidityRatio(tw, 100, in.p)) / 1000 * g.gm;
        if (m > 0 && tw < 0 && !r.frost) {
            r.frost = true;
            r.frostFrom = static_cast<double>(j) / steps;
        }
        t2 -= g.gs * (t2 - tw) / in.C2;
        x2 -= 1000 * m / in.mDry2;
    }
    // The corner point: the films without cell means, any common scale.
    Conductances point;
    point.gs = in.alpha2;
    point.gw = u1;
    point.gm = in.alpha2 / cp2;
    r.cornerWall = WallTemperature(point, in.t1, t2, x2, in.p);
    const double xs = HumidityRatio(r.cornerWall, 100, in.p);
    r.cornerX = std::min(x2, std::max(xs, 0.0));
    if (x2 > xs && r.cornerWall < 0 && !r.frost) {
        r.frost = true;
        r.frostFrom = 1;
    }
    return r;
}

} // namespace tavro
