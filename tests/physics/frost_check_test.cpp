// The frost check of calculated records: the heat-transfer data and units
// it takes from the exchanger calculation, the dry outlets against the
// record, the figures of typical selections, how the frost limit moves with
// efficiency, flow ratio and humidity, preheat and bypass, units in series,
// and bad input.

#include "physics/frost_check.h"

#include "physics/cross_flow.h"
#include "physics/exchanger_formulas.h"
#include "physics/moist_air.h"
#include "physics/numeric/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tavro {
namespace {

struct Selection {
    int edge, width, ptype;
    int series = 1;
};

// Return air 22 °C with phiReturn, outside air at tOutside and phiOutside,
// standard volume flows in m³/h.
TDatenREK Calculated(Selection s, double tOutside, double phiReturn = 40, double vOutside = 5000,
                     double vReturn = 5000, double phiOutside = 90) {
    TDatenREK r;
    r.AirState = kGivenTempPhi;
    r.AirQuant = kGivenStdVolume;
    r.pbar = 1013;
    r.Temp11 = tOutside;
    r.Phi11 = phiOutside;
    r.SVol11 = vOutside;
    r.Temp21 = 22;
    r.Phi21 = phiReturn;
    r.SVol21 = vReturn;
    r.Edge = s.edge;
    r.Width = s.width;
    r.PType = static_cast<uint8_t>(s.ptype);
    r.Series = static_cast<uint8_t>(s.series);
    r.CalculateAll();
    return r;
}

// Selections of about 55, 65 and 75 % dry efficiency at 5000 m³/h each way.
const Selection k55{800, 1000, 1};
const Selection k65{1200, 1500, 2};
const Selection k75{2000, 1000, 2};

// Exact effectiveness of unmixed cross-flow (series solution, written
// again here independently of the cell model's own test).
double ExactCrossFlow(double R, double N) {
    double p = 0;
    for (int n = 0; n < 500; ++n) {
        double term = 1, sum = 1;
        double termR = 1, sumR = 1;
        for (int m = 1; m <= n; ++m) {
            term *= N / m;
            sum += term;
            termR *= R * N / m;
            sumR += termR;
        }
        const double t = (1 - std::exp(-N) * sum) * (1 - std::exp(-R * N) * sumR);
        p += t;
        if (t < 1e-18) break;
    }
    return p / (R * N);
}

FrostCellInput PackOf(const TDatenREK& r) {
    const CrossFlowTransfer t = CrossFlowTransferOf(r);
    FrostCellInput in;
    in.area = t.area;
    in.alpha1 = t.alpha1;
    in.alpha2 = t.alpha2;
    in.wallResistance = t.wallResistance;
    in.C1 = t.C1;
    in.C2 = t.C2;
    in.t1 = r.Temp11;
    in.t2 = r.Temp21;
    in.x2 = r.X21;
    in.mDry2 = r.MDry21 / 3600;
    in.p = r.pbar;
    return in;
}

TEST(FrostCheck, TransferDataReproduceTheRecordsEfficiency) {
    // The cell model describes the calculated exchanger only if these are
    // the calculation's own numbers: equal to the last bit.
    for (const Selection s : {k55, k65, k75}) {
        const TDatenREK winter = Calculated(s, -10);
        ASSERT_EQ(winter.Status, 0);
        const CrossFlowTransfer t = CrossFlowTransferOf(winter);
        EXPECT_FALSE(t.swapped);
        const double k = 1 / (1 / t.alpha1 + 1 / t.alpha2 + t.wallResistance);
        EXPECT_EQ(100 * CrossFlowEff(t.C1 / t.C2, t.area * k / t.C1), winter.Eta1);
        EXPECT_EQ(100 * CrossFlowEff(t.C2 / t.C1, t.area * k / t.C2), winter.Eta2);

        // Summer: the return air is the colder stream of the calculation.
        const TDatenREK summer = Calculated(s, 32, 40, 4000, 5000);
        const CrossFlowTransfer u = CrossFlowTransferOf(summer);
        EXPECT_TRUE(u.swapped);
        const double ku = 1 / (1 / u.alpha1 + 1 / u.alpha2 + u.wallResistance);
        EXPECT_EQ(100 * CrossFlowEff(u.C1 / u.C2, u.area * ku / u.C1), summer.Eta2);
    }
}

TEST(FrostCheck, UnitsInSeriesCarryTheSeriesIterationsStates) {
    const TDatenREK r = Calculated({800, 1000, 1, 3}, -10);
    const std::vector<TDatenREK> units = CrossFlowUnits(r);
    ASSERT_EQ(units.size(), 3u);
    EXPECT_EQ(units[0].Temp11, r.Temp11); // the outside air enters unit 1
    EXPECT_EQ(units[2].Temp12, r.Temp12); // and leaves unit 3
    EXPECT_EQ(units[0].Temp22, r.Temp22); // the return air leaves unit 1
    EXPECT_EQ(units[2].Temp21, r.Temp21);
    for (size_t k = 1; k < units.size(); ++k) {
        // Within the series iteration's settling tolerance of 0.001 K.
        EXPECT_NEAR(units[k].Temp11, units[k - 1].Temp12, 0.002);
        EXPECT_EQ(units[k].Status, 0);
    }
    EXPECT_EQ(CrossFlowUnits(Calculated(k65, -10)).size(), 1u);
}

TEST(FrostCheck, DryOutletsAgreeWithTheRecordWithinItsCorrelationError) {
    // Very dry return air: no condensation in the record or the cells. The
    // record's efficiency correlation differs from the exact cross-flow
    // value; the cells may differ from the record by that much plus their
    // own 0.1 percentage points.
    for (const Selection s : {k55, k65, k75, Selection{600, 600, 2}}) {
        for (const double ratio : {0.7, 1.0, 1.4}) {
            const TDatenREK r = Calculated(s, -5, 3, 5000 * ratio, 5000);
            ASSERT_EQ(r.Status, 0);
            ASSERT_EQ(r.WetMode, 0);
            const FrostCellInput in = PackOf(r);
            const FrostCellResult c = SolveFrostCells(in);
            ASSERT_EQ(c.condensate, 0);
            const CrossFlowTransfer t = CrossFlowTransferOf(r);
            const double k = 1 / (1 / t.alpha1 + 1 / t.alpha2 + t.wallResistance);
            const double R = t.C1 / t.C2, N = t.area * k / t.C1;
            const double dt = r.Temp21 - r.Temp11;
            const double allowed1 =
                dt * (std::fabs(CrossFlowEff(R, N) - ExactCrossFlow(R, N)) + 0.001);
            const double allowed2 =
                dt * (std::fabs(CrossFlowEff(1 / R, R * N) - ExactCrossFlow(1 / R, R * N)) + 0.001);
            EXPECT_NEAR(c.t1Out, r.Temp12, allowed1) << s.edge << " ratio " << ratio;
            EXPECT_NEAR(c.t2Out, r.Temp22, allowed2) << s.edge << " ratio " << ratio;
            EXPECT_NEAR(FrostAt(r, r.Temp11).supplyTemp, c.t1Out, 1e-9);
        }
    }
}

// Figures of typical selections (return air 22 °C / 40 %, 5000 m³/h each
// way, 1013 hPa, outside air at 90 %), obtained with this model: dry
// efficiency (%), frost limit (°C), and at −10 °C outside the coldest wall
// (°C), the preheat (kW) and the bypass share.
//
//   selection            eta    limit   wall    preheat  bypass
//   800 × 1000, type 1   54.7   −5.08   −3.82    9.95    0.510 (supply 2.66 °C)
//   1200 × 1500, type 2  65.0   −2.00   −7.34   15.12    none up to 0.9
//   2000 × 1000, type 2  75.0   −0.29   −9.66   17.99    none up to 0.9
//
// Against the record's wet model, the cells' outside-air outlet (supply)
// differs by −1.06, −0.89, −0.58 K at −10 °C and by −0.14, +0.02, +0.21 K
// at −5 °C; their condensate is 58, 70 and 84 % of the record's at −10 °C.
// Limits at 40 % return air for 2 and 3 units of the 55 % selection in
// series (70.8 and 78.5 %): −3.66 and −3.03 °C.
struct Typical {
    Selection selection;
    double eta, limit, wall, preheat, bypass;
};

TEST(FrostCheck, TypicalSelectionsKeepTheirFigures) {
    // Tolerances: limit 0.1 K (twice the bisection bracket), wall 0.01 K,
    // preheat 0.2 kW (the limit's 0.1 K times the flow's 1.7 kW/K), bypass
    // 0.01 (twice its bracket).
    const Typical cases[] = {{k55, 54.69, -5.078, -3.821, 9.95, 0.510},
                             {k65, 65.00, -2.002, -7.343, 15.12, 1},
                             {k75, 74.99, -0.293, -9.656, 17.99, 1}};
    for (const Typical& c : cases) {
        const TDatenREK r = Calculated(c.selection, -10);
        const FrostCheck f = CheckFrost(r);
        EXPECT_NEAR(r.Eta1, c.eta, 0.01);
        ASSERT_TRUE(f.hasLimit);
        EXPECT_NEAR(f.limit, c.limit, 0.1) << c.eta;
        EXPECT_NEAR(f.design.wallMin, c.wall, 0.01) << c.eta;
        EXPECT_TRUE(f.atRisk);
        EXPECT_NEAR(f.preheat, c.preheat, 0.2) << c.eta;
        EXPECT_NEAR(f.bypassShare, c.bypass, 0.01) << c.eta;
        EXPECT_EQ(f.bypassPrevents, c.bypass < 1);
        EXPECT_EQ(f.limitUnit, 1);
        // The coldest wall lies where the outside air enters and the
        // return air leaves.
        EXPECT_EQ(f.design.wallMinAlong1, 0);
        EXPECT_EQ(f.design.wallMinAlong2, 1);
        EXPECT_GT(f.design.frostShare, 0);
    }
}

TEST(FrostCheck, TheLimitSeparatesFrostFromNoFrost) {
    // Frost at every temperature below the limit's bracket, none above it:
    // the criterion is monotonic in the outside temperature, which the
    // bisection relies on.
    const TDatenREK r = Calculated(k65, -10);
    const FrostCheck f = CheckFrost(r);
    EXPECT_FALSE(FrostAt(r, f.limit).frost);
    EXPECT_TRUE(FrostAt(r, f.limit - kFrostLimitTolerance).frost);
    for (double t = -50; t < 22; t += 3) {
        EXPECT_EQ(FrostAt(r, t).frost, t < f.limit) << t;
    }
}

TEST(FrostCheck, LimitRisesWithEfficiencyAndWithTheOutsideToReturnFlowRatio) {
    const double l55 = CheckFrost(Calculated(k55, 0)).limit;
    const double l65 = CheckFrost(Calculated(k65, 0)).limit;
    const double l75 = CheckFrost(Calculated(k75, 0)).limit;
    EXPECT_LT(l55, l65);
    EXPECT_LT(l65, l75);
    // More outside air against the same return air, or less return air
    // against the same outside air: a colder corner, a warmer limit.
    double previous = -100;
    for (const double v : {3500.0, 4000.0, 5000.0, 6000.0, 7000.0}) {
        const double limit = CheckFrost(Calculated(k65, 0, 40, v, 5000)).limit;
        EXPECT_GT(limit, previous) << "outside " << v;
        previous = limit;
    }
    previous = -100;
    for (const double v : {7000.0, 6000.0, 5000.0, 4000.0, 3500.0}) {
        const double limit = CheckFrost(Calculated(k65, 0, 40, 5000, v)).limit;
        EXPECT_GT(limit, previous) << "return " << v;
        previous = limit;
    }
}

TEST(FrostCheck, NoWallFrostsAboveTheReturnAirsFrostPoint) {
    // Every wall is warmer than the outside air, and water deposits only on
    // a wall below 0 °C and below the return air's dew point (over ice
    // below 0 °C, as DewPoint gives it): the limit lies below both.
    for (const Selection s : {k55, k75}) {
        for (const double phi : {1.0, 3.0, 10.0, 25.0, 60.0, 90.0}) {
            const TDatenREK r = Calculated(s, -10, phi);
            const FrostCheck f = CheckFrost(r);
            ASSERT_TRUE(f.hasLimit);
            EXPECT_LT(f.limit, std::min(0.0, r.Dew21)) << phi;
        }
    }
}

TEST(FrostCheck, VeryDryReturnAirDoesNotFrostDownToMinus50) {
    // With outside air at −50 °C the coldest wall of the 55 % selection
    // stays at about −40 °C (−46.5 and −49.7 °C for the 65 and 75 %
    // selections). Return air whose frost point lies 1 K below that wall
    // never frosts; 1 K above it, it frosts just above −50 °C.
    const double wall = FrostAt(Calculated(k55, -10, 0.2), kFrostSearchLow).wallMin;
    EXPECT_NEAR(wall, -40.3, 0.1);
    const auto returnAirWithFrostPoint = [](double t) {
        return RelHumidity(22, HumidityRatio(t, 100, 1013), 1013);
    };
    const TDatenREK dry = Calculated(k55, -40, returnAirWithFrostPoint(wall - 1));
    ASSERT_LT(dry.Dew21, -40);
    const FrostCheck f = CheckFrost(dry);
    EXPECT_FALSE(f.hasLimit);
    EXPECT_FALSE(f.atRisk);
    EXPECT_FALSE(f.design.frost);
    EXPECT_EQ(f.design.frostShare, 0);
    EXPECT_EQ(f.preheat, 0);
    EXPECT_EQ(f.bypassShare, 0);

    const FrostCheck g = CheckFrost(Calculated(k55, -40, returnAirWithFrostPoint(wall + 1)));
    ASSERT_TRUE(g.hasLimit);
    EXPECT_LT(g.limit, -45);
}

TEST(FrostCheck, PreheatAndBypassPreventFrost) {
    const TDatenREK r = Calculated(k55, -10);
    const FrostCheck f = CheckFrost(r);
    ASSERT_TRUE(f.atRisk);
    EXPECT_TRUE(f.design.frost);
    EXPECT_EQ(f.preheatTemp, f.limit + kFrostPreheatMargin);
    EXPECT_NEAR(f.preheat, r.MDry11 / 3600 * (Enthalpy(f.preheatTemp, r.X11, 1013) - r.H11), 1e-9);
    EXPECT_FALSE(FrostAt(r, f.preheatTemp).frost);

    ASSERT_TRUE(f.bypassPrevents);
    EXPECT_FALSE(FrostAt(r, r.Temp11, 1 - f.bypassShare).frost);
    EXPECT_TRUE(FrostAt(r, r.Temp11, 1 - f.bypassShare + 2 * kFrostBypassTolerance).frost);
    EXPECT_GT(f.bypassSupplyTemp, r.Temp11);
    EXPECT_LT(f.bypassSupplyTemp, r.Temp12);
}

TEST(FrostCheck, NoPartialBypassHelpsWhereEvenATenthOfTheOutsideAirFrosts) {
    // At the inlet edge the outside air is at its inlet temperature whatever
    // its flow; less flow only lowers its film coefficient. For the 65 %
    // selection at −10 °C that keeps the corner below 0 °C.
    const TDatenREK r = Calculated(k65, -10);
    const FrostCheck f = CheckFrost(r);
    EXPECT_FALSE(f.bypassPrevents);
    EXPECT_EQ(f.bypassShare, 1);
    EXPECT_EQ(f.bypassSupplyTemp, r.Temp11);
    EXPECT_TRUE(FrostAt(r, r.Temp11, 1 - kFrostBypassMax).frost);
    EXPECT_GT(f.preheat, 0);
}

TEST(FrostCheck, AboveTheLimitNothingIsNeeded) {
    const TDatenREK r = Calculated(k55, 0);
    const FrostCheck f = CheckFrost(r);
    EXPECT_TRUE(f.hasLimit);
    EXPECT_FALSE(f.atRisk);
    EXPECT_FALSE(f.design.frost);
    EXPECT_GT(f.design.wallMin, 0);
    EXPECT_EQ(f.preheat, 0);
    EXPECT_EQ(f.bypassShare, 0);
    // The limit belongs to the exchanger and the return air, not to the
    // design case's own outside air.
    EXPECT_NEAR(f.limit, CheckFrost(Calculated(k55, -10)).limit, kFrostLimitTolerance);
}

TEST(FrostCheck, UnitsInSeriesFrostFromTheUnitTheOutsideAirEnters) {
    const TDatenREK r = Calculated({800, 1000, 1, 2}, -10);
    const FrostCheck f = CheckFrost(r);
    ASSERT_TRUE(f.atRisk);
    EXPECT_EQ(f.limitUnit, 1);
    EXPECT_EQ(f.design.frostUnit, 1);
    EXPECT_EQ(f.design.wallMinUnit, 1);
    // Two units recover more heat than one and frost at a warmer limit.
    EXPECT_GT(f.limit, CheckFrost(Calculated(k55, -10)).limit);
    // The cells' supply air agrees with the series calculation, which
    // iterates the same units (the wet models differ by at most 0.1 K here).
    EXPECT_NEAR(f.design.supplyTemp, r.Temp12, 0.1);
}

TEST(FrostCheck, SummerCaseHasItsColdestWallOnTheOutsideAirSide) {
    // Outside air warmer than the return air: the warm side is the outside
    // air's, its coldest wall where it leaves and the return air enters.
    // Dry operation, so the supply agrees with the record within the
    // correlation's error (0.1 K here).
    const TDatenREK r = Calculated(k65, 32, 40, 5000, 5000, 30);
    const FrostCheck f = CheckFrost(r);
    EXPECT_FALSE(f.atRisk);
    EXPECT_FALSE(f.design.frost);
    EXPECT_EQ(f.design.wallMinAlong1, 1);
    EXPECT_EQ(f.design.wallMinAlong2, 0);
    EXPECT_GT(f.design.wallMin, r.Temp21);
    EXPECT_LT(f.design.wallMin, r.Temp11);
    EXPECT_EQ(f.design.condensate, 0);
    EXPECT_NEAR(f.design.supplyTemp, r.Temp12, 0.1);
}

TEST(FrostCheck, ExtremeSelectionsEndWithAResultOrAClearError) {
    // Every search of the check and of the calculations it runs is bounded:
    // extreme but finite cases end, with a result or a tavro::Error.
    int results = 0;
    for (const Selection s : {Selection{200, 200, 1}, Selection{3000, 3000, 6, 4}, k65}) {
        for (const double t : {-50.0, -20.0, 5.0, 60.0}) {
            for (const double phi : {0.1, 50.0, 100.0}) {
                for (const double v : {50.0, 60000.0}) {
                    const TDatenREK r = Calculated(s, t, phi, v, 5000);
                    try {
                        const FrostCheck f = CheckFrost(r);
                        EXPECT_TRUE(std::isfinite(f.design.wallMin));
                        ++results;
                    } catch (const Error&) {
                    }
                }
            }
        }
    }
    EXPECT_GT(results, 0);
}

TEST(FrostCheck, BadInputIsAClearError) {
    const TDatenREK good = Calculated(k65, -10);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const auto spoiled = [&](auto field) {
        TDatenREK r = good;
        r.*field = nan;
        return r;
    };
    for (const TDatenREK& r :
         {spoiled(&TDatenREK::Temp11), spoiled(&TDatenREK::X11), spoiled(&TDatenREK::Temp21),
          spoiled(&TDatenREK::X21), spoiled(&TDatenREK::pbar), spoiled(&TDatenREK::MDry11),
          spoiled(&TDatenREK::SVol21)}) {
        EXPECT_THROW(CheckFrost(r), ArithmeticFault);
    }
    EXPECT_THROW(FrostAt(good, nan), ArithmeticFault);
    EXPECT_THROW(FrostAt(good, -10, 0), Error);
    EXPECT_THROW(FrostAt(good, -10, 1.5), Error);
    EXPECT_THROW(FrostAt(good, -10, 1, 0), Error);

    TDatenREK failed = good;
    failed.Status = 100;
    EXPECT_THROW(CheckFrost(failed), Error);

    // A record whose calculation failed (no flow) is refused as well.
    TDatenREK noFlow = Calculated(k65, -10, 40, 0, 5000);
    ASSERT_NE(noFlow.Status, 0);
    EXPECT_THROW(CheckFrost(noFlow), Error);

    TDatenREK arctic = Calculated(k65, -60);
    arctic.Temp21 = -55;
    EXPECT_THROW(CheckFrost(arctic), Error);
}

} // namespace
} // namespace tavro
