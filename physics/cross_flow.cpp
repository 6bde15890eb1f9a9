#include "physics/cross_flow.h"

#include "physics/exchanger_formulas.h"
#include "physics/moist_air.h"
#include "physics/numeric/errors.h"
#include "physics/numeric/rounding.h"
#include "product/catalogue/catalogue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

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
    int blockEdge = 0;   // mm
    double faceArea = 0; // m²
    double freeArea = 0; // A_f, m²
    double area = 0;     // A, m²
    double dh = 0;       // hydraulic diameter, mm
};

int BlockEdgeOf(int edge, int blocks) {
    const int blockEdge = RoundHalfEven(static_cast<double>(edge) / blocks);
    return blockEdge == 390 ? 400 : blockEdge;
}

// The plate pack of an edge, width and plate distance.
Geometry PackGeometry(int edge, int width, double gap) {
    Geometry g;
    g.blocks = BlockCount(edge, gap);
    g.blockEdge = BlockEdgeOf(edge, g.blocks);
    const int packages = PackageCount(width, g.blockEdge);
    const double packageWidth = Checked(static_cast<double>(width) / packages, "package width");
    const double plates = RoundHalfEven((packageWidth - (g.blockEdge >= 500 ? 40 : 22)) /
                                        (gap + 0.2)); // 0.2 mm plate thickness
    const double L = g.blockEdge / 1000.0;
    g.area = L * L * packages * g.blocks * g.blocks * plates;
    const int k = (g.blockEdge == 200 || g.blockEdge == 300 || g.blockEdge == 400) ? 42 : 56;
    const double free = g.blockEdge == 390 ? 358.0 : g.blockEdge - k;
    g.freeArea = plates / 2 * gap / 1000 * packages * g.blocks * free / 1000;
    g.dh = 2 * gap;
    g.faceArea = (edge == 390 ? 0.4 : edge / 1000.0) * width / 1000.0;
    return g;
}

// The plate distance the calculation uses: from the plate type, or the
// given distance.
double PlateGapOf(const TDatenREK& r) {
    return r.GapGiven == 0 ? PlateGapFor(r.Edge, r.PType) : r.PlateGap;
}

Geometry ComputeGeometry(TDatenREK& r, bool swapped) {
    if (r.GapGiven == 0) {
        r.PlateGap = PlateGapFor(r.Edge, r.PType);
    } else {
        r.PType = static_cast<uint8_t>(PTypeFor(r.Edge, r.PlateGap));
    }
    r.BlockEdge = BlockEdgeOf(r.Edge, BlockCount(r.Edge, r.PlateGap));
    const Geometry g = PackGeometry(r.Edge, r.Width, r.PlateGap);
    r.Bypass = BypassWidth(r.Edge, r.AirVelBypass, swapped ? r.SVol21 : r.SVol11);
    return g;
}

// Mean gap velocity (m/s) of a stream of actual volume flow vol (m³/h) at
// tOwn facing the other stream at tOther, for the heat transfer.
double GapVelocity(double vol, double tOwn, double tOther, double freeArea) {
    return vol / freeArea / 3600 * (273 + 0.2 * (tOther - tOwn)) / 273;
}

// Convective heat-transfer coefficient (W/(m²·K)) in the plate gaps at the
// mean gap velocity v (m/s), with the air properties at the mean
// temperature tm of both inlets.
double ConvectiveCoefficient(const Geometry& g, double tm, double v) {
    const double re = v * g.dh / KinViscosity(tm) / 1000;
    return Nusselt(g.blockEdge, Prandtl(tm), g.dh, re) * Conductivity(tm) / g.dh * 1000;
}

// Heat capacity flow (W/K) of a stream of mDry kg/h dry air carrying mWater
// kg/h vapour.
double CapacityFlow(double mDry, double mWater) {
    return (1.007 * mDry + 1.86 * mWater) / 3.6;
}

double WetLimit(double phi) {
    if (phi <= 70) return 30;
    if (phi < 100) return 20 * std::pow(phi / 30 - 10.0 / 3.0, 2) + 10;
    return 10;
}

