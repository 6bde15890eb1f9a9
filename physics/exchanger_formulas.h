#pragma once

// Pure formulas of the cross-flow plate exchanger: effectiveness, units in
// series, the cooled stream's path with condensation, heat transfer and
// pressure drop. Faults throw tavro::ArithmeticFault.

namespace tavro {

/// Effectiveness (0..1) of a cross-flow exchanger for the capacity-flow
/// ratio R = C_own / C_other and the transfer number NTU of the stream. R
/// within 1e-4 of 1 is taken as 0.9999 (the formula divides by 1 − R).
double CrossFlowEff(double R, double NTU);

/// Effectiveness of n identical exchangers in counter-current series, each
/// of effectiveness eps at the ratio R; returns eps for n = 1.
double SeriesEff(int n, double R, double eps);

/// Outlet temperature (°C) of the warm stream cooled to the enthalpy
/// hTarget (kJ/kg) from (tIn, xIn) at pressure p (hPa), when the cold
/// inlet is tCold: a straight line towards 30 % of the way to the cold
/// inlet, then along saturation in 0.05 K steps. Throws ArithmeticFault
/// when the walk does not reach the target within 100000 steps.
double CoolingPathTemp(double p, double hTarget, double xIn, double tIn, double tCold);

/// Nusselt number in the plate gaps for the block edge L (mm), the Prandtl
/// number, the hydraulic diameter d (mm) and the Reynolds number, with the
/// per-block-edge correction factors of the product line.
double Nusselt(int blockEdge, double pr, double dh, double re);

/// Pressure drop (Pa) across one plate block of edge L (mm) with plate
/// distance gap (mm), for density rho (kg/m³), temperature t (°C) and mean
/// gap velocity v (m/s); 0 for v <= 0.
double BlockPressureDrop(int blockEdge, double gap, double rho, double t, double v);

} // namespace tavro
