#include "physics/records.h"

#include "physics/moist_air.h"
#include "physics/record_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace tavro {
namespace {

// A winter case in the input modes the forms use (t, φ; standard volume).
template <class R = TDatenREK> R WinterCase() {
    R r;
    r.AirState = kGivenTempPhi;
    r.AirQuant = kGivenStdVolume;
    r.pbar = 1013;
    r.SVol11 = 10000;
    r.Temp11 = -12;
    r.Phi11 = 90;
    r.SVol21 = 8000;
    r.Temp21 = 22;
    r.Phi21 = 40;
    return r;
}

// Every named field as text, to compare whole records.
std::vector<std::string> Snapshot(const TDatenREK& r) {
    std::vector<std::string> v;
    for (const RecordField& f : RecordFields()) {
        v.push_back(std::string(f.name) + "=" + FormatRecordField(r, f));
    }
    return v;
}

TEST(Records, ConstructorDefaults) {
    const TDatenREK r;
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Series, 1);
    EXPECT_EQ(r.Units, 1);
    EXPECT_EQ(r.AirVelBypass, 15.0);
    EXPECT_EQ(r.HClass, "-");
    EXPECT_EQ(r.HClassText, "-");
    EXPECT_EQ(r.EffStandard, 1);
    EXPECT_EQ(r.Line, "Tavro");
    EXPECT_EQ(r.Edge, 0);
    EXPECT_EQ(r.PlateGap, 0.0);
    EXPECT_EQ(r.Temp11, 0.0);
}

TEST(Records, FieldTableListsEveryFieldOnceInDeclaredOrder) {
    const auto fields = RecordFields();
    EXPECT_EQ(fields.front().name, "Status");
    EXPECT_EQ(fields.back().name, "EffStandard");
    std::set<std::string_view> names;
    for (const RecordField& f : fields)
        EXPECT_TRUE(names.insert(f.name).second) << f.name;
    EXPECT_EQ(fields.size(),
              4u + 2 * (24 + 4) + 1 + 44); // TDaten, two streams, VolumeAt, TDatenREK
    EXPECT_NE(FindRecordField("Temp21"), nullptr);
    EXPECT_EQ(FindRecordField("temp21"), nullptr);
}

TEST(Records, CalculateAllCompletesBothInletsAtAnyPressure) {
    for (double p : {700.0, 1013.0, 1100.0}) {
        TDatenII r;
        r.AirState = kGivenTempPhi;
        r.AirQuant = kGivenStdVolume;
        r.pbar = p;
        r.Temp11 = -12;
        r.Phi11 = 90;
        r.SVol11 = 10000;
        r.Temp21 = 22;
        r.Phi21 = 40;
        r.SVol21 = 10000;
        r.CalculateAll();
        EXPECT_EQ(r.Status, 0);
        EXPECT_NEAR(r.X11, HumidityRatio(-12, 90, p), 1e-12);
        EXPECT_NEAR(r.X21, HumidityRatio(22, 40, p), 1e-12);
        EXPECT_NEAR(r.Dew21, DewPoint(r.X21, p), 1e-12);
        EXPECT_NEAR(r.Vol21, ToActVolume(10000, 22, r.X21, p), 1e-9);
        EXPECT_GT(r.MDry11, 0);
        EXPECT_NEAR(r.MWater21, r.X21 * r.MDry21 / 1000, 1e-9);
    }
}

TEST(Records, FailedFirstStreamStopsBeforeTheSecond) {
    TDatenREK r = WinterCase();
    r.Temp11 = 1500; // the wet bulb faults above 1000 °C
    r.Phi11 = 0;
    r.CalculateAll();
    EXPECT_EQ(r.Status, 100);
    EXPECT_EQ(r.X21, 0.0);  // stream 2 never ran
    EXPECT_GT(r.H11, 1000); // computed before the fault, kept
}

TEST(Records, FailedSecondStreamKeepsTheFirst) {
    TDatenREK r = WinterCase();
    r.Temp21 = 1500;
    r.CalculateAll();
    EXPECT_EQ(r.Status, 100);
    EXPECT_NEAR(r.X11, HumidityRatio(-12, 90, 1013), 1e-12);
    EXPECT_GT(r.MDry11, 0);
}

// A state the formulas carried outside the physical range passed as a
// result: a relative humidity of −20 %, a negative humidity ratio. Each
// now ends the inlet stage of its stream, before the second stream runs.
TEST(Records, ImpossibleInletStateIsAFaultOfItsStage) {
    struct Row {
        const char* what;
        uint8_t mode;
        double TDatenREK::*field;
        double value;
    };
    const Row rows[] = {
        {"negative relative humidity", kGivenTempPhi, &TDatenREK::Phi11, -20},
        {"negative humidity ratio", kGivenTempX, &TDatenREK::X11, -3},
        {"negative volume flow", kGivenTempPhi, &TDatenREK::SVol11, -1000},
        {"below absolute zero", kGivenTempX, &TDatenREK::Temp11, -300},
    };
    for (const Row& row : rows) {
        TDatenREK r = WinterCase();
        r.Edge = 600;
        r.Width = 600;
        r.PType = 2;
        r.AirState = row.mode;
        r.X11 = 1;
        r.X21 = 6;
        r.*row.field = row.value;
        r.CalculateAll();
        EXPECT_EQ(r.Status, 100) << row.what;
        EXPECT_EQ(r.Rho21, 0.0) << row.what << ": stream 2 must not have run";
        EXPECT_EQ(r.Eta1, 0.0) << row.what << ": the exchanger must not have run";
    }
}

