#include "physics/unit_conversion.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavro {
namespace {

struct Case {
    int type, from, to;
    double value, expected;
};

// The defining values of each unit, to 1e-9 relative (the factors are exact
// decimal constants; only binary rounding differs).
TEST(Umrechnung, DefiningValues) {
    const Case cases[] = {
        {kTypeTemperature, kUnitCelsius, kUnitFahrenheit, 0, 32},
        {kTypeTemperature, kUnitFahrenheit, kUnitCelsius, 212, 100},
        {kTypeTemperature, kUnitCelsius, kUnitFahrenheit, -40, -40},
        {kTypeEnthalpy, kUnitKJPerKg, kUnitBtuPerLb, 0, 7.71},
        {kTypeEnthalpy, kUnitBtuPerLb, kUnitKJPerKg, 7.71, 0},
        {kTypeVolumeFlow, kUnitM3PerH, kUnitCfm, 1000, 588.6},
        {kTypeHumidityRatio, kUnitGPerKg, kUnitGrPerLb, 1, 7},
        {kTypePressureDrop, kUnitInWG, kUnitPa, 1, 249.08},
        {kTypePressureDrop, kUnitBar, kUnitPa, 1, 100000},
        {kTypePressureDrop, kUnitPsi, kUnitPa, 14.504, 100000},
        {kTypeVelocity, kUnitMPerS, kUnitFpm, 1, 196.85},
        {kTypeHeatFlow, kUnitKW, kUnitW, 2, 2000},
        {kTypeHeatFlow, kUnitKW, kUnitBtuPerH, 1, 3412},
        {kTypeAirPressure, kUnitAtm, kUnitMbar, 1, 1013},
        {kTypeMassFlow, kUnitKgPerH, kUnitLbPerH, 1, 2.2046},
        {kTypeMass, kUnitKg, kUnitLb, 10, 22.046},
        {kTypeLength, kUnitMm, kUnitM, 600, 0.6},
        {kTypeLength, kUnitM, kUnitFt, 1, 3.2808},
        {kTypeLength, kUnitIn, kUnitMm, 1, 25.4},
        {kTypeDensity, kUnitLbPerFt3, kUnitKgPerM3, 1, 16.0185},
        // Motor power has kW as its base, heat flow has W.
        {kTypeMotorPower, kUnitW, kUnitKW, 1500, 1.5},
        {kTypeMotorPower, kUnitHP, kUnitKW, 1, 0.7457},
        {kTypeMotorPower, kUnitKW, kUnitW, 1, 1000},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(Umrechnung(c.type, c.from, c.to, c.value), c.expected,
                    1e-9 * std::max(1.0, std::fabs(c.expected)))
            << "type " << c.type << " " << c.from << " -> " << c.to;
    }
}

TEST(Umrechnung, EveryUnitRoundTripsThroughItsBase) {
    const int units[][3] = {{1, 1, 2},    {2, 3, 4},    {3, 5, 6},    {4, 7, 8},    {4, 7, 30},
                            {4, 7, 31},   {5, 9, 10},   {6, 11, 12},  {6, 11, 13},  {7, 14, 15},
                            {8, 16, 17},  {9, 18, 19},  {10, 20, 21}, {10, 20, 22}, {10, 20, 23},
                            {11, 24, 25}, {13, 28, 29}, {14, 12, 11}, {14, 12, 32}};
    for (const auto& u : units) {
        for (double v : {-17.5, 0.0, 3.25, 12345.0}) {
            const double there = Umrechnung(u[0], u[1], u[2], v);
            EXPECT_NEAR(Umrechnung(u[0], u[2], u[1], there), v, 1e-10 * std::max(1.0, std::fabs(v)))
                << "type " << u[0] << " unit " << u[2];
            EXPECT_DOUBLE_EQ(Umrechnung(u[0], u[2], u[2], there), there);
        }
    }
}

TEST(Umrechnung, UnknownTypesAndCodes) {
    EXPECT_EQ(Umrechnung(12, 26, 27, 5.5), 5.5); // type 12 is not assigned
    EXPECT_EQ(Umrechnung(99, 1, 2, 5.5), 5.5);
    EXPECT_EQ(Umrechnung(kTypeTemperature, kUnitCelsius, kUnitCfm, 20),
              20); // target not of the type
    EXPECT_EQ(Umrechnung(kTypeTemperature, kUnitCelsius, 0, 20), 20);
    // An unknown source is taken as the base unit.
    EXPECT_EQ(Umrechnung(kTypeTemperature, 0, kUnitFahrenheit, 100), 212);
}

TEST(ShownQuantities, SiIsTheIdentityAndInchPoundRoundTrips) {
    const DisplayQuantity all[] = {kShownVolumeFlow,    kShownMassFlow, kShownTemperature,
                                   kShownHumidityRatio, kShownEnthalpy, kShownVelocity,
                                   kShownPressureDrop,  kShownHeatFlow, kShownLength,
                                   kShownMass};
    for (const DisplayQuantity& q : all) {
        EXPECT_EQ(ToShown(q, true, 12.5), 12.5);
        EXPECT_EQ(FromShown(q, true, 12.5), 12.5);
        EXPECT_NEAR(FromShown(q, false, ToShown(q, false, 12.5)), 12.5, 1e-10) << q.type;
    }
    EXPECT_NEAR(ToShown(kShownVolumeFlow, false, 10000), 5886, 1e-9);
    EXPECT_NEAR(ToShown(kShownHeatFlow, false, 1), 3412, 1e-9); // kW to BTU/h
    EXPECT_NEAR(ToShown(kShownLength, false, 25.4), 1, 1e-12);  // mm to in
    EXPECT_NEAR(ToShown(kShownTemperature, false, -30), -22, 1e-12);
}

TEST(UnitLabels, QuotedLabelsAndTextNumbers) {
    EXPECT_EQ(UnitLabel(kUnitInWG), "in.W.G.");
    EXPECT_EQ(UnitLabel(kUnitGrPerLb), "gr/lb");
    EXPECT_EQ(UnitLabel(kUnitM3PerH), "m³/h");
    EXPECT_EQ(UnitLabel(kUnitHP), "HP");
    EXPECT_EQ(UnitLabel(26), "");
    EXPECT_EQ(TextNumberOfUnit(kUnitCelsius), 411);
    EXPECT_EQ(TextNumberOfUnit(kUnitPa), 0);
}

} // namespace
} // namespace tavro
