#include "physics/moist_air.h"

#include "physics/numeric/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tavro {
namespace {

// Tolerances: results of the searches are exact to their stopping width
// (1e-6 K dew point, 1e-5 K isenthalp); closed formulas are compared to a few
// ulps; textbook reference values to the digits the textbook prints.

TEST(SatPressure, BranchesMeetAtTheirLimits) {
    EXPECT_EQ(SatPressure(0), 611.0);
    EXPECT_NEAR(SatPressure(-0.001), 610.95, 0.005); // ice branch just below 0
    EXPECT_NEAR(SatPressure(0.001), 611.04, 0.005);  // water branch just above 0
    EXPECT_DOUBLE_EQ(SatPressure(250), 250.0 * 250.0 * 250.0 * 250.0 / 1000.0);
    EXPECT_NEAR(SatPressure(-10), 260.1, 0.05);
    // Textbook values over water: 2339 Pa at 20 °C, 101325 Pa at 100 °C (the
    // fits are good to about half a percent there).
    EXPECT_NEAR(SatPressure(20), 2339, 2339 * 0.005);
    EXPECT_NEAR(SatPressure(100), 101325, 101325 * 0.01);
}

TEST(SatPressure, IncreasesMonotonicallyAcrossAllBranches) {
    double previous = SatPressure(-100);
    for (double t = -99.5; t <= 400; t += 0.5) {
        const double ps = SatPressure(t);
        EXPECT_GT(ps, previous) << "at t = " << t;
        previous = ps;
    }
}

TEST(SatPressure, FaultsOnNonFiniteOrOverflow) {
    EXPECT_THROW(SatPressure(std::nan("")), ArithmeticFault);
    EXPECT_THROW(SatPressure(INFINITY), ArithmeticFault);
    EXPECT_THROW(SatPressure(1e200), ArithmeticFault);
    EXPECT_EQ(SatPressure(-1e200), 0.0); // underflows to no vapour at all, not a fault
}

TEST(HumidityRatio, ReferenceStateAndNeutralValues) {
    EXPECT_NEAR(HumidityRatio(20, 50, 1013), 7.258, 0.0005);
    EXPECT_EQ(HumidityRatio(20, 0, 1013), 0.0);
    EXPECT_EQ(HumidityRatio(20, -5, 1013), 0.0);
    EXPECT_EQ(HumidityRatio(20, std::nan(""), 1013), 0.0);
    EXPECT_EQ(HumidityRatio(std::nan(""), 50, 1013), 0.0);
}

// Above the boiling point at its pressure (80 °C at 300 hPa) the formula's
// denominator 100·p − pd turns negative: the saturation humidity ratio
// came out at −1697 g/kg, and every "x above saturation" test took dry
// air for fog. There is no saturation there: unbounded, never negative.
TEST(HumidityRatio, SaturationAboveTheBoilingPointIsUnboundedNotNegative) {
    constexpr double kUnbounded = std::numeric_limits<double>::infinity();
    EXPECT_EQ(HumidityRatio(80, 100, 300), kUnbounded);
    EXPECT_EQ(HumidityRatio(0, 100, 6.11), kUnbounded);  // pd equals the total pressure
    EXPECT_EQ(HumidityRatio(120, 60, 1013), kUnbounded); // 60 % of 1985 hPa
    EXPECT_EQ(HumidityRatio(20, 50, 0), kUnbounded);     // no air at all
    // Just below the boiling point the value is large and finite.
    const double ps = SatPressure(80); // 47355 Pa
    EXPECT_NEAR(HumidityRatio(80, 100, 500), 622 * ps / (50000 - ps), 1e-8);
    // A saturation pressure that overflows stays the neutral value.
    EXPECT_EQ(HumidityRatio(1e200, 50, 1013), 0.0);
}

TEST(Enthalpy, AirAboveTheBoilingPointIsNeverFog) {
    // 80 °C, 10 g/kg at 300 hPa: dry hot air, not −3830 kJ/kg of fog.
    EXPECT_DOUBLE_EQ(Enthalpy(80, 10, 300), 1.007 * 80 + (2501 + 1.86 * 80) * 10 / 1000);
    const MixResult mix = MixAir(10, 80, 1000, 20, 70, 1000, 300);
    EXPECT_NEAR(mix.x, 15, 1e-12); // nothing condenses
    EXPECT_GT(mix.t, 70);
    EXPECT_LT(mix.t, 80);
    // The wet bulb of the hot air lies below the boiling point, on saturation.
    const double wb = TempOnIsenthalp(80, 10, 300, 100);
    EXPECT_NEAR(RelHumidity(wb, HumidityFromEnthalpy(Enthalpy(80, 10, 300), wb), 300), 100, 1e-3);
}

TEST(RelHumidity, NeutralValuesAndSupersaturation) {
    EXPECT_EQ(RelHumidity(20, 0, 1013), 0.0);
    EXPECT_EQ(RelHumidity(20, -1, 1013), 0.0);
    EXPECT_EQ(RelHumidity(-1e6, 5, 1013), 0.0); // saturation pressure underflows to 0
    EXPECT_GT(RelHumidity(20, 20, 1013), 100.0);
}

TEST(RelHumidity, InvertsHumidityRatio) {
    for (double p : {700.0, 1013.0, 1100.0}) {
        for (double t : {-30.0, -5.0, 0.0, 12.0, 35.0, 80.0}) {
            for (double phi : {5.0, 50.0, 100.0}) {
                EXPECT_NEAR(RelHumidity(t, HumidityRatio(t, phi, p), p), phi, 1e-9 * phi)
                    << t << " °C " << phi << " % " << p << " hPa";
            }
        }
    }
}

TEST(DewPoint, InvertsTheSaturationHumidity) {
    for (double p : {800.0, 1013.0}) {
        for (double td : {-40.0, -10.0, -0.5, 0.5, 10.0, 30.0, 60.0, 90.0}) {
            EXPECT_NEAR(DewPoint(HumidityRatio(td, 100, p), p), td, 2e-6) << td << " at " << p;
        }
    }
}

TEST(DewPoint, FromPressureCoversEveryEstimateRange) {
    // One partial pressure in each range of the estimate polynomial
    // (ln pd below 6, below 11, below 15, from 15 on).
    for (double t : {-60.0, -20.0, 25.0, 95.0, 180.0, 260.0, 400.0}) {
        EXPECT_NEAR(DewPointFromPressure(SatPressure(t)), t, 2e-6) << t;
    }
}

TEST(DewPoint, DryAirIsTakenAsAHundredthGram) {
    EXPECT_EQ(DewPoint(0, 1013), DewPoint(0.01, 1013));
    EXPECT_EQ(DewPoint(0.00005, 1013), DewPoint(0.01, 1013));
    EXPECT_LT(DewPoint(0, 1013), -50.0);
}

TEST(DewPoint, FaultsWhenNoEstimateCanBeFormed) {
    EXPECT_THROW(DewPointFromPressure(0), ArithmeticFault);
    EXPECT_THROW(DewPointFromPressure(-10), ArithmeticFault);
    EXPECT_THROW(DewPoint(-5, 1013), ArithmeticFault);
    EXPECT_THROW(DewPoint(std::nan(""), 1013), ArithmeticFault);
}

TEST(TempFromHumidity, GivesTheTemperatureOfTheRequestedHumidity) {
    const double x = HumidityRatio(20, 50, 1013);
    EXPECT_NEAR(TempFromHumidity(x, 1013, 50), 20.0, 2e-6);
    EXPECT_NEAR(TempFromHumidity(x, 1013, 100), DewPoint(x, 1013), 1e-9);
    EXPECT_THROW(TempFromHumidity(x, 1013, 0), ArithmeticFault);
}

TEST(Enthalpy, ReferenceStateAndFog) {
    EXPECT_NEAR(Enthalpy(20, HumidityRatio(20, 50, 1013), 1013), 38.56, 0.005);
    // One gram of water above saturation: ice below 0 °C, liquid above.
    const double xsCold = HumidityRatio(-5, 100, 1013);
    EXPECT_NEAR(Enthalpy(-5, xsCold + 1, 1013),
                1.007 * -5 + (2501 - 1.86 * 5) * xsCold / 1000 + (2.09 * -5 - 344) / 1000, 1e-12);
    const double xsWarm = HumidityRatio(5, 100, 1013);
    EXPECT_NEAR(Enthalpy(5, xsWarm + 1, 1013),
                1.007 * 5 + (2501 + 1.86 * 5) * xsWarm / 1000 + 4.19 * 5 / 1000, 1e-12);
    // From 100 °C on there is no saturation test.
    EXPECT_DOUBLE_EQ(Enthalpy(120, 500, 1013), 1.007 * 120 + (2501 + 1.86 * 120) * 0.5);
}

TEST(Enthalpy, InverseRelationsRoundTrip) {
    for (double t : {-20.0, 0.0, 25.0, 60.0}) {
        for (double x : {0.0, 3.0, 12.0}) {
            const double h = 1.007 * t + (2501 + 1.86 * t) * x / 1000;
            EXPECT_NEAR(TempFromEnthalpy(h, x), t, 1e-12);
            EXPECT_NEAR(HumidityFromEnthalpy(h, t), x, 1e-12);
        }
    }
    EXPECT_THROW(HumidityFromEnthalpy(10, -2501.0 / 1.86), ArithmeticFault);
}

TEST(Density, IsExactlyTheReferenceAtTheReferenceState) {
    EXPECT_NEAR(Density(20, HumidityRatio(20, 50, 1013), 1013), 1.2, 1e-8);
    EXPECT_NEAR(RefDensity(), 1.2, 1e-8);
    EXPECT_GT(Density(-20, 0.5, 1013), Density(30, 0.5, 1013));
    EXPECT_THROW(Density(-273.15, 0, 1013), ArithmeticFault);
}

TEST(Volume, StandardAndActualRoundTrip) {
    for (double p : {850.0, 1013.0}) {
        for (double t : {-25.0, 20.0, 45.0}) {
            const double v = ToActVolume(10000, t, 5, p);
            EXPECT_NEAR(ToStdVolume(v, t, 5, p), 10000, 1e-9);
        }
    }
    // Cold air is denser: the same standard volume takes less actual volume.
    EXPECT_LT(ToActVolume(10000, -20, 0.5, 1013), 10000);
    EXPECT_THROW(ToActVolume(10000, 20, 5, 0), ArithmeticFault);
}

TEST(TempOnIsenthalp, ShortCutsAndWetBulb) {
    const double x = HumidityRatio(20, 50, 1013);
    const double phi = RelHumidity(20, x, 1013);
    EXPECT_EQ(TempOnIsenthalp(20, x, 1013, phi), 20.0);
    EXPECT_EQ(TempOnIsenthalp(20, x, 1013, phi + 0.5e-5), 20.0);
    EXPECT_DOUBLE_EQ(TempOnIsenthalp(20, x, 1013, 0), Enthalpy(20, x, 1013) / 1.007);
    // Psychrometric tables give a wet bulb of 13.7 °C for 20 °C, 50 %.
    const double wb = TempOnIsenthalp(20, x, 1013, 100);
    EXPECT_NEAR(wb, 13.7, 0.1);
    // The wet bulb lies on the isenthalp, at saturation.
    const double xs = HumidityRatio(wb, 100, 1013);
    EXPECT_NEAR(Enthalpy(wb, xs, 1013), Enthalpy(20, x, 1013), 1e-3);
}

TEST(TempOnIsenthalp, WalksOutOfFogAndClipsSupersaturatedTargets) {
    const double xs = HumidityRatio(10, 100, 1013);
    const double fogWb = TempOnIsenthalp(10, xs + 3, 1013, 100);
    EXPECT_GT(fogWb, 10.0); // fog carries more enthalpy than saturated air at 10 °C
    // The bracket is searched with the unclipped target, so the two differ by
    // no more than the bisection width.
    EXPECT_NEAR(TempOnIsenthalp(20, 5, 1013, 130), TempOnIsenthalp(20, 5, 1013, 100), 1e-5);
}

TEST(TempOnIsenthalp, RaisesForHotOrNegativeHumidity) {
    EXPECT_THROW(TempOnIsenthalp(1000.5, 5, 1013, 100), ArithmeticFault);
    EXPECT_THROW(TempOnIsenthalp(20, -0.1, 1013, 100), ArithmeticFault);
    EXPECT_NO_THROW(TempOnIsenthalp(1000, 5, 1013, 100));
}

TEST(SatHumidityOnIsenthalp, EndsOneGramAboveSaturation) {
    for (double h : {-10.0, 10.0, 38.56, 90.0}) {
        const double x = SatHumidityOnIsenthalp(h, 1013) - 1;
        const double t = (h - 2.501 * x) / (1.007 + 1.86 * x / 1000);
        EXPECT_LE(HumidityRatio(t, 100, 1013), x);
        EXPECT_GT(HumidityRatio(t, 100, 1013), x - 0.2); // within one step of 0.1 g/kg
    }
}

TEST(TransportProperties, LinearAndPolynomialFits) {
    EXPECT_DOUBLE_EQ(KinViscosity(0), 13.748e-6);
    EXPECT_DOUBLE_EQ(Conductivity(0), 0.024083);
    EXPECT_DOUBLE_EQ(Prandtl(100), 0.718 - 0.02 + 0.007);
    EXPECT_NEAR(CpDryAir(20), 1.0067, 5e-4);
    EXPECT_NEAR(CpDryAir(200), CpDryAir(200.000001), 1e-3); // the two fits nearly meet
    EXPECT_NEAR(CpVapour(0), 1.86, 1e-12);
}

TEST(StandardAtmosphere, SeaLevelAndRoundTrip) {
    EXPECT_DOUBLE_EQ(PressureFromAltitude(0), 1013.0);
    EXPECT_DOUBLE_EQ(AltitudeFromPressure(1013), 0.0);
    for (double h : {-400.0, 250.0, 1500.0, 4800.0}) {
        EXPECT_NEAR(AltitudeFromPressure(PressureFromAltitude(h)), h, 1e-6);
    }
    // ISA: 898.75 hPa at 1000 m above 1013.25 hPa, that is 898.53 above 1013;
    // the rounded exponent 5.255 costs about 0.05 hPa.
    EXPECT_NEAR(PressureFromAltitude(1000), 898.53, 0.1);
    EXPECT_THROW(PressureFromAltitude(50000), ArithmeticFault);
    EXPECT_THROW(AltitudeFromPressure(-1), ArithmeticFault);
}

TEST(MixAir, ConservesMassHumidityAndEnthalpy) {
    const MixResult same = MixAir(5, 20, 1000, 5, 20, 3000, 1013);
    EXPECT_DOUBLE_EQ(same.M, 4000);
    EXPECT_NEAR(same.t, 20, 1e-12);
    EXPECT_NEAR(same.x, 5, 1e-12);

    const MixResult r = MixAir(2, -10, 1000, 10, 25, 1000, 1013);
    EXPECT_NEAR(r.x, 6, 1e-12);
    const double h = (Enthalpy(-10, 2, 1013) + Enthalpy(25, 10, 1013)) / 2;
    EXPECT_NEAR(Enthalpy(r.t, r.x, 1013), h, 1e-9);
}

TEST(MixAir, CondensesTheExcessOfAFoggyMixture) {
    // Saturated cold air with saturated warm air lands in the fog region.
    const double x1 = HumidityRatio(0, 100, 1013);
    const double x2 = HumidityRatio(30, 100, 1013);
    const MixResult r = MixAir(x1, 0, 1000, x2, 30, 1000, 1013);
    const double xMix = (x1 + x2) / 2;
    const double h = (Enthalpy(0, x1, 1013) + Enthalpy(30, x2, 1013)) / 2;
    EXPECT_LT(r.x, xMix);
    EXPECT_NEAR(r.x, HumidityRatio(r.t, 100, 1013), 1e-12);
    // Warmed in 0.001 K steps to the mixing enthalpy.
    EXPECT_GE(Enthalpy(r.t, xMix, 1013), h);
    EXPECT_LT(Enthalpy(r.t - 0.001, xMix, 1013), h);
}

TEST(MixAir, FaultsOnZeroMassFlow) {
    EXPECT_THROW(MixAir(5, 20, 0, 5, 20, 0, 1013), ArithmeticFault);
}

// Searches count their steps locally and hand them over when they end: a
// finished search and one that ends by a fault both show in the thread's
// count, and the count is the sum of the searches.
TEST(SearchIterations, SearchesAddTheirStepsWhenTheyEndAlsoByAFault) {
    ResetSearchIterations();
    (void)DewPoint(7.3, 1013.25);
    const uint64_t one = SearchIterations();
    EXPECT_GT(one, 0u);
    (void)DewPoint(7.3, 1013.25);
    EXPECT_EQ(SearchIterations(), 2 * one);

    ResetSearchIterations();
    // An isenthalp far above the boiling point: every step of the search
    // meets unbounded saturation until the step bound ends it.
    EXPECT_THROW((void)SatHumidityOnIsenthalp(1e6, 1013), ArithmeticFault);
    EXPECT_GT(SearchIterations(), 0u);
}

} // namespace
} // namespace tavro
