#include "physics/unit_conversion.h"

#include <array>

namespace tavro {

namespace {

// One unit of a quantity type: base = (v - offset) / divisor * factor, and
// back: v = base * divisor / factor + offset. Divisor and factor are kept
// apart so that each conversion is the plain division or multiplication of
// its definition (cfm: v / 0.5886, in.W.G.: v · 249.08).
struct Unit {
    int type;
    int code;
    double offset;
    double divisor;
    double factor;
    bool base;
    std::string_view label;
};

constexpr std::array kUnits = {
    Unit{kTypeVolumeFlow, kUnitM3PerH, 0, 1, 1, true, "m³/h"},
    Unit{kTypeVolumeFlow, kUnitCfm, 0, 0.5886, 1, false, "cfm"},
    Unit{kTypeTemperature, kUnitCelsius, 0, 1, 1, true, "°C"},
    Unit{kTypeTemperature, kUnitFahrenheit, 32, 180, 100, false, "°F"},
    Unit{kTypeHumidityRatio, kUnitGPerKg, 0, 1, 1, true, "g/kg"},
    Unit{kTypeHumidityRatio, kUnitGrPerLb, 0, 7, 1, false, "gr/lb"},
    Unit{kTypePressureDrop, kUnitPa, 0, 1, 1, true, "Pa"},
    Unit{kTypePressureDrop, kUnitInWG, 0, 1, 249.08, false, "in.W.G."},
    Unit{kTypePressureDrop, kUnitBar, 0, 1, 100000, false, "bar"},
    Unit{kTypePressureDrop, kUnitPsi, 0, 14.504, 100000, false, "psi"},
    Unit{kTypeVelocity, kUnitMPerS, 0, 1, 1, true, "m/s"},
    Unit{kTypeVelocity, kUnitFpm, 0, 196.85, 1, false, "fpm"},
    Unit{kTypeHeatFlow, kUnitW, 0, 1, 1, true, "W"},
    Unit{kTypeHeatFlow, kUnitKW, 0, 1, 1000, false, "kW"},
    Unit{kTypeHeatFlow, kUnitBtuPerH, 0, 3412, 1000, false, "BTU/h"},
    Unit{kTypeAirPressure, kUnitMbar, 0, 1, 1, true, "mbar"},
    Unit{kTypeAirPressure, kUnitAtm, 0, 1, 1013, false, "atm"},
    Unit{kTypeMassFlow, kUnitKgPerH, 0, 1, 1, true, "kg/h"},
    Unit{kTypeMassFlow, kUnitLbPerH, 0, 2.2046, 1, false, "lb/h"},
    Unit{kTypeMass, kUnitKg, 0, 1, 1, true, "kg"},
    Unit{kTypeMass, kUnitLb, 0, 2.2046, 1, false, "lb"},
    Unit{kTypeLength, kUnitM, 0, 1, 1, true, "m"},
    Unit{kTypeLength, kUnitMm, 0, 1000, 1, false, "mm"},
    Unit{kTypeLength, kUnitFt, 0, 3.2808, 1, false, "ft"},
    Unit{kTypeLength, kUnitIn, 0, 1, 0.0254, false, "in"},
    Unit{kTypeEnthalpy, kUnitKJPerKg, 0, 1, 1, true, "kJ/kg"},
    Unit{kTypeEnthalpy, kUnitBtuPerLb, 7.71, 1, 2.3244, false, "BTU/lb"},
    Unit{kTypeDensity, kUnitKgPerM3, 0, 1, 1, true, "kg/m³"},
    Unit{kTypeDensity, kUnitLbPerFt3, 0, 1, 16.0185, false, "lb/ft³"},
    Unit{kTypeMotorPower, kUnitKW, 0, 1, 1, true, "kW"},
    Unit{kTypeMotorPower, kUnitW, 0, 1000, 1, false, "W"},
    Unit{kTypeMotorPower, kUnitHP, 0, 1, 0.7457, false, "HP"},
};

const Unit* Find(int type, int code) {
    for (const Unit& u : kUnits) {
        if (u.type == type && u.code == code) return &u;
    }
    return nullptr;
}

bool KnownType(int type) {
    for (const Unit& u : kUnits) {
        if (u.type == type) return true;
    }
    return false;
}

double ToBase(const Unit& u, double v) {
    if (u.base) return v;
    double r = v - u.offset;
    if (u.divisor != 1) r /= u.divisor;
    if (u.factor != 1) r *= u.factor;
    return r;
}

double FromBase(const Unit& u, double base) {
    if (u.base) return base;
    double r = base;
    if (u.divisor != 1) r *= u.divisor;
    if (u.factor != 1) r /= u.factor;
    return r + u.offset;
}

} // namespace

double Umrechnung(int type, int from, int to, double value) {
    if (!KnownType(type)) return value;
    const Unit* target = Find(type, to);
    if (target == nullptr) return value;
    const Unit* source = Find(type, from);
    const double base = source != nullptr ? ToBase(*source, value) : value;
    return FromBase(*target, base);
}

double ToShown(const DisplayQuantity& q, bool si, double value) {
    return si ? value : Umrechnung(q.type, q.internal, q.imperial, value);
}

double FromShown(const DisplayQuantity& q, bool si, double value) {
    return si ? value : Umrechnung(q.type, q.imperial, q.internal, value);
}

std::string_view UnitLabel(int code) {
    for (const Unit& u : kUnits) {
        if (u.code == code) return u.label;
    }
    return {};
}

int TextNumberOfUnit(int code) {
    switch (code) {
    case kUnitM3PerH:
        return 410;
    case kUnitCelsius:
        return 411;
    case kUnitFahrenheit:
        return 412;
    default:
        return 0;
    }
}

} // namespace tavro