// Counter-current series of n identical units: stream 1 passes stages 1 to
// n, stream 2 stages n to 1. Each sweep recalculates every stage with the
// latest boundary states until the first stage's outlet settles. When units
// is given, it receives the calculated record of every stage of the last
// sweep.
void SeriesIteration(TDatenREK& r, int n, std::vector<TDatenREK>* units) {
    SearchCount searchCount;
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
    if (units) units->assign(static_cast<size_t>(n), TDatenREK());
    for (int sweep = 0; sweep < kMaxSweeps; ++sweep) {
        searchCount.Step();
        const double t1 = T1[1];
        const double x1 = X1[1];
        Q = 0;
        for (int k = 1; k <= n; ++k) {
            stage.Temp11 = T1[k - 1];
            stage.X11 = X1[k - 1];
            stage.Temp21 = T2[k];
            stage.X21 = X2[k];
            stage.Calculate();
            if (units) (*units)[static_cast<size_t>(k - 1)] = stage;
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

void Calculate(TDatenREK& r, bool swapped, std::vector<TDatenREK>* units) {
    r.Series = static_cast<uint8_t>(std::clamp<int>(r.Series, 1, kMaxSeries));
    const Geometry g = ComputeGeometry(r, swapped);

    const double tm = (r.Temp11 + r.Temp21) / 2;
    r.Vel1Mean = Checked(GapVelocity(r.Vol11, r.Temp11, r.Temp21, g.freeArea), "Vel1Mean");
    r.Vel2Mean = Checked(GapVelocity(r.Vol21, r.Temp21, r.Temp11, g.freeArea), "Vel2Mean");
    r.Vel1 = Checked(r.Vol11 / 3600 / g.faceArea, "Vel1");
    r.Vel2 = Checked(r.Vol21 / 3600 / g.faceArea, "Vel2");

    if (std::fabs(r.X11) < 0.001) r.X11 = 0.001;
    if (std::fabs(r.X21) < 0.001) r.X21 = 0.001;
    r.X12 = r.X11;

    const double alpha1 = ConvectiveCoefficient(g, tm, r.Vel1Mean);
    const double alpha2 = ConvectiveCoefficient(g, tm, r.Vel2Mean);
    const double k = Checked(1 / (1 / alpha1 + 1 / alpha2 + kWallResistance), "k");

    const double C1 = CapacityFlow(r.MDry11, r.MWater11);
    const double C2 = CapacityFlow(r.MDry21, r.MWater21);
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

    if (r.Series != 1) SeriesIteration(r, r.Series, units);

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

// The calculation with the colder inlet as stream 1; units as in
// SeriesIteration.
void Run(TDatenREK& r, std::vector<TDatenREK>* units) {
    const bool swapped = r.Temp21 < r.Temp11;
    if (swapped) r.SwapInlets();
    try {
        Calculate(r, swapped, units);
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

} // namespace

void CrossFlowCalculation(TDatenREK& r) {
    Run(r, nullptr);
}

CrossFlowTransfer CrossFlowTransferOf(const TDatenREK& r) {
    CrossFlowTransfer t;
    t.swapped = r.Temp21 < r.Temp11;
    const double tCold = t.swapped ? r.Temp21 : r.Temp11;
    const double tWarm = t.swapped ? r.Temp11 : r.Temp21;
    const double volCold = t.swapped ? r.Vol21 : r.Vol11;
    const double volWarm = t.swapped ? r.Vol11 : r.Vol21;
    const Geometry g = PackGeometry(r.Edge, r.Width, PlateGapOf(r));
    const double tm = (tCold + tWarm) / 2;
    const double v1 = Checked(GapVelocity(volCold, tCold, tWarm, g.freeArea), "Vel1Mean");
    const double v2 = Checked(GapVelocity(volWarm, tWarm, tCold, g.freeArea), "Vel2Mean");
    t.area = g.area;
    t.alpha1 = Checked(ConvectiveCoefficient(g, tm, v1), "alpha1");
    t.alpha2 = Checked(ConvectiveCoefficient(g, tm, v2), "alpha2");
    t.wallResistance = kWallResistance;
    t.C1 = t.swapped ? CapacityFlow(r.MDry21, r.MWater21) : CapacityFlow(r.MDry11, r.MWater11);
    t.C2 = t.swapped ? CapacityFlow(r.MDry11, r.MWater11) : CapacityFlow(r.MDry21, r.MWater21);
    return t;
}

std::vector<TDatenREK> CrossFlowUnits(const TDatenREK& r) {
    TDatenREK calculated = r;
    std::vector<TDatenREK> units;
    Run(calculated, &units);
    if (units.empty()) units.push_back(calculated);
    return units;
}

} // namespace tavro
