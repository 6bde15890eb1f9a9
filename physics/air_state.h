#pragma once

#include <cstdint>

namespace tavro {

/// One air state with its flows: the quantities of a stream's inlet or
/// outlet block in a calculation record, in the record's order and units.
struct StreamState {
    double SVol = 0;    ///< standard volume flow (at 1.2 kg/m³), m³/h
    double Vol = 0;     ///< actual volume flow, m³/h
    double Temp = 0;    ///< temperature, °C
    double Phi = 0;     ///< relative humidity, %
    double X = 0;       ///< humidity ratio, g/kg
    double Dew = 0;     ///< dew point, °C
    double WetBulb = 0; ///< wet-bulb temperature, °C
    double H = 0;       ///< enthalpy, kJ/kg
    double Rho = 0;     ///< density, kg/m³
    double MDry = 0;    ///< dry-air mass flow, kg/h
    double MWater = 0;  ///< water carried as vapour, kg/h
    double MAir = 0;    ///< moist-air mass flow, kg/h
};

/// Which two state quantities are given (a record's AirState).
enum AirStateMode : uint8_t {
    kGivenTempPhi = 0,
    kGivenTempX = 1,
    kGivenTempH = 2,
    kGivenXH = 3,
    kGivenHPhi = 4,
    kGivenXPhi = 5,
    kGivenTempDew = 6,
    kGivenTempWetBulb = 7,
    kGivenDewH = 8,
    kGivenDewWetBulb = 9,
    kGivenDewPhi = 10,
    kGivenWetBulbPhi = 11,
    kGivenWetBulbX = 12,
};

/// Which flow quantity is given (a record's AirQuant).
enum AirQuantMode : uint8_t {
    kGivenStdVolume = 0,
    kGivenActVolume = 1,
    kGivenDryMass = 2,
    kGivenMoistMass = 3,
};

/// Fills the state quantities (Temp, Phi, X, Dew, WetBulb, H, Rho) of s that
/// the mode does not give, at pressure p (hPa). Modes 0 to 6 also set Dew,
/// WetBulb and Rho; modes 7 to 12 set only what they compute; a mode outside
/// 0..12 changes nothing. Returns true. Faults propagate as ArithmeticFault;
/// the quantities computed before the fault stay in s.
bool CompleteState(int mode, StreamState& s, double p);

/// Throws ArithmeticFault naming `what` and the quantity when s cannot be
/// a real air state: any quantity not a finite number, a temperature below
/// absolute zero, or a negative relative humidity, humidity ratio, density,
/// volume flow or mass flow. The calculation stages run it on every state
/// they complete, so that a state the formulas carried outside their
/// physical range ends its stage as a fault instead of passing as a result.
void CheckPhysicalState(const StreamState& s, const char* what);

/// Fills the flow quantities (SVol, Vol, MAir, MDry) of s from the one the
/// mode gives, using s's Temp, X and Rho at pressure p (hPa); then, for any
/// mode value, sets MWater from MDry. Faults propagate as ArithmeticFault.
void CompleteFlow(int mode, StreamState& s, double p);

} // namespace tavro
