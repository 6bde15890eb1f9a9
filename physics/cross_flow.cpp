#include "physics/cross_flow.h"

#include "physics/errors.h"
#include "physics/exchanger_formulas.h"
#include "physics/moist_air.h"
#include "physics/rounding.h"
#include "product/catalogue.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tavro {

namespace {

constexpr double kWallResistance = 6.818181818181818e-7; // m²·K/W of one plate
constexpr int kMaxSeries = 4;
constexpr int kMaxSweeps = 201;
// The highest temperature efficiency (%), with room for the rounding of a
// result that is 100 % in exact arithmetic.
constexpr double kMaxEfficiency = 100 * (1 + 1e-9);

double Sat(double t, double p) {
    return HumidityRatio(t, 100.0, p);
}

// Exchanger geometry of one calculation (not stored in the record).
struct Geometry {
    int blocks = 0;      // n_b
    double faceArea = 0; // m²
    double freeArea = 0; // A_f, m²
    double area = 0;     // A, m²
    double dh = 0;       // hydraulic diameter, mm
};

Geometry ComputeGeometry(TDatenREK& r, bool swapped) {
    if (r.GapGiven == 0) {
        r.PlateGap = PlateGapFor(r.Edge, r.PType);
    } else {
        r.PType = static_cast<uint8_t>(PTypeFor(r.Edge, r.PlateGap));
    }
    Geometry g;
    g.blocks = BlockCount(r.Edge, r.PlateGap);
    r.BlockEdge = RoundHalfEven(static_cast<double>(r.Edge) / g.blocks);
    if (r.BlockEdge == 390) r.BlockEdge = 400;
    const int packages = PackageCount(r.Width, r.BlockEdge);
    const double packageWidth = Checked(static_cast<double>(r.Width) / packages, "package width");
    const double plates = RoundHalfEven((packageWidth - (r.BlockEdge >= 500 ? 40 : 22)) /
                                        (r.PlateGap + 0.2)); // 0.2 mm plate thickness
    r.Bypass = BypassWidth(r.Edge, r.AirVelBypass, swapped ? r.SVol21 : r.SVol11);

    const double L = r.BlockEdge / 1000.0;
    g.area = L * L * packages * g.blocks * g.blocks * plates;
    const int k = (r.BlockEdge == 200 || r.BlockEdge == 300 || r.BlockEdge == 400) ? 42 : 56;
    const double free = r.BlockEdge == 390 ? 358.0 : r.BlockEdge - k;
    g.freeArea = plates / 2 * r.PlateGap / 1000 * packages * g.blocks * free / 1000;
    g.dh = 2 * r.PlateGap;
    g.faceArea = (r.Edge == 390 ? 0.4 : r.Edge / 1000.0) * r.Width / 1000.0;
    return g;
}

double WetLimit(double phi) {
    if (phi <= 70) return 30;
    if (phi < 100) return 20 * std::pow(phi / 30 - 10.0 / 3.0, 2) + 10;
    return 10;
}

// Counter-current series of n identical units: stream 1 passes stages 1 to
// n, stream 2 stages n to 1. Each sweep recalculates every stage with the
// latest boundary states until the first stage's outlet settles.
void SeriesIteration(TDatenREK& r, int n) {
    TDatenTavro stage;
    stage.AirState = kGivenTempX;
    stage.AirQuant = kGivenDryMass;
    stage.Series = 1;
    stage.Edge = r.Edge;
    stage.Width = r.Width;
    stage.PType = r.PType;
    stage.PlateGap = r.PlateGap;
    stage.GapGiven = r.GapGiven;
    stage.pbar = r.pbar;
    stage.MDry11 = r.MDry11;
    stage.MDry21 = r.MDry21;

    std::array<double, kMaxSeries + 1> T1, X1, T2, X2;
    T1.fill(r.Temp11);
    X1.fill(r.X11);
    T2.fill(r.Temp21);
    X2.fill(r.X21);
    double Q = 0;
    for (int sweep = 0; sweep < kMaxSweeps; ++sweep) {
        CountSearchIteration();
        const double t1 = T1[1];
        const double x1 = X1[1];
        Q = 0;
        for (int k = 1; k <= n; ++k) {
            stage.Temp11 = T1[k - 1];
            stage.X11 = X1[k - 1];
            stage.Temp21 = T2[k];
            stage.X21 = X2[k];
            stage.Calculate();
            T1[k] = stage.Temp12;
            X1[k] = stage.X12;
            T2[k - 1] = stage.Temp22;
            X2[k - 1] = stage.X22;
            Q += stage.Q1;
        }
        if (std::fabs(T1[1] - t1) < 0.001 && std::fabs(X1[1] - x1) < 0.001) break;
    }
    r.Temp12 = T1[n];
    r.X12 = X1[n];
    r.Temp22 = T2[0];
    r.X22 = X2[0];
    r.Q1 = Q;
}

void Calculate(TDatenREK& r, bool swapped) {
    r.Series = static_cast<uint8_t>(std::clamp<int>(r.Series, 1, kMaxSeries));
    const Geometry g = ComputeGeometry(r, swapped);

    const double tm = (r.Temp11 + r.Temp21) / 2;
    const double lambda = Conductivity(tm);
    const double nu = KinViscosity(tm);
    const double pr = Prandtl(tm);

    r.Vel1Mean = Checked(r.Vol11 / g.freeArea / 3600 * (273 + 0.2 * (r.Temp21 - r.Temp11)) / 273,
                         "Vel1Mean");
    r.Vel2Mean = Checked(r.Vol21 / g.freeArea / 3600 * (273 + 0.2 * (r.Temp11 - r.Temp21)) / 273,
                         "Vel2Mean");
    r.Vel1 = Checked(r.Vol11 / 3600 / g.faceArea, "Vel1");
    r.Vel2 = Checked(r.Vol21 / 3600 / g.faceArea, "Vel2");

    if (std::fabs(r.X11) < 0.001) r.X11 = 0.001;
    if (std::fabs(r.X21) < 0.001) r.X21 = 0.001;
    r.X12 = r.X11;

    const double re1 = r.Vel1Mean * g.dh / nu / 1000;
    const double re2 = r.Vel2Mean * g.dh / nu / 1000;
    const double alpha1 = Nusselt(r.BlockEdge, pr, g.dh, re1) * lambda / g.dh * 1000;
    const double alpha2 = Nusselt(r.BlockEdge, pr, g.dh, re2) * lambda / g.dh * 1000;
    const double k = Checked(1 / (1 / alpha1 + 1 / alpha2 + kWallResistance), "k");

    const double C1 = (1.007 * r.MDry11 + 1.86 * r.MWater11) / 3.6;
    const double C2 = (1.007 * r.MDry21 + 1.86 * r.MWater21) / 3.6;
    const double R1 = Checked(C1 / C2, "R1");
    const double R2 = Checked(C2 / C1, "R2");
    const double NTU1 = Checked(g.area * k / C1, "NTU1");
    const double NTU2 = Checked(g.area * k / C2, "NTU2");

    r.Eta1 = 100 * CrossFlowEff(R1, NTU1);
    r.Eta2 = 100 * CrossFlowEff(R2, NTU2);
    const double dt = r.Temp21 - r.Temp11;
    r.Temp12 = r.Temp11 + dt * r.Eta1 / 100;
    r.Temp22 = r.Temp21 - dt * r.Eta2 / 100;
    r.Q1 = (Enthalpy(r.Temp12, r.X11, r.pbar) - r.H11) * r.MDry11 / 3600;

    // Condensation on the warm side: K when the dry outlet would be
    // supersaturated, g the wet factor from how far the cold inlet lies
    // below the warm stream's dew point.
    const bool K = RelHumidity(r.Temp22, r.X21, r.pbar) > 100 && r.Temp21 < 200;
    const double delta = DewPoint(r.X21, r.pbar) - r.Temp11;
    const double phi = r.Phi21;
    double wet = 1 + (delta - 0.0028 * (100 - phi) * (100 - phi)) * phi * (1.15 - 0.0025 * phi) /
                         100 * (1.0 / 24);
    if (wet < 1 || r.Temp21 >= 120) wet = 1;
    if (std::fabs(wet - 1) < 0.0001) {
        r.WetMode = 0;
    } else {
        r.WetMode = WetLimit(phi) >= delta ? 1 : 2;
    }

    if (r.WetMode != 0 || K) {
        const double e1 = r.Eta1 / 100;
        double f = std::min(wet, 1.23);
        f = (1 - e1 * e1 * e1) * (f - 1) + 1;
        f = std::min(f, Checked(0.99 / e1, "wet factor"));
        r.Eta1Wet = r.Eta1 * f;
        r.Temp12 = r.Temp11 + dt * r.Eta1Wet / 100;
        r.Q1Wet = (Enthalpy(r.Temp12, r.X12, r.pbar) - r.H11) * r.MDry11 / 3600;
        r.H22 = Checked(r.H21 - r.Q1Wet * 3600 / r.MDry21, "H22");
        r.Temp22 = CoolingPathTemp(r.pbar, r.H22, r.X21, r.Temp21, r.Temp11);
        r.X22 = HumidityFromEnthalpy(r.H22, r.Temp22);
        if (r.Temp22 < 100 && Sat(r.Temp22, r.pbar) < r.X22) r.X22 = Sat(r.Temp22, r.pbar);
        r.Eta2Wet = Checked((r.Temp21 - r.Temp22) * 100 / dt, "Eta2Wet");
    } else {
        r.X22 = r.X21;
        r.Eta1Wet = r.Eta1;
        r.Q1Wet = r.Q1;
        r.Eta2Wet = r.Eta2;
    }

    if (r.Series != 1) SeriesIteration(r, r.Series);

    r.MDry12 = r.MDry11;
    r.MDry22 = r.MDry21;
    CompleteBlock(r, TDatenI::kOutlet1, kGivenTempX, kNoFlowMode);
    CompleteBlock(r, TDatenII::kOutlet2, kGivenTempX, kNoFlowMode);
    CompleteBlock(r, TDatenI::kOutlet1, kNoStateMode, kGivenDryMass);
    CompleteBlock(r, TDatenII::kOutlet2, kNoStateMode, kGivenDryMass);

    r.Eta1 = 100 * SeriesEff(r.Series, R1, r.Eta1 / 100);
    r.Eta2 = 100 * SeriesEff(r.Series, R2, r.Eta2 / 100);
    r.Q1Wet = (Enthalpy(r.Temp12, r.X12, r.pbar) - r.H11) * r.MDry11 / 3600;
    if (r.Temp21 != r.Temp11 && (r.WetMode != 0 || K)) {
        r.Eta2Wet = (r.Temp21 - r.Temp22) * 100 / dt;
        r.Eta1Wet = (r.Temp12 - r.Temp11) * 100 / dt;
    } else {
        r.Eta1Wet = r.Eta1;
        r.Eta2Wet = r.Eta2;
    }
    r.Q2 = -r.Q1;
    r.Q2Wet = -r.Q1Wet;
    r.Condensate1 = 0;
    r.Condensate2 = (r.X21 - r.X22) * r.MDry21 / 1000;
    if (r.GapGiven == 0) r.PlateGap = PlateGapFor(r.Edge, r.PType);

    // Pressure drops at standard density (20 °C), then at operating
    // conditions with the mean of inlet and outlet.
    const double n = r.Series * g.blocks;
    r.Vel1Mean = r.SVol11 / g.freeArea / 3600;
    r.Vel2Mean = r.SVol21 / g.freeArea / 3600;
    r.Dp1Std = n * BlockPressureDrop(r.BlockEdge, r.PlateGap, RefDensity(), 20, r.Vel1Mean);
    r.Dp2Std = n * BlockPressureDrop(r.BlockEdge, r.PlateGap, RefDensity(), 20, r.Vel2Mean);
    r.Vel1Mean = (r.Vol11 + r.Vol12) / 2 / g.freeArea / 3600;
    r.Vel2Mean = (r.Vol21 + r.Vol22) / 2 / g.freeArea / 3600;
    r.Dp1 = n * BlockPressureDrop(r.BlockEdge, r.PlateGap, (r.Rho11 + r.Rho12) / 2,
                                  (r.Temp11 + r.Temp12) / 2, r.Vel1Mean);
    r.Dp2 = n * BlockPressureDrop(r.BlockEdge, r.PlateGap, (r.Rho21 + r.Rho22) / 2,
                                  (r.Temp21 + r.Temp22) / 2, r.Vel2Mean);
}

// The results must describe a real exchanger: physical outlet states, and
// temperature efficiencies from 0 to 100 % (an outlet beyond the other
// stream's inlet temperature is impossible). The formulas can leave that
// range far from the states they were made for; the stage then faults.
void CheckResults(const TDatenREK& r) {
    CheckPhysicalState(ReadBlock(r, TDatenI::kOutlet1), "outlet state of stream 1");
    CheckPhysicalState(ReadBlock(r, TDatenII::kOutlet2), "outlet state of stream 2");
    const double efficiencies[] = {r.Eta1, r.Eta2, r.Eta1Wet, r.Eta2Wet};
    for (const double eta : efficiencies) {
        if (!(eta >= 0 && eta <= kMaxEfficiency)) {
            throw ArithmeticFault("cross-flow: a temperature efficiency outside 0 to 100 %");
        }
    }
    const double rest[] = {r.Eps1,  r.Eps2,  r.Eps1Wet,  r.Eps2Wet,  r.Q1,         r.Q2,
                           r.Q1Wet, r.Q2Wet, r.Dp1,      r.Dp2,      r.Dp1Std,     r.Dp2Std,
                           r.Vel1,  r.Vel2,  r.Vel1Mean, r.Vel2Mean, r.Condensate2};
    for (const double v : rest)
        Checked(v, "cross-flow results");
}

void Effectiveness(TDatenREK& r) {
    const double mMin = r.MDry11 >= r.MDry21 ? r.MDry21 : r.MDry11;
    r.Eps1 = Checked(r.MDry11 / mMin * r.Eta1, "Eps1");
    r.Eps1Wet = Checked(r.MDry11 / mMin * r.Eta1Wet, "Eps1Wet");
    r.Eps2 = Checked(r.MDry21 / mMin * r.Eta2, "Eps2");
    r.Eps2Wet = Checked(r.MDry21 / mMin * r.Eta2Wet, "Eps2Wet");
}

} // namespace

void CrossFlowCalculation(TDatenREK& r) {
    const bool swapped = r.Temp21 < r.Temp11;
    if (swapped) r.SwapInlets();
    try {
        Calculate(r, swapped);
    } catch (...) {
        // Put the inlets back on their own streams so that the next
        // calculation starts from the user's inputs.
        if (swapped) r.SwapInlets();
        throw;
    }
    if (swapped) r.SwapAll();
    Effectiveness(r);
    CheckResults(r);
}

} // namespace tavro
