#include "physics/exchanger_formulas.h"

#include "physics/moist_air.h"
#include "physics/numeric/errors.h"

#include <cmath>
#include <numbers>

namespace tavro {

namespace {

constexpr int kCoolingStepLimit = 100000;

double Sat(double t, double p) {
    return HumidityRatio(t, 100.0, p);
}

// Power of a non-negative base; a negative base is a fault, as a
// fractional power of it has no real value.
double Pow(double base, double e, const char* what) {
    if (base < 0) throw ArithmeticFault(std::string(what) + ": negative power base");
    return Checked(std::pow(base, e), what);
}

} // namespace

double CrossFlowEff(double R, double NTU) {
    if (std::fabs(R - 1) < 0.0001) R = 0.9999;
    const double z = Checked((0.6 * std::sqrt(R) + 0.8 * R / (1 + R)) * NTU, "CrossFlowEff");
    const double F = z > 2 ? std::sqrt(std::numbers::pi * z) / (z - 0.0625) - 1 / z
                           : Pow(1 + 0.9 * z * z, -0.15, "CrossFlowEff");
    const double n = NTU * F;
    if (R == 1) return Checked(n / (1 + n), "CrossFlowEff");
    const double e = std::exp(-(1 - R) * n);
    return Checked((1 - e) / (1 - R * e), "CrossFlowEff");
}

double SeriesEff(int n, double R, double eps) {
    if (n == 1) return eps;
    if (std::fabs(R - 1) < 0.0001) R = 0.9999;
    const double Y = std::pow(Checked((1 - R * eps) / (1 - eps), "SeriesEff"), n);
    return Checked(1 - (R - 1) / (R - Y), "SeriesEff");
}

double CoolingPathTemp(double p, double hTarget, double xIn, double tIn, double tCold) {
    SearchCount searchCount;
    // xsT is the saturation humidity ratio at the current t, computed once
    // per step for both the test and the enthalpy.
    double xsT = Sat(tIn, p);
    bool sat = tIn < 100 && xsT < xIn;
    const double tEnd = tCold + 0.3 * (tIn - tCold);
    const double xEnd = std::min(xIn, Sat(tEnd, p));
    double t = tIn;
    double x = xIn;
    double k = 0;
    for (int steps = 0; EnthalpyWithSaturation(t, x, xsT) > hTarget; ++steps) {
        if (steps >= kCoolingStepLimit)
            throw ArithmeticFault("CoolingPathTemp: target not reached");
        searchCount.Step();
        if (sat) {
            t -= 0.05;
            x = xsT = Sat(t, p);
        } else {
            t = tIn - (tIn - tEnd) * k;
            x = xIn - (xIn - xEnd) * k;
            k += 0.01;
            xsT = Sat(t, p);
            if (t < 100 && xsT <= x) sat = true;
        }
    }
    if (sat && xsT <= x) t = TempOnIsenthalp(t, x, p, 100);
    return t;
}

double Nusselt(int blockEdge, double pr, double dh, double re) {
    const double L = blockEdge;
    const double shape = 1 + Pow(dh / L, 2.0 / 3.0, "Nusselt");
    if (blockEdge < 500) {
        const double a = Pow(28.6 * re * pr * dh / L + 336, 1.0 / 3.0, "Nusselt");
        const double b = (Pow(re, 0.86, "Nusselt") - 100) * 0.027 * Pow(pr, 0.4, "Nusselt");
        double f = 1;
        if (blockEdge == 200) f = 0.447;
        if (blockEdge == 300) f = 0.516;
        if (blockEdge == 390 || blockEdge == 400) f = 0.695;
        return Checked(std::sqrt(a * a + b * b) * shape * f, "Nusselt");
    }
    const double a = Pow(4.17 * re * pr * dh / L + 49, 1.0 / 3.0, "Nusselt");
    const double b = (Pow(re, 0.8, "Nusselt") - 100) * 0.0214 * Pow(pr, 0.4, "Nusselt") * shape;
    double c = 0, e = 0;
    switch (blockEdge) {
    case 500:
        c = 0.84, e = 0.32;
        break;
    case 600:
        c = 0.975, e = 0.27;
        break;
    case 700:
        c = 1.12, e = 0.228;
        break;
    case 800:
        c = 1.27, e = 0.19;
        break;
    case 1000:
        c = 1.57, e = 0.12;
        break;
    case 1200:
        c = 1.8, e = 0.085;
        break;
    default:
        break;
    }
    const double f = c > 0 ? c * Pow(dh / 2, e, "Nusselt") : 1.0;
    return Checked(std::sqrt(a * a + b * b) * f, "Nusselt");
}

double BlockPressureDrop(int blockEdge, double gap, double rho, double t, double v) {
    if (v <= 0) return 0;
    const double d = 2 * gap / 1000;
    const double l = blockEdge / 1000.0;
    const double re = Checked(v * d / KinViscosity(t), "BlockPressureDrop");
    if (re <= 0) throw ArithmeticFault("BlockPressureDrop: logarithm of a non-positive number");
    const double q = rho * v * v / 2;
    double dp;
    if (blockEdge < 500) {
        const double lambda = blockEdge <= 300 ? 1 / std::pow(0.72 * std::log(re) - 2.08, 2)
                                               : 1 / std::pow(0.36 * std::log(re) + 0.15, 2);
        dp = q * (lambda * l / d + 1.15);
        if (blockEdge == 390 || blockEdge == 400) dp *= 1.13;
    } else {
        const double lambda = 64 / re + 0.3164 / std::pow(re, 0.25);
        dp = q * (2.5 + lambda * l / d);
        switch (blockEdge) {
        case 500:
            dp *= 0.88;
            break;
        case 600:
            dp *= 1.06;
            break;
        case 700:
            dp *= 1.19;
            break;
        case 800:
            dp *= 1.3;
            break;
        case 1000:
            dp *= 1.43;
            break;
        case 1200:
            dp *= 1.6;
            break;
        default:
            break;
        }
    }
    return Checked(dp, "BlockPressureDrop");
}

} // namespace tavro
