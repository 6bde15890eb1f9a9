#pragma once

// Conversion between the internal units and the units shown or entered.
// Every displayed or entered physical value passes through Umrechnung.

#include <string_view>

namespace tavro {

/// Quantity types. In every type the first unit code is the internal unit.
enum QuantityType : int {
    kTypeVolumeFlow = 1,
    kTypeTemperature = 2,
    kTypeHumidityRatio = 3,
    kTypePressureDrop = 4,
    kTypeVelocity = 5,
    kTypeHeatFlow = 6,
    kTypeAirPressure = 7,
    kTypeMassFlow = 8,
    kTypeMass = 9,
    kTypeLength = 10,
    kTypeEnthalpy = 11,
    kTypeDensity = 13,
    kTypeMotorPower = 14,
};

/// Unit codes.
enum UnitCode : int {
    kUnitM3PerH = 1,     ///< m³/h
    kUnitCfm = 2,        ///< cubic feet per minute
    kUnitCelsius = 3,    ///< °C
    kUnitFahrenheit = 4, ///< °F
    kUnitGPerKg = 5,     ///< g/kg
    kUnitGrPerLb = 6,    ///< grains per pound
    kUnitPa = 7,         ///< Pa
    kUnitInWG = 8,       ///< inch water gauge
    kUnitMPerS = 9,      ///< m/s
    kUnitFpm = 10,       ///< feet per minute
    kUnitW = 11,         ///< W (base of heat flow; W in motor power)
    kUnitKW = 12,        ///< kW (kW in heat flow; base of motor power)
    kUnitBtuPerH = 13,   ///< BTU/h
    kUnitMbar = 14,      ///< mbar = hPa
    kUnitAtm = 15,       ///< atm
    kUnitKgPerH = 16,    ///< kg/h
    kUnitLbPerH = 17,    ///< lb/h
    kUnitKg = 18,        ///< kg
    kUnitLb = 19,        ///< lb
    kUnitM = 20,         ///< m
    kUnitMm = 21,        ///< mm
    kUnitFt = 22,        ///< ft
    kUnitIn = 23,        ///< in
    kUnitKJPerKg = 24,   ///< kJ/kg
    kUnitBtuPerLb = 25,  ///< BTU/lb
    kUnitKgPerM3 = 28,   ///< kg/m³
    kUnitLbPerFt3 = 29,  ///< lb/ft³
    kUnitBar = 30,       ///< bar
    kUnitPsi = 31,       ///< psi
    kUnitHP = 32,        ///< horsepower
};

/// Converts value of quantity type `type` from unit code `from` to unit code
/// `to`. An unknown type returns value unchanged; an unknown `from` code is
/// taken as the base unit; an unknown `to` code returns value unchanged.
double Umrechnung(int type, int from, int to, double value);

/// A quantity as the windows and pages show it: its type, the internal unit
/// and the unit shown in inch-pound units.
struct DisplayQuantity {
    int type;
    int internal; ///< the unit the records hold
    int imperial; ///< the unit shown with inch-pound units
};

inline constexpr DisplayQuantity kShownVolumeFlow{kTypeVolumeFlow, kUnitM3PerH, kUnitCfm};
inline constexpr DisplayQuantity kShownMassFlow{kTypeMassFlow, kUnitKgPerH, kUnitLbPerH};
inline constexpr DisplayQuantity kShownTemperature{kTypeTemperature, kUnitCelsius, kUnitFahrenheit};
inline constexpr DisplayQuantity kShownHumidityRatio{kTypeHumidityRatio, kUnitGPerKg, kUnitGrPerLb};
inline constexpr DisplayQuantity kShownEnthalpy{kTypeEnthalpy, kUnitKJPerKg, kUnitBtuPerLb};
inline constexpr DisplayQuantity kShownVelocity{kTypeVelocity, kUnitMPerS, kUnitFpm};
inline constexpr DisplayQuantity kShownPressureDrop{kTypePressureDrop, kUnitPa, kUnitInWG};
inline constexpr DisplayQuantity kShownHeatFlow{kTypeHeatFlow, kUnitKW, kUnitBtuPerH};
inline constexpr DisplayQuantity kShownLength{kTypeLength, kUnitMm, kUnitIn};
inline constexpr DisplayQuantity kShownMass{kTypeMass, kUnitKg, kUnitLb};

/// An internal value as shown: unchanged with SI units, converted into the
/// quantity's inch-pound unit otherwise.
double ToShown(const DisplayQuantity& q, bool si, double value);

/// A shown (entered) value back in the internal unit.
double FromShown(const DisplayQuantity& q, bool si, double value);

/// The label shown next to a value in this unit (UTF-8), for example "m³/h"
/// or "in.W.G."; empty for an unknown code. The labels of m³/h, °C and °F are
/// also in the text table (TextNumberOfUnit), which takes precedence in the
/// windows.
std::string_view UnitLabel(int code);

/// The text-table number of the unit's label (410 m³/h, 411 °C, 412 °F), or
/// 0 when the label is not a text of the table.
int TextNumberOfUnit(int code);

} // namespace tavro
