#pragma once

// Moist-air (psychrometric) property functions.
//
// Internal units throughout: temperatures in °C, relative humidity in %
// (values above 100 mean supersaturation), humidity ratio x in g water per kg
// dry air, total pressure p in hPa, vapour pressures in Pa, enthalpy in kJ per
// kg dry air, density in kg/m³, volume flows in m³/h, mass flows in kg/h.
//
// All functions are pure and allocate nothing. Unless a function says it
// returns a neutral value, a fault (non-finite input, division by zero,
// overflow, logarithm of a non-positive number, a search that exceeds its
// iteration bound) throws tavro::ArithmeticFault; the calculation records
// catch it.

#include <cstdint>

namespace tavro {

namespace detail {
inline thread_local uint64_t searchIterations = 0;
}

/// Number of search-loop iterations (steps and halvings) the functions of
/// this file and the exchanger calculation have made since the last reset.
/// Tests use it to check that every search is bounded. Counted per thread:
/// a thread sees only its own searches.
inline uint64_t SearchIterations() {
    return detail::searchIterations;
}
inline void ResetSearchIterations() {
    detail::searchIterations = 0;
}
/// The iterations of one search, counted locally and added to the thread's
/// count (SearchIterations) when the search ends, also through an
/// exception: one access to the thread-local count per search instead of
/// one per iteration, which in the shared library is a call each.
class SearchCount {
public:
    SearchCount() = default;
    SearchCount(const SearchCount&) = delete;
    SearchCount& operator=(const SearchCount&) = delete;
    ~SearchCount() { detail::searchIterations += steps_; }
    void Step() { ++steps_; }

private:
    uint64_t steps_ = 0;
};

/// Saturation vapour pressure over ice (t < 0) or water, in Pa.
/// SatPressure(0) is exactly 611; from 250 °C on the result is t⁴/1000.
/// Throws ArithmeticFault for a non-finite t or an overflowing result.
double SatPressure(double t);

/// Humidity ratio x (g/kg) of air at t (°C) with relative humidity phi (%)
/// and pressure p (hPa); phi = 100 gives the saturation humidity ratio.
/// Returns +infinity when the vapour pressure phi·ps(t) reaches the total
/// pressure: at and above the boiling point at p there is no saturation
/// (no fog is possible), and any test "x above saturation" is false.
/// Returns 0 for phi <= 0 and on any fault (the neutral value).
double HumidityRatio(double t, double phi, double p);

/// Relative humidity (%) of air at t (°C) with humidity ratio x (g/kg) at
/// p (hPa). Returns 0 for x <= 0 and on any fault. Values above 100 are
/// returned as they are.
double RelHumidity(double t, double x, double p);

/// Dew point (°C) for the vapour partial pressure pd (Pa): a polynomial
/// estimate refined by bracketing and bisection to 1e-6 K. Returns the
/// estimate when the bisection needs 250 halvings or a fault occurs after
/// the estimate exists. Throws ArithmeticFault when pd is not a positive
/// finite number (no estimate can be formed).
double DewPointFromPressure(double pd);

/// Dew point (°C) of air with humidity ratio x (g/kg) at p (hPa). |x| below
/// 0.0001 is taken as 0.01 so that dry air has a (very low) dew point.
double DewPoint(double x, double p);

/// Temperature (°C) at which air of humidity ratio x (g/kg) at p (hPa) has
/// the relative humidity phi (%). |x| below 0.0001 is taken as 0.01.
double TempFromHumidity(double x, double p, double phi);

/// Specific enthalpy (kJ/kg dry air) of air at t (°C) with humidity ratio x
/// (g/kg) at p (hPa). Below 100 °C water above saturation counts as fog:
/// liquid water (4.19·t) at or above 0 °C, ice (2.09·t − 344) below. Air
/// above the boiling point at p is never fog. Throws ArithmeticFault for a
/// non-finite p or result.
double Enthalpy(double t, double x, double p);

/// Enthalpy as above when the saturation humidity ratio xs at t
/// (HumidityRatio(t, 100, p)) is already known; xs is not used from 100 °C
/// on. Gives exactly what Enthalpy gives, without computing xs again.
double EnthalpyWithSaturation(double t, double x, double xs);

/// Temperature (°C) from enthalpy h (kJ/kg) and humidity ratio x (g/kg),
/// without fog term.
double TempFromEnthalpy(double h, double x);

/// Humidity ratio (g/kg) from enthalpy h (kJ/kg) and temperature t (°C),
/// without fog term.
double HumidityFromEnthalpy(double h, double t);

/// Humidity ratio (g/kg) where the isenthalp h (kJ/kg) meets saturation at
/// p (hPa), plus 1 g/kg: the end of an isenthalp in the chart. Found by
/// stepping x in 0.1 g/kg; throws ArithmeticFault when the stepping does
/// not end within 100000 steps.
double SatHumidityOnIsenthalp(double h, double p);

/// Density (kg/m³) of moist air at t (°C), x (g/kg), p (hPa), scaled so that
/// the reference state 20 °C, 50 %, 1013 hPa gives exactly 1.2.
double Density(double t, double x, double p);

/// Density at the reference state 20 °C, 50 %, 1013 hPa (1.2 kg/m³);
/// 1.1988 if that calculation faults.
double RefDensity();

/// Standard volume flow (at the reference density) of the actual volume
/// flow v (m³/h) of air at t, x, p.
double ToStdVolume(double v, double t, double x, double p);

/// Actual volume flow (m³/h) of the standard volume flow vStd of air at t, x, p.
double ToActVolume(double vStd, double t, double x, double p);

/// Temperature (°C) of the state on the isenthalp through (t, x) at p whose
/// relative humidity is phiTarget (%); with phiTarget = 100 the wet-bulb
/// temperature. Bisection to 1e-5 K. Throws ArithmeticFault for t > 1000,
/// x < 0 or a non-finite argument; a fault inside the search returns the
/// temperature reached so far.
double TempOnIsenthalp(double t, double x, double p, double phiTarget);

/// Kinematic viscosity of air (m²/s) at t (°C).
double KinViscosity(double t);
/// Prandtl number of air at t (°C).
double Prandtl(double t);
/// Thermal conductivity of air (W/(m·K)) at t (°C).
double Conductivity(double t);
/// Specific heat of dry air (kJ/(kg·K)) at t (°C).
double CpDryAir(double t);
/// Specific heat of water vapour (kJ/(kg·K)) at t (°C).
double CpVapour(double t);

/// Pressure (hPa) of the standard atmosphere at altitude h (m); 1013 at sea
/// level. Throws ArithmeticFault above 44307.7 m (negative power base).
double PressureFromAltitude(double h);

/// Altitude (m) of the standard atmosphere at pressure p (hPa); 0 at 1013.
/// Throws ArithmeticFault for negative p.
double AltitudeFromPressure(double p);

/// Result of adiabatic mixing: dry-air mass flow (kg/h), temperature (°C),
/// humidity ratio (g/kg).
struct MixResult {
    double M;
    double t;
    double x;
};

/// Adiabatic mixing of two dry-air mass flows (x g/kg, t °C, M kg/h) at p.
/// A mixture in the fog region is warmed in 0.001 K steps to the mixing
/// enthalpy and its excess water condensed out. Throws ArithmeticFault for
/// a zero total mass flow or when the warming exceeds 200 K.
MixResult MixAir(double x1, double t1, double M1, double x2, double t2, double M2, double p);

} // namespace tavro
