#include "physics/records.h"

#include <gtest/gtest.h>

#include <string>

namespace tavro {
namespace {

TDatenREK Selection(int edge, int width, double volume) {
    TDatenREK r;
    r.AirState = kGivenTempPhi;
    r.AirQuant = kGivenStdVolume;
    r.pbar = 1013;
    r.SVol11 = r.SVol21 = volume;
    r.Temp11 = -12;
    r.Phi11 = 90;
    r.Temp21 = 22;
    r.Phi21 = 40;
    r.Edge = edge;
    r.Width = width;
    r.PType = 2;
    r.CalculateAll();
    r.Calculate();
    r.ClassifyEnergy();
    return r;
}

TEST(ClassifyEnergy, ClassAndTextFollowTheEfficiency) {
    const TDatenREK r = Selection(1200, 1200, 10000);
    ASSERT_GE(r.HClassNo, 1);
    ASSERT_LE(r.HClassNo, 6);
    EXPECT_EQ(r.HClass, "H" + std::to_string(r.HClassNo));
    EXPECT_GT(r.EtaErP, r.EtaE); // the fan power costs efficiency
    EXPECT_LT(r.EtaErP, 100);
    // The text has one decimal: "58.3% / H3".
    const std::string text = r.HClassText;
    EXPECT_TRUE(text.ends_with("% / " + r.HClass)) << text;
    EXPECT_EQ(text[text.find('%') - 2], '.');
    const double limits[] = {71, 64, 55, 45, 36, 0};
    EXPECT_GE(r.EtaE, limits[r.HClassNo - 1]);
    if (r.HClassNo > 1) {
        EXPECT_LT(r.EtaE, limits[r.HClassNo - 2]);
    }
}

TEST(ClassifyEnergy, BiggerExchangerForTheSameAirIsBetter) {
    const TDatenREK small = Selection(600, 600, 4000);
    const TDatenREK big = Selection(1200, 1800, 4000);
    EXPECT_GT(big.EtaE, small.EtaE);
    EXPECT_LE(big.HClassNo, small.HClassNo);
}

TEST(ClassifyEnergy, RatesAtFixedConditionsWhateverTheCase) {
    TDatenREK a = Selection(1000, 1000, 6000);
    TDatenREK b;
    b.AirState = kGivenTempPhi;
    b.AirQuant = kGivenStdVolume;
    b.pbar = 1013;
    b.SVol11 = b.SVol21 = 6000;
    b.Temp11 = 30; // a summer case: the rating conditions are the same
    b.Phi11 = 50;
    b.Temp21 = 24;
    b.Phi21 = 50;
    b.Edge = b.Width = 1000;
    b.PType = 2;
    b.CalculateAll();
    b.ClassifyEnergy();
    EXPECT_EQ(a.EtaE, b.EtaE);
    EXPECT_EQ(a.HClass, b.HClass);
}

TEST(ClassifyEnergy, NegativeEfficiencyKeepsThePreviousClass) {
    // A tiny exchanger with a lot of air: the fans cost more than is recovered.
    const TDatenREK r = Selection(200, 200, 3000);
    EXPECT_LT(r.EtaE, 0);
    EXPECT_EQ(r.HClass, "-");
    EXPECT_EQ(r.HClassNo, 0);
    EXPECT_TRUE(r.HClassText.ends_with("% / -")) << r.HClassText;
}

TEST(ClassifyEnergy, FaultLeavesTheFieldsUntouched) {
    const TDatenREK r = Selection(600, 0, 3000);
    EXPECT_EQ(r.HClass, "-");
    EXPECT_EQ(r.EtaE, 0.0);
    EXPECT_EQ(r.HClassText, "-");
}

} // namespace
} // namespace tavro
