#include "physics/air_state.h"

#include "physics/moist_air.h"
#include "physics/numeric/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace tavro {
namespace {

constexpr double kP = 950.0; // away from 1013 so that a forgotten pressure shows

StreamState Reference(double t, double phi) {
    StreamState s;
    s.Temp = t;
    s.Phi = phi;
    CompleteState(kGivenTempPhi, s, kP);
    return s;
}

// A state with only the two quantities of the mode copied from the full
// reference state, the others set to a marker value.
StreamState GivenOnly(int mode, const StreamState& ref) {
    constexpr double kMarker = -999.0;
    StreamState s;
    s.Temp = s.Phi = s.X = s.Dew = s.WetBulb = s.H = s.Rho = kMarker;
    switch (mode) {
    case 0:
        s.Temp = ref.Temp;
        s.Phi = ref.Phi;
        break;
    case 1:
        s.Temp = ref.Temp;
        s.X = ref.X;
        break;
    case 2:
        s.Temp = ref.Temp;
        s.H = ref.H;
        break;
    case 3:
        s.X = ref.X;
        s.H = ref.H;
        break;
    case 4:
        s.H = ref.H;
        s.Phi = ref.Phi;
        break;
    case 5:
        s.X = ref.X;
        s.Phi = ref.Phi;
        break;
    case 6:
        s.Temp = ref.Temp;
        s.Dew = ref.Dew;
        break;
    case 7:
        s.Temp = ref.Temp;
        s.WetBulb = ref.WetBulb;
        break;
    case 8:
        s.Dew = ref.Dew;
        s.H = ref.H;
        break;
    case 9:
        s.Dew = ref.Dew;
        s.WetBulb = ref.WetBulb;
        break;
    case 10:
        s.Dew = ref.Dew;
        s.Phi = ref.Phi;
        break;
    case 11:
        s.WetBulb = ref.WetBulb;
        s.Phi = ref.Phi;
        break;
    case 12:
        s.WetBulb = ref.WetBulb;
        s.X = ref.X;
        break;
    }
    return s;
}

struct ModeCase {
    double t;
    double phi;
};

class CompleteStateModes : public testing::TestWithParam<ModeCase> {};

// Every mode, fed the two quantities of one reference state, gives that
// state back. The tolerance covers the searches the modes go through (wet
// bulb to 1e-5 K, dew point to 1e-6 K, both amplified a little through the
// saturation curve).
TEST_P(CompleteStateModes, EveryModeReconstructsTheReferenceState) {
    const StreamState ref = Reference(GetParam().t, GetParam().phi);
    for (int mode = 0; mode <= 12; ++mode) {
        StreamState s = GivenOnly(mode, ref);
        ASSERT_TRUE(CompleteState(mode, s, kP));
        SCOPED_TRACE("mode " + std::to_string(mode));
        EXPECT_NEAR(s.Temp, ref.Temp, 2e-3);
        EXPECT_NEAR(s.Phi, ref.Phi, 2e-2);
        EXPECT_NEAR(s.X, ref.X, 2e-3);
        EXPECT_NEAR(s.H, ref.H, 5e-3);
        EXPECT_NEAR(s.Rho, ref.Rho, 1e-5);
        EXPECT_NEAR(s.Dew, ref.Dew, 2e-3);
        EXPECT_NEAR(s.WetBulb, ref.WetBulb, 2e-3);
    }
}

std::string ModeCaseName(const testing::TestParamInfo<ModeCase>& param) {
    const auto deg = static_cast<int>(param.param.t);
    return (deg < 0 ? "minus" + std::to_string(-deg) : std::to_string(deg)) + "C_" +
           std::to_string(static_cast<int>(param.param.phi)) + "pct";
}

INSTANTIATE_TEST_SUITE_P(States, CompleteStateModes,
                         testing::Values(ModeCase{20, 50}, ModeCase{-12, 90}, ModeCase{32, 40},
                                         ModeCase{5, 98}, ModeCase{45, 15}),
                         ModeCaseName);

TEST(CompleteState, ModesSevenToTwelveKeepWhatIsGiven) {
    const StreamState ref = Reference(22, 40);
    for (int mode = 7; mode <= 12; ++mode) {
        StreamState s = GivenOnly(mode, ref);
        s.SVol = 1234; // flows are not touched by CompleteState
        const StreamState before = s;
        CompleteState(mode, s, kP);
        SCOPED_TRACE("mode " + std::to_string(mode));
        EXPECT_EQ(s.SVol, 1234);
        switch (mode) {
        case 7:
            EXPECT_EQ(s.Temp, before.Temp);
            EXPECT_EQ(s.WetBulb, before.WetBulb);
            break;
        case 8:
            EXPECT_EQ(s.Dew, before.Dew);
            EXPECT_EQ(s.H, before.H);
            break;
        case 9:
            EXPECT_EQ(s.Dew, before.Dew);
            EXPECT_EQ(s.WetBulb, before.WetBulb);
            break;
        case 10:
            EXPECT_EQ(s.Dew, before.Dew);
            EXPECT_EQ(s.Phi, before.Phi);
            break;
        case 11:
            EXPECT_EQ(s.WetBulb, before.WetBulb);
            EXPECT_EQ(s.Phi, before.Phi);
            break;
        case 12:
            EXPECT_EQ(s.WetBulb, before.WetBulb);
            EXPECT_EQ(s.X, before.X);
            break;
        }
    }
}

TEST(CompleteState, WetBulbEqualToTemperatureIsSaturated) {
    StreamState s;
    s.Temp = s.WetBulb = 18;
    CompleteState(kGivenTempWetBulb, s, 1013);
    EXPECT_NEAR(s.Phi, 100, 1e-6);
    EXPECT_NEAR(s.Dew, 18, 1e-5);
}

TEST(CompleteState, ModeOutsideTheTableChangesNothing) {
    for (int mode : {-1, 13, 200, 255}) {
        StreamState s = Reference(20, 50);
        s.Temp = 99; // inconsistent on purpose: nothing may be recomputed
        const StreamState before = s;
        EXPECT_TRUE(CompleteState(mode, s, kP));
        EXPECT_EQ(0, std::memcmp(&s, &before, sizeof s)) << "mode " << mode;
    }
}

TEST(CompleteState, FaultKeepsTheQuantitiesComputedBeforeIt) {
    StreamState s;
    s.Temp = 1500; // the wet bulb raises above 1000 °C
    s.Phi = 0;
    EXPECT_THROW(CompleteState(kGivenTempPhi, s, 1013), ArithmeticFault);
    EXPECT_EQ(s.X, 0.0);
    EXPECT_NEAR(s.H, 1.007 * 1500, 1e-9);
    EXPECT_LT(s.Dew, -50); // set before the wet bulb faulted
    EXPECT_EQ(s.Rho, 0.0); // not reached
}

// CompleteFlow: any one flow quantity gives the same other three.
TEST(CompleteFlow, EveryModeGivesTheSameFlows) {
    StreamState ref = Reference(-5, 80);
    ref.SVol = 10000;
    CompleteFlow(kGivenStdVolume, ref, kP);
    EXPECT_NEAR(ref.MAir, ref.Rho * ref.Vol, 1e-9);
    EXPECT_NEAR(ref.MDry * (1 + ref.X / 1000), ref.MAir, 1e-9);
    EXPECT_NEAR(ref.MWater, ref.X * ref.MDry / 1000, 1e-12);

    for (int mode = 1; mode <= 3; ++mode) {
        StreamState s = ref;
        s.SVol = s.Vol = s.MDry = s.MAir = s.MWater = 0;
        if (mode == kGivenActVolume) s.Vol = ref.Vol;
        if (mode == kGivenDryMass) s.MDry = ref.MDry;
        if (mode == kGivenMoistMass) s.MAir = ref.MAir;
        CompleteFlow(mode, s, kP);
        SCOPED_TRACE("mode " + std::to_string(mode));
        EXPECT_NEAR(s.SVol, ref.SVol, 1e-8);
        EXPECT_NEAR(s.Vol, ref.Vol, 1e-8);
        EXPECT_NEAR(s.MDry, ref.MDry, 1e-8);
        EXPECT_NEAR(s.MAir, ref.MAir, 1e-8);
        EXPECT_NEAR(s.MWater, ref.MWater, 1e-10);
    }
}

TEST(CompleteFlow, StandardVolumeEqualsActualAtTheReferenceState) {
    StreamState s;
    s.Temp = 20;
    s.Phi = 50;
    CompleteState(kGivenTempPhi, s, 1013);
    s.SVol = 5000;
    CompleteFlow(kGivenStdVolume, s, 1013);
    EXPECT_NEAR(s.Vol, 5000, 1e-5);
    EXPECT_NEAR(s.MAir, 6000, 1e-4);
}

TEST(CompleteFlow, OtherModesOnlySetTheWaterFlow) {
    StreamState s = Reference(20, 50);
    s.SVol = 1;
    s.Vol = 2;
    s.MAir = 3;
    s.MDry = 1000;
    CompleteFlow(7, s, kP);
    EXPECT_EQ(s.SVol, 1);
    EXPECT_EQ(s.Vol, 2);
    EXPECT_EQ(s.MAir, 3);
    EXPECT_NEAR(s.MWater, s.X, 1e-12);
}

TEST(CompleteFlow, ZeroDensityFaults) {
    StreamState s = Reference(20, 50);
    s.Rho = 0;
    s.MDry = 100;
    EXPECT_THROW(CompleteFlow(kGivenDryMass, s, kP), ArithmeticFault);
}

} // namespace
} // namespace tavro
