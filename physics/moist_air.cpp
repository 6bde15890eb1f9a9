#include "physics/moist_air.h"

#include "physics/numeric/errors.h"

#include <cmath>
#include <limits>

namespace tavro {

namespace {

// Iteration bounds. Physical inputs end their loops after a few dozen steps;
// the bounds only stop non-physical or non-finite inputs from hanging the
// program, so results for physical inputs are unchanged by them.
constexpr int kDewStepLimit = 100000;     // 0.1 K steps: 10000 K
constexpr int kDewHalvingLimit = 250;     // the method's own limit
constexpr int kFogWalkLimit = 2000;       // 0.9^2000 of any humidity is 0
constexpr int kIsenthalpStepLimit = 2000; // 5 K steps: 10000 K
constexpr int kIsenthalpHalvingLimit = 200;
constexpr int kSatIsenthalpStepLimit = 100000; // 0.1 g/kg steps
constexpr int kMixStepLimit = 200000;          // 0.001 K steps: 200 K, about 80 g/kg of fog

bool Finite(double v) {
    return std::isfinite(v);
}

// Saturation pressure without the fault check; non-finite on a fault.
// The cubes and fourth powers are taken by multiplication: the same values
// as exp(n·ln|t|) to the last digits, at a fraction of the cost.
inline double SatPressureRaw(double t) {
    if (t < 0) {
        const double a = -t;
        const double t2 = t * t;
        return 611.0 * std::exp(0.0823 * t - 0.0003 * t2 - 8e-7 * t2 * a - 8e-9 * t2 * t2);
    }
    if (t == 0) return 611.0;
    const double t2 = t * t;
    if (t < 100) {
        return 611.0 *
               std::exp(0.07257 * t - 0.0002937 * t2 + 9.81e-7 * t2 * t - 1.901e-9 * t2 * t2);
    }
    if (t < 250) {
        return 611.0 * std::exp(0.07142753 * t - 0.0002600931 * t2 + 6.432223e-7 * t2 * t -
                                7.410232e-10 * t2 * t2);
    }
    return t2 * t2 / 1000.0;
}

// Saturation humidity ratio, as HumidityRatio(t, 100, p).
inline double SatHumidity(double t, double p) {
    return HumidityRatio(t, 100.0, p);
}

} // namespace

double SatPressure(double t) {
    if (!Finite(t)) throw ArithmeticFault("SatPressure: temperature is not a finite number");
    const double ps = SatPressureRaw(t);
    if (!Finite(ps)) throw ArithmeticFault("SatPressure: overflow");
    return ps;
}

double HumidityRatio(double t, double phi, double p) {
    if (!(phi > 0)) return 0.0; // also catches NaN
    const double pd = SatPressureRaw(t) * phi / 100.0;
    if (!Finite(pd)) return 0.0;
    // Vapour at the total pressure or above it: the water boils, and no
    // finite amount of dry air holds the vapour. Above the boiling point
    // air cannot be saturated, which this makes every saturation test see.
    if (pd >= 100.0 * p) return std::numeric_limits<double>::infinity();
    const double x = 622.0 * pd / (100.0 * p - pd);
    return Finite(x) ? x : 0.0;
}

double RelHumidity(double t, double x, double p) {
    if (!(x > 0)) return 0.0;
    const double phi = (100.0 * x / (x + 622.0)) * 100.0 * p / SatPressureRaw(t);
    return Finite(phi) ? phi : 0.0;
}

double DewPointFromPressure(double pd) {
    SearchCount searchCount;
    if (!(pd > 0) || !Finite(pd)) {
        throw ArithmeticFault("DewPointFromPressure: vapour pressure is not a positive number");
    }
    const double L = std::log(pd);
    const double L2 = L * L;
    double td0;
    if (L < 6) {
        td0 = 0.0003 * L2 * L2 + 0.0093 * L2 * L + 0.2536 * L2 + 7.4071 * L - 60.897;
    } else if (L < 11) {
        td0 = 0.0192 * L2 * L2 - 0.5886 * L2 * L + 7.8319 * L2 - 34.828 * L + 24.222;
    } else if (L < 15) {
        td0 = 0.0294 * L2 * L2 - 1.178 * L2 * L + 19.728 * L2 - 137.45 * L + 348.01;
    } else {
        td0 = std::pow(100.0 * pd, 0.25);
    }
    if (!Finite(td0)) throw ArithmeticFault("DewPointFromPressure: overflow");

    // Bracket the root by stepping away from the estimate, then bisect.
    // f is carried at the kept end so each halving evaluates f only once.
    const double f0 = SatPressureRaw(td0) - pd;
    if (!Finite(f0)) return td0;
    const double s = f0 >= 0 ? 1.0 : -1.0;
    double a = td0;
    double b = td0;
    double fb = f0;
    for (int steps = 0; fb * s > 0; ++steps) {
        if (steps >= kDewStepLimit) return td0;
        searchCount.Step();
        b -= 0.1 * s;
        fb = SatPressureRaw(b) - pd;
        if (!Finite(fb)) return td0;
    }
    double m = td0;
    int halvings = 0;
    while (std::fabs(b - a) > 1e-6 && halvings < kDewHalvingLimit) {
        searchCount.Step();
        m = (a + b) / 2.0;
        const double fm = SatPressureRaw(m) - pd;
        if (!Finite(fm)) return td0;
        ++halvings;
        if (fm * fb < 0) a = b; // the sign change lies between m and b
        b = m;
        fb = fm;
    }
    return halvings < kDewHalvingLimit ? m : td0;
}

double DewPoint(double x, double p) {
    if (std::fabs(x) < 0.0001) x = 0.01;
    return DewPointFromPressure(x / (x + 622.0) * 100.0 * p);
}

double TempFromHumidity(double x, double p, double phi) {
    if (std::fabs(x) < 0.0001) x = 0.01;
    return DewPointFromPressure((100.0 / phi) * x / (x + 622.0) * 100.0 * p);
}

double Enthalpy(double t, double x, double p) {
    // A NaN pressure would make the saturation test silently count all
    // water as fog; treat it as the fault it is.
    if (!Finite(p)) throw ArithmeticFault("Enthalpy: pressure is not a finite number");
    return EnthalpyWithSaturation(t, x, t < 100 ? SatHumidity(t, p) : 0.0);
}

double EnthalpyWithSaturation(double t, double x, double xs) {
    double h;
    if (t < 100 && x > xs) {
        const double c = t >= 0 ? 4.19 * t : 2.09 * t - 344.0;
        h = 1.007 * t + (2501.0 + 1.86 * t) * xs / 1000.0 + (x - xs) / 1000.0 * c;
    } else {
        h = 1.007 * t + (2501.0 + 1.86 * t) * x / 1000.0;
    }
    return Checked(h, "Enthalpy");
}

double TempFromEnthalpy(double h, double x) {
    return Checked((h - 2.501 * x) / (1.007 + 1.86 * x / 1000.0), "TempFromEnthalpy");
}

double HumidityFromEnthalpy(double h, double t) {
    return Checked((h - 1.007 * t) * 1000.0 / (1.86 * t + 2501.0), "HumidityFromEnthalpy");
}

double SatHumidityOnIsenthalp(double h, double p) {
    SearchCount searchCount;
    if (!Finite(h) || !Finite(p)) {
        throw ArithmeticFault("SatHumidityOnIsenthalp: argument is not a finite number");
    }
    double x = h > 0 ? h / 4.0 : 0.0;
    for (int steps = 0;; ++steps) {
        const double t = (h - 2501.0 * x / 1000.0) / (1.86 * x / 1000.0 + 1.007);
        const double xs = SatHumidity(t, p);
        if (!(std::fabs(xs) > x)) break;
        if (steps >= kSatIsenthalpStepLimit) {
            throw ArithmeticFault("SatHumidityOnIsenthalp: no saturation point found");
        }
        searchCount.Step();
        x += 0.1;
    }
    return Checked(x + 1.0, "SatHumidityOnIsenthalp");
}

double Density(double t, double x, double p) {
    const double rho = ((x / 1000.0 + 1.0) / (461.0 * x / 1000.0 + 287.0)) * 100.0 * p /
                       (t + 273.15) * 1.2 / 1.19879383;
    return Checked(rho, "Density");
}

double RefDensity() {
    static const double rho = [] {
        try {
            return Density(20.0, HumidityRatio(20.0, 50.0, 1013.0), 1013.0);
        } catch (const ArithmeticFault&) {
            return 1.1988;
        }
    }();
    return rho;
}

double ToStdVolume(double v, double t, double x, double p) {
    return Checked(v * Density(t, x, p) / RefDensity(), "ToStdVolume");
}

double ToActVolume(double vStd, double t, double x, double p) {
    return Checked(vStd * RefDensity() / Density(t, x, p), "ToActVolume");
}

double TempOnIsenthalp(double t, double x, double p, double phiTarget) {
    SearchCount searchCount;
    if (!Finite(t) || !Finite(x) || !Finite(p) || !Finite(phiTarget)) {
        throw ArithmeticFault("TempOnIsenthalp: argument is not a finite number");
    }
    if (t > 1000 || x < 0) throw ArithmeticFault("");

    double reached = t;
    try {
        double rh = RelHumidity(t, x, p);
        if (std::fabs(rh - phiTarget) < 1e-5) return t;
        const double h = Enthalpy(t, x, p);
        if (phiTarget == 0) return h / 1.007;

        // Walk down the isenthalp out of the fog region.
        for (int steps = 0; rh > 100; ++steps) {
            if (steps >= kFogWalkLimit) throw ArithmeticFault("TempOnIsenthalp: fog walk");
            searchCount.Step();
            x *= 0.9;
            t = (h - 2.501 * x) / (1.007 + 1.86 * x / 1000.0);
            if (!Finite(t)) throw ArithmeticFault("TempOnIsenthalp: fog walk");
            reached = t;
            rh = RelHumidity(t, x, p);
        }

        const double s = rh > phiTarget ? -1.0 : 1.0;
        // Relative humidity along the isenthalp, minus the target.
        auto f = [h, p](double T, double target) {
            const double xT = (h - 1.007 * T) * 1000.0 / (1.86 * T + 2501.0);
            return RelHumidity(T, xT, p) - target;
        };
        double a = t;
        double b = t;
        double fb = f(b, phiTarget);
        for (int steps = 0; fb * s < 0; ++steps) {
            if (steps >= kIsenthalpStepLimit) throw ArithmeticFault("TempOnIsenthalp: bracket");
            searchCount.Step();
            b -= 5.0 * s;
            fb = f(b, phiTarget);
        }
        if (phiTarget > 100) {
            phiTarget = 100;
            fb = f(b, phiTarget);
        }

        // Bisection with the same end-swapping rule as the dew point; the
        // function value of the kept end is carried through the halvings.
        double m = a;
        for (int halvings = 0; std::fabs(b - a) > 1e-5 && halvings < kIsenthalpHalvingLimit;
             ++halvings) {
            searchCount.Step();
            m = (a + b) / 2.0;
            const double fm = f(m, phiTarget);
            if (fm * fb < 0) a = b;
            b = m;
            fb = fm;
            reached = m;
        }
        return Checked(m, "TempOnIsenthalp");
    } catch (const ArithmeticFault&) {
        return reached;
    }
}

double KinViscosity(double t) {
    return Checked((13.748 + 0.0933 * t) * 1e-6, "KinViscosity");
}

double Prandtl(double t) {
    return Checked(0.718 - 0.0002 * t + 7e-7 * t * t, "Prandtl");
}

double Conductivity(double t) {
    return Checked((24.083 + 0.0748 * t) * 0.001, "Conductivity");
}

double CpDryAir(double t) {
    const double t2 = t * t;
    const double cp = t <= 200 ? 1.0065 + 5.309587e-6 * t + 4.758596e-7 * t2 - 1.136145e-10 * t2 * t
                               : 1.0053 + 2.4967e-5 * t + 4.6714e-7 * t2 - 3.3449e-10 * t2 * t;
    return Checked(cp, "CpDryAir");
}

double CpVapour(double t) {
    const double t2 = t * t;
    return Checked(1.86 - 8.333e-6 * t + 2.375e-6 * t2 - 2.917e-9 * t2 * t, "CpVapour");
}

double PressureFromAltitude(double h) {
    const double base = 1.0 - 6.5 * h / 288000.0;
    if (!(base >= 0)) throw ArithmeticFault("PressureFromAltitude: altitude out of range");
    return Checked(1013.0 * std::pow(base, 5.255), "PressureFromAltitude");
}

double AltitudeFromPressure(double p) {
    if (!(p >= 0)) throw ArithmeticFault("AltitudeFromPressure: negative pressure");
    return Checked((1.0 - std::pow(p / 1013.0, 0.19029495718363465)) * 44307.692307692305,
                   "AltitudeFromPressure");
}

MixResult MixAir(double x1, double t1, double M1, double x2, double t2, double M2, double p) {
    SearchCount searchCount;
    const double M = M1 + M2;
    const double x = Checked((M2 * x2 + M1 * x1) / M, "MixAir");
    const double h = Checked((M2 * Enthalpy(t2, x2, p) + M1 * Enthalpy(t1, x1, p)) / M, "MixAir");
    double t = Checked((h - 2501.0 * x / 1000.0) / (1.86 * x / 1000.0 + 1.007), "MixAir");
    if (SatHumidity(t, p) - 0.0001 < x) {
        for (int steps = 0; Enthalpy(t, x, p) < h; ++steps) {
            if (steps >= kMixStepLimit) throw ArithmeticFault("MixAir: no mixing temperature");
            searchCount.Step();
            t += 0.001;
        }
    }
    const double xs = SatHumidity(t, p);
    return {M, t, xs - 0.0001 < x ? xs : x};
}

} // namespace tavro
