#include "physics/exchanger_formulas.h"

#include "physics/moist_air.h"
#include "physics/numeric/errors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavro {
namespace {

TEST(CrossFlowEff, EqualCapacityFlowsUseTheNeighbouringRatio) {
    for (double ntu : {0.5, 1.0, 3.0, 8.0}) {
        EXPECT_EQ(CrossFlowEff(1.0, ntu), CrossFlowEff(0.9999, ntu));
        EXPECT_EQ(CrossFlowEff(1.00005, ntu), CrossFlowEff(0.9999, ntu));
    }
}

TEST(CrossFlowEff, AgreesWithTheTextbookCorrelation) {
    // Both streams unmixed: the usual handbook correlation
    // ε = 1 − exp(NTU^0.22 / R · (exp(−R · NTU^0.78) − 1)) is itself within
    // about 1 % of the exact series solution; the two fits agree to 2 %.
    for (double R : {0.25, 0.5, 0.8, 1.0}) {
        for (double ntu : {0.5, 1.0, 2.0, 4.0, 6.0}) {
            const double ref =
                1 - std::exp(std::pow(ntu, 0.22) / R * (std::exp(-R * std::pow(ntu, 0.78)) - 1));
            EXPECT_NEAR(CrossFlowEff(R, ntu), ref, 0.02) << "R " << R << " NTU " << ntu;
        }
    }
}

TEST(CrossFlowEff, RisesWithTransferNumberAndStaysBelowOne) {
    for (double R : {0.2, 0.7, 1.0, 1.5}) {
        double previous = 0;
        for (double ntu = 0.1; ntu <= 12; ntu += 0.1) {
            const double e = CrossFlowEff(R, ntu);
            EXPECT_GT(e, previous) << "R " << R << " NTU " << ntu;
            EXPECT_LT(e, 1.0);
            previous = e;
        }
    }
    EXPECT_EQ(CrossFlowEff(0.5, 0), 0.0);
}

TEST(SeriesEff, OneUnitIsTheIdentityAndMoreUnitsGainEfficiency) {
    EXPECT_EQ(SeriesEff(1, 0.8, 0.55), 0.55);
    EXPECT_EQ(SeriesEff(1, 1.0, 0.55), 0.55);
    // For R = 1 the counter-current series gives nε / (1 + (n − 1)ε); the
    // ratio is taken as 0.9999, which moves the result by about 1e-5.
    for (int n = 2; n <= 4; ++n) {
        EXPECT_NEAR(SeriesEff(n, 1.0, 0.5), n * 0.5 / (1 + (n - 1) * 0.5), 1e-4) << n;
        EXPECT_GT(SeriesEff(n, 0.8, 0.5), SeriesEff(n - 1, 0.8, 0.5));
    }
    EXPECT_THROW(SeriesEff(2, 0.8, 1.0), ArithmeticFault);
}

TEST(Nusselt, GrowsWithReynoldsNumberForEveryBlockEdge) {
    for (int L : {200, 300, 390, 400, 500, 600, 700, 800, 1000, 1200, 1400}) {
        double previous = 0;
        // From Re 400 on: below it the turbulent term changes sign.
        for (double re = 400; re < 8000; re *= 1.5) {
            const double nu = Nusselt(L, 0.71, 11, re);
            EXPECT_GT(nu, previous) << L << " Re " << re;
            previous = nu;
        }
    }
}

TEST(BlockPressureDrop, ZeroVelocityAndGrowth) {
    EXPECT_EQ(BlockPressureDrop(600, 5.5, 1.2, 20, 0), 0.0);
    EXPECT_EQ(BlockPressureDrop(600, 5.5, 1.2, 20, -1), 0.0);
    for (int L : {200, 300, 400, 500, 600, 700, 800, 1000, 1200, 1500}) {
        const double low = BlockPressureDrop(L, 5.5, 1.2, 20, 2);
        const double high = BlockPressureDrop(L, 5.5, 1.2, 20, 4);
        EXPECT_GT(low, 0) << L;
        EXPECT_GT(high, 2 * low) << L; // at least linear, at most quadratic in v
        EXPECT_LT(high, 4 * low) << L;
    }
    EXPECT_GT(BlockPressureDrop(600, 5.5, 1.3, 20, 3), BlockPressureDrop(600, 5.5, 1.2, 20, 3));
}

TEST(CoolingPathTemp, StraightLineTowardsTheColdSide) {
    // Moderately humid air reaches the target on the straight line towards
    // (tCold + 30 % of the difference, its saturation humidity) before it
    // meets saturation; the result lies one step (1 % of the line) past it.
    const double p = 1013;
    const double xIn = HumidityRatio(22, 60, p);
    const double hIn = Enthalpy(22, xIn, p);
    const double t = CoolingPathTemp(p, hIn - 25, xIn, 22, -10);
    const double tEnd = -10 + 0.3 * 32;
    const double xEnd = std::min(xIn, HumidityRatio(tEnd, 100, p));
    const double k = (22 - t) / (22 - tEnd);
    const double x = xIn - (xIn - xEnd) * k;
    const double step = 0.01 * (hIn - Enthalpy(tEnd, xEnd, p));
    EXPECT_LE(Enthalpy(t, x, p), hIn - 25);
    EXPECT_GT(Enthalpy(t, x, p), hIn - 25 - 1.01 * step);
    EXPECT_LT(HumidityRatio(t, 100, p), x * 1.5); // close to, but not on, saturation
}

TEST(CoolingPathTemp, SaturatedAirFollowsTheSaturationLine) {
    const double p = 1013;
    const double xIn = HumidityRatio(22, 100, p) + 0.5; // slightly foggy
    const double hTarget = Enthalpy(22, xIn, p) - 20;
    const double t = CoolingPathTemp(p, hTarget, xIn, 22, -10);
    // 0.05 K steps along saturation: within 0.2 kJ/kg of the target.
    EXPECT_NEAR(Enthalpy(t, HumidityRatio(t, 100, p), p), hTarget, 0.2);
}

TEST(CoolingPathTemp, TargetAboveTheInletLeavesTheInletTemperature) {
    const double xIn = HumidityRatio(22, 60, 1013);
    EXPECT_EQ(CoolingPathTemp(1013, Enthalpy(22, xIn, 1013) + 1, xIn, 22, -10), 22);
}

} // namespace
} // namespace tavro