// 80 °C exhaust air at 300 hPa lies above the boiling point there. It was
// taken for fog (its enthalpy −3831 kJ/kg, with Status 0); it is dry hot
// air, and the whole calculation is valid.
TEST(Records, HotAirAboveTheBoilingPointIsAValidState) {
    TDatenREK r = WinterCase();
    r.AirState = kGivenTempX;
    r.pbar = 300;
    r.Temp11 = 20;
    r.X11 = 5;
    r.Temp21 = 80;
    r.X21 = 50;
    r.Edge = 600;
    r.Width = 600;
    r.PType = 2;
    r.CalculateAll();
    ASSERT_EQ(r.Status, 0);
    EXPECT_DOUBLE_EQ(r.H21, 1.007 * 80 + (2501 + 1.86 * 80) * 50 / 1000);
    EXPECT_GT(r.Phi21, 0);
    EXPECT_LT(r.Phi21, 100);
    for (const double eta : {r.Eta1, r.Eta2, r.Eta1Wet, r.Eta2Wet}) {
        EXPECT_GT(eta, 0);
        EXPECT_LE(eta, 100);
    }
    EXPECT_GT(r.Temp12, r.Temp11);
    EXPECT_LT(r.Temp22, r.Temp21);
    EXPECT_GT(r.Rho22, 0);
    EXPECT_GE(r.X22, 0);
}

TEST(Records, InvalidAirStateOnlyCompletesTheFlows) {
    auto r = WinterCase<TDatenII>();
    r.AirState = 13;
    r.X11 = 1.0;
    r.Rho11 = 1.3;
    r.CalculateAll();
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Temp11, -12);
    EXPECT_EQ(r.Phi11, 90);
    EXPECT_EQ(r.X11, 1.0);
    EXPECT_EQ(r.H11, 0.0);
    EXPECT_EQ(r.Rho11, 1.3);
    EXPECT_GT(r.Vol11, 0); // the flows are completed as usual
    EXPECT_NEAR(r.MAir11, 1.3 * r.Vol11, 1e-9);
}

TEST(Records, SwapInletsExchangesOnlyTheInletBlocks) {
    TDatenREK r = WinterCase();
    r.CalculateAll();
    r.Temp12 = 5;
    r.Eta1 = 70;
    const TDatenREK before = r;
    r.SwapInlets();
    EXPECT_EQ(r.Temp11, before.Temp21);
    EXPECT_EQ(r.MAir21, before.MAir11);
    EXPECT_EQ(r.Temp12, 5);
    EXPECT_EQ(r.Eta1, 70);
}

TEST(Records, SwapAllExchangesEveryPairAndTwiceRestores) {
    TDatenREK r = WinterCase();
    r.CalculateAll();
    // Give every result pair distinct values.
    r.Dp1 = 1, r.Dp2 = 2, r.Dp1Std = 3, r.Dp2Std = 4, r.Vel1 = 5, r.Vel2 = 6;
    r.Vel1Mean = 7, r.Vel2Mean = 8, r.Eta1 = 9, r.Eta2 = 10, r.EtaX1 = 11, r.EtaX2 = 12;
    r.Eta1Wet = 13, r.Eta2Wet = 14, r.Q1 = 15, r.Q2 = 16, r.Q1Wet = 17, r.Q2Wet = 18;
    r.QLat1 = 19, r.QLat2 = 20, r.QTot1 = 21, r.QTot2 = 22, r.Condensate1 = 23;
    r.Condensate2 = 24, r.Eps1 = 25, r.Eps2 = 26, r.Eps1Wet = 27, r.Eps2Wet = 28;
    r.EpsX1 = 29, r.EpsX2 = 30, r.EpsH1 = 31, r.EpsH2 = 32, r.Temp12 = 33, r.Temp22 = 34;
    const auto before = Snapshot(r);
    const TDatenREK copy = r;

    r.SwapAll();
    EXPECT_EQ(r.Temp11, copy.Temp21);
    EXPECT_EQ(r.Temp12, 34);
    EXPECT_EQ(r.Temp22, 33);
    EXPECT_EQ(r.Dp1Std, 4);
    EXPECT_EQ(r.Vel2Mean, 7);
    EXPECT_EQ(r.Eta1Wet, 14);
    EXPECT_EQ(r.QTot2, 21);
    EXPECT_EQ(r.Condensate1, 24);
    EXPECT_EQ(r.EpsH1, 32);
    EXPECT_EQ(r.EpsX2, 29);

    r.SwapAll();
    EXPECT_EQ(Snapshot(r), before);
}

TEST(Records, RecalculationOverwritesDerivedFields) {
    TDatenREK r = WinterCase();
    r.CalculateAll();
    const double x = r.X11;
    r.Phi11 = 50;
    r.CalculateAll();
    EXPECT_LT(r.X11, x);
    r.Phi11 = 90;
    r.CalculateAll();
    EXPECT_EQ(r.X11, x);
}

TEST(Records, OperationsOfTheBaseLevelsDoNothing) {
    TDaten d;
    d.pbar = 1;
    d.CalculateAll();
    d.SwapAll();
    EXPECT_EQ(d.Status, 0);
    TDatenI one;
    one.AirState = kGivenTempPhi;
    one.pbar = 1013;
    one.Temp11 = 20;
    one.Phi11 = 50;
    one.SwapAll(); // nothing to swap with
    one.CalculateAll();
    EXPECT_NEAR(one.X11, 7.258, 0.001);
}

} // namespace
} // namespace tavro
